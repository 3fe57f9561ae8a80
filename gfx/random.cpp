// The game's random numbers: a small seeded generator (xoshiro256** fed by splitmix64).
#include <cmath>
#include <cstdint>
#include <utility>

#include "gfx/gfx.h"

namespace gfx {

namespace {

uint64_t state[4];
bool seeded = false;

uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

uint64_t Next() {
    if (!seeded) SeedRnd(0x1234);
    const uint64_t result = Rotl(state[1] * 5, 7) * 9;
    const uint64_t t = state[1] << 17;
    state[2] ^= state[0];
    state[3] ^= state[1];
    state[1] ^= state[2];
    state[0] ^= state[3];
    state[2] ^= t;
    state[3] = Rotl(state[3], 45);
    return result;
}

}  // namespace

void SeedRnd(int seed) {
    uint64_t x = uint64_t(uint32_t(seed));
    for (uint64_t& s : state) s = SplitMix(x);
    seeded = true;
}

int Rand(int min, int max) {
    if (min > max) std::swap(min, max);
    const uint64_t span = uint64_t(int64_t(max) - int64_t(min)) + 1;
    // Rejection keeps every value equally likely.
    const uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    uint64_t r;
    do {
        r = Next();
    } while (r >= limit);
    return int(int64_t(min) + int64_t(r % span));
}

double Rnd(double min, double max) {
    // 53 random bits give a double in [0, 1).
    const double unit = double(Next() >> 11) * 0x1.0p-53;
    const double value = min + (max - min) * unit;
    // Rounding could land on max for wide ranges; max stays excluded.
    return (value >= max && max > min) ? std::nextafter(max, min) : value;
}

}  // namespace gfx
