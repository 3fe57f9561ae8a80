// Timing: the millisecond clock, frame timers and the test clock that stands still until told.
#include <SDL.h>

#include <ctime>

#include "gfx/gfx.h"
#include "gfx/input_internal.h"

namespace gfx {

struct TimerData {
    int hz = 1;
    bool testClock = false;   // which clock `origin` belongs to
    long long origin = 0;     // ms at which tick 0 fell
    long long ticksTaken = 0;
};

namespace {

struct Clock {
    bool test = false;
    long long virtualMs = 1'000'000;   // far from zero, as a real clock would be
};

Clock& C() {
    static Clock clock;
    return clock;
}

long long RealMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1'000'000;
}

long long NowMs() { return C().test ? C().virtualMs : RealMs(); }

// The time of tick n; rounded up so a tick never comes early.
long long TickTime(const TimerData& t, long long n) { return t.origin + (n * 1000 + t.hz - 1) / t.hz; }

long long TicksBy(const TimerData& t, long long ms) {
    return ms < t.origin ? 0 : (ms - t.origin) * t.hz / 1000;
}

}  // namespace

int MilliSecs() { return int(uint32_t(NowMs())); }

Timer CreateTimer(int hz) {
    auto timer = std::make_shared<TimerData>();
    timer->hz = hz > 0 ? hz : 1;
    timer->testClock = C().test;
    timer->origin = NowMs();
    return timer;
}

int WaitTimer(const Timer& timer) {
    if (!timer) return 0;
    TimerData& t = *timer;
    if (t.testClock != C().test) {   // the clock was switched since the timer was made
        t.testClock = C().test;
        t.origin = NowMs();
        t.ticksTaken = 0;
    }
    long long now = NowMs();
    if (TicksBy(t, now) <= t.ticksTaken) {
        const long long due = TickTime(t, t.ticksTaken + 1);
        if (C().test) {
            C().virtualMs = due;
            PumpEvents();
        } else {
            // Sleep until the tick, taking in the window's events as they come.
            while ((now = RealMs()) < due) {
                SDL_Event event;
                if (SDL_WasInit(SDL_INIT_EVENTS)) {
                    if (SDL_WaitEventTimeout(&event, int(due - now))) detail::HandleEvent(event);
                } else {
                    SDL_Delay(uint32_t(due - now));
                }
            }
        }
        now = NowMs();
    }
    PumpEvents();
    const long long ticks = TicksBy(t, now);
    const int passed = int(ticks - t.ticksTaken);
    t.ticksTaken = ticks;
    return passed;
}

void Delay(int ms) {
    if (ms <= 0) return;
    if (C().test)
        C().virtualMs += ms;
    else
        SDL_Delay(uint32_t(ms));
}

void UseTestClock(bool on) { C().test = on; }

void AdvanceClock(int ms) {
    if (ms > 0) C().virtualMs += ms;
}

}  // namespace gfx
