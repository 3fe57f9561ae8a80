// A fixture for tests of the game's screens: the off-screen window, the resources loaded as
// start-up loads them, and the game state at its start values.
#pragma once

#include <gtest/gtest.h>

#include "app/state.h"
#include "tests/support/driver.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A catalogue of `count` generated pictures of the given size, numbered 0 .. count-1, each a
// different colour pattern (no files involved).
void MakeCatalogue(int count, int width = 512, int height = 512);
// A board of grid x grid cut from `picture` as a choice on the selection screen makes it.
void MakeBoard(int grid, const gfx::Image& picture);
// A picture of the given size with a distinct colour in every 16x16 block.
gfx::Pixmap PatternPixmap(int width, int height, int seed = 0);
