// The clocks the benchmarks read: wall time, the main thread's processor time, and the whole
// process's, which includes the software renderer's own threads.
#pragma once

#include <time.h>

#include <chrono>

namespace bench {

inline double WallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double CpuMs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Times {
    double wall, thread, process;
};

inline Times Now() { return {WallMs(), CpuMs(CLOCK_THREAD_CPUTIME_ID), CpuMs(CLOCK_PROCESS_CPUTIME_ID)}; }

// The times from a to b shared out over `count` frames.
inline Times PerFrame(const Times& a, const Times& b, int count) {
    return {(b.wall - a.wall) / count, (b.thread - a.thread) / count, (b.process - a.process) / count};
}

// The mean times of `frames` calls of `frame`, after `warmup` calls that fill the caches.
template <typename Frame>
Times Measure(Frame frame, int warmup, int frames) {
    for (int i = 0; i < warmup; ++i) frame();
    const Times start = Now();
    for (int i = 0; i < frames; ++i) frame();
    return PerFrame(start, Now(), frames);
}

}  // namespace bench
