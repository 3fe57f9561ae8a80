// The play loop's own steps: help level, side panel, preview, and how the loop ends.
#include <gtest/gtest.h>

#include "app/game.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using drive::Near;
using drive::Pixel;
using drive::RGB;
using drive::Show;

namespace {

class PlayLoop : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        Pixmap red = CreatePixmap(512, 512, false);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) WritePixel(red, x, y, 0xFFC81E1Eu);
        MakeBoard(16, LoadImage(red, MASKEDIMAGE));
    }
};

TEST_F(PlayLoop, TabCyclesTheHelpLevelOncePerFrame) {
    const struct {
        int presses;
        int level;
    } frames[] = {{1, 1}, {1, 2}, {1, 0}, {3, 1}, {0, 1}, {2, 2}};
    for (const auto& f : frames) {
        for (int i = 0; i < f.presses; ++i) drive::Key(9);
        PumpEvents();
        ASSERT_TRUE(PlayFrame());
        EXPECT_EQ(G.Helpstate, f.level) << f.presses << " presses";
    }
}

TEST_F(PlayLoop, DrawsThePanelAndThePreview) {
    drive::MoveMouse(300, 590);  // keep the cursor away from the checked pixels
    PumpEvents();
    ASSERT_TRUE(PlayFrame());
    const RGB panel{100, 100, 100}, background{50, 50, 50}, picture{200, 30, 30};
    const struct {
        int x, y;
        RGB expected;
    } cases[] = {
        {589, 470, background}, {590, 470, panel}, {799, 470, panel}, {590, 0, panel},
        {594, 100, panel},      {595, 5, picture}, {794, 204, picture}, {795, 100, panel},
        {700, 205, panel},      {700, 4, panel},
    };
    for (const auto& c : cases) {
        const RGB got = Pixel(c.x, c.y);
        EXPECT_TRUE(Near(got, c.expected, 2))
            << "(" << c.x << ", " << c.y << ") expected " << Show(c.expected) << " got " << Show(got);
    }
}

TEST_F(PlayLoop, EscapeEndsTheLoopAfterTheFrameIsShown) {
    drive::Script script;
    script.then([] { drive::Key(27); });
    EXPECT_EQ(script.run([] { ::PlayLoop(); }), drive::Outcome::Returned);
    EXPECT_EQ(script.framesShown(), 1) << "the frame that saw Escape is still shown";
}

TEST_F(PlayLoop, CloseRequestEndsTheLoop) {
    drive::Script script;
    script.idle(3).then([] { drive::Close(); });
    EXPECT_EQ(script.run([] { ::PlayLoop(); }), drive::Outcome::Returned);
    EXPECT_EQ(script.framesShown(), 4);
}

TEST_F(PlayLoop, HandsBackTheRestingDrawingState) {
    ASSERT_TRUE(PlayFrame());
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetImageFont(), G.FArial30);
}

}  // namespace
