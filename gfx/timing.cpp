// Timing: the millisecond clock, frame timers and the test clock.
#include "gfx/gfx.h"

namespace gfx {

struct TimerData {};

int MilliSecs() { return 0; }
Timer CreateTimer(int) { return std::make_shared<TimerData>(); }
int WaitTimer(const Timer&) { return 1; }
void Delay(int) {}
void UseTestClock(bool) {}
void AdvanceClock(int) {}

}  // namespace gfx
