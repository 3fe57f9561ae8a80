// Timing: the test clock, frame timers on it and on the real clock.
#include <chrono>

#include "tests/gfx/layer_fixture.h"

using namespace gfx;

namespace {

using Timing = Layer;

TEST_F(Timing, TheTestClockMovesOnlyWhenTold) {
    const int start = MilliSecs();
    EXPECT_EQ(MilliSecs(), start);
    AdvanceClock(250);
    EXPECT_EQ(MilliSecs(), start + 250);
    Delay(40);
    EXPECT_EQ(MilliSecs(), start + 290);
    EXPECT_GT(start, 0) << "far from zero, as a system clock would be";
}

TEST_F(Timing, WaitTimerOnTheTestClockJumpsToTheNextTick) {
    const Timer timer = CreateTimer(65);
    const int start = MilliSecs();
    std::vector<int> steps;
    int last = start;
    for (int i = 0; i < 65; ++i) {
        EXPECT_EQ(WaitTimer(timer), 1);
        steps.push_back(MilliSecs() - last);
        last = MilliSecs();
    }
    EXPECT_EQ(MilliSecs() - start, 1000) << "65 ticks are one second";
    for (int step : steps) EXPECT_TRUE(step == 15 || step == 16) << step;

    // A slow frame: the ticks that passed meanwhile are reported at once, without waiting.
    AdvanceClock(100);
    const int before = MilliSecs();
    EXPECT_EQ(WaitTimer(timer), 6);
    EXPECT_EQ(MilliSecs(), before);
    EXPECT_EQ(WaitTimer(timer), 1);
}

TEST_F(Timing, WaitTimerTakesInEventsWhileItWaits) {
    const Timer timer = CreateTimer(65);
    drive::Key(27);
    WaitTimer(timer);
    EXPECT_EQ(KeyHit(27), 1);
}

TEST_F(Timing, WaitTimerOnTheRealClockSleepsUntilTheTick) {
    UseTestClock(false);
    const Timer timer = CreateTimer(100);
    const auto start = std::chrono::steady_clock::now();
    const int startMs = MilliSecs();
    int ticks = 0;
    for (int i = 0; i < 5; ++i) ticks += WaitTimer(timer);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    UseTestClock(true);
    EXPECT_GE(ticks, 5);
    EXPECT_GE(elapsed, std::chrono::milliseconds(45));
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    EXPECT_GE(MilliSecs(), 0);
    EXPECT_NE(startMs, 0);
}

}  // namespace
