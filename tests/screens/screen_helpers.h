// Helpers shared by the tests of the screens before play.
#pragma once

#include <algorithm>
#include <vector>

#include "app/game.h"
#include "app/state.h"
#include "tests/support/game_fixture.h"

namespace screentest {

// The game fixture with the mouse at rest in the top-left corner and the clock off zero (the
// selection's step lock starts at 0 and a step needs it below TIME).
class ScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gfx::AdvanceClock(1000);
        drive::Release();
        drive::MoveMouse(0, 0);
    }
    // Start values again, with no board, between cases of one test.
    static void FreshGame() {
        ResetGameState();
        G.Timer = gfx::CreateTimer(65);
        G.TIME = gfx::MilliSecs();
        LoadResourcesAndDefaults();
    }
};

// Catalogue place of the motive shown in the middle of the selection screen; -1 for none.
inline int MiddleMotive() {
    int place = 0;
    for (const TMotives& m : G.MotivesList) {
        if (m.Motiv == G.IMGPuzzle) return place;
        ++place;
    }
    return -1;
}

inline const TMotives& MotiveAt(int place) {
    auto it = G.MotivesList.begin();
    std::advance(it, place);
    return *it;
}

// Brightest red value in the rectangle [x0, x1] x [y0, y1] of the frame just shown.
inline int Brightest(int x0, int y0, int x1, int y1) {
    const std::vector<uint32_t> frame = gfx::FramePixels();
    int best = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) best = std::max(best, int((frame[y * 800 + x] >> 16) & 255));
    return best;
}

// The main menu is on screen: its two buttons are the same picture, so matching points of both
// agree, while the selection screen shows different parts of a motive there.
inline bool MenuShown() {
    const drive::RGB start = drive::Pixel(400, 185);
    const drive::RGB quit = drive::Pixel(400, 485);
    return drive::Near(start, quit) && !drive::Near(start, {50, 50, 50}, 2);
}

// Nothing but the clear colour outside the two menu buttons and the cursor: no credits.
inline bool OnlyButtonsAndCursor() {
    const std::vector<uint32_t> frame = gfx::FramePixels();
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const bool button =
                x >= 300 && x < 500 && ((y >= 100 && y < 200) || (y >= 400 && y < 500));
            const bool cursor = x >= G.MX && x < G.MX + 20 && y >= G.MY && y < G.MY + 20;
            if (!button && !cursor && (frame[y * 800 + x] & 0xFFFFFF) != 0x323232) return false;
        }
    }
    return true;
}

// The board is a shuffle of its own solved arrangement: every identity once, not all in place.
inline bool ShuffledBoard() {
    if (!BoardMatchesGrid()) return false;
    std::vector<int32_t> now = G.Puzzle_ID_Now.cells;
    std::vector<int32_t> correct = G.Puzzle_ID_Correct.cells;
    const bool moved = now != correct;
    std::sort(now.begin(), now.end());
    std::sort(correct.begin(), correct.end());
    return moved && now == correct;
}

}  // namespace screentest
