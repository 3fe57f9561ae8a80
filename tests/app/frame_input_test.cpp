// The frame's mouse sample, wheel difference and frame-rate counter, fed through the window's
// own event path.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "tests/support/game_fixture.h"

using namespace gfx;

namespace {

void PressLeft(int times) {
    for (int i = 0; i < times; ++i) {
        InjectMouseButton(1, true);
        InjectMouseButton(1, false);
    }
    PumpEvents();
}

using FrameInput = GameTest;

TEST_F(FrameInput, LeftPressesAreCountedPerSampleAndCutToEightBits) {
    const struct {
        int presses;
        int expected;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {256, 0}, {300, 44}};
    for (const auto& c : cases) {
        PressLeft(c.presses);
        UserInput();
        EXPECT_EQ(G.MOUSE1HIT, c.expected) << c.presses << " presses";
    }
    UserInput();
    EXPECT_EQ(G.MOUSE1HIT, 0) << "the sample clears the count";
}

TEST_F(FrameInput, PointerPositionIsSampled) {
    InjectMouseMove(123, 456);
    PumpEvents();
    UserInput();
    EXPECT_EQ(G.MX, 123);
    EXPECT_EQ(G.MY, 456);
}

TEST_F(FrameInput, WheelGivesTheDifferenceSinceTheLastSample) {
    UserInput();
    EXPECT_EQ(G.MOUSESCROLL, 0) << "first sample";
    InjectMouseWheel(3);
    PumpEvents();
    UserInput();
    EXPECT_EQ(G.MOUSESCROLL, 3);
    InjectMouseWheel(-1);
    PumpEvents();
    UserInput();
    EXPECT_EQ(G.MOUSESCROLL, -1);
    UserInput();
    EXPECT_EQ(G.MOUSESCROLL, 0);
    // Losing the focus sets the wheel position back to 0: the next sample gives the negative
    // of the position held before.
    InjectFocus(false);
    InjectFocus(true);
    PumpEvents();
    UserInput();
    EXPECT_EQ(G.MOUSESCROLL, -2);
}

TEST_F(FrameInput, FocusLossDropsPendingClicks) {
    PressLeft(1);
    InjectFocus(false);
    InjectFocus(true);
    PumpEvents();
    UserInput();
    EXPECT_EQ(G.MOUSE1HIT, 0);
}

TEST(MouseZSpeed, ReturnsTheDifferenceAndRemembersThePosition) {
    ResetGameState();
    EXPECT_EQ(MouseZSpeed(5), 5);
    EXPECT_EQ(MouseZSpeed(5), 0);
    EXPECT_EQ(MouseZSpeed(-2), -7);
    EXPECT_EQ(G.MZSpeedOld, -2);
}

// The frame-rate display: text pixels in the bottom-left corner when it is on.
bool SomethingDrawnBottomLeft() {
    for (int y = 582; y < 600; ++y)
        for (int x = 5; x < 40; ++x)
            if (drive::Pixel(x, y).r > 128) return true;
    return false;
}

TEST_F(FrameInput, FirstCountingWindowShowsZero) {
    AdvanceClock(1000);
    G.DEBUG = 1;
    Cls();
    FPS();
    EXPECT_EQ(G.FPSDraw, 0);
    EXPECT_EQ(G.FPSTime, G.TIME + 250);
    EXPECT_EQ(G.FPSCounter, 1);
    EXPECT_TRUE(SomethingDrawnBottomLeft()) << "\"0\" shown";
}

TEST_F(FrameInput, CountsFramesInQuarterSecondWindows) {
    AdvanceClock(1000);
    for (int frame = 0; frame < 100; ++frame) {
        FPS();
        WaitTimer(G.Timer);
    }
    EXPECT_EQ(G.FPSDraw % 4, 0);
    EXPECT_GE(G.FPSDraw, 64);
    EXPECT_LE(G.FPSDraw, 72);
}

TEST_F(FrameInput, FKeySwitchesTheDisplayOncePerFrame) {
    AdvanceClock(1000);
    const struct {
        int presses;
        int debugAfter;
    } cases[] = {{1, 1}, {0, 1}, {2, 0}, {3, 1}};
    for (const auto& c : cases) {
        for (int i = 0; i < c.presses; ++i) {
            InjectKey(70, true);
            InjectKey(70, false);
        }
        PumpEvents();
        Cls();
        FPS();
        EXPECT_EQ(G.DEBUG, c.debugAfter) << c.presses << " presses";
        EXPECT_EQ(SomethingDrawnBottomLeft(), c.debugAfter == 1);
        EXPECT_EQ(GetImageFont(), G.FArial30) << "font handed back";
    }
}

}  // namespace
