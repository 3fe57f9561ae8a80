// Resampling a pixmap to any size, each axis on its own: area averaging where it shrinks (every
// source pixel counts by how much of it an output pixel covers), bilinear where it grows.
#include <algorithm>
#include <cmath>

#include "gfx/gfx.h"

namespace gfx {

namespace {

constexpr int WEIGHT_BITS = 14;
constexpr int WEIGHT_ONE = 1 << WEIGHT_BITS;

// For each output position along one axis: which source pixels it takes, and how much of each.
struct Taps {
    std::vector<int> first;    // first source index
    std::vector<int> count;    // number of source pixels
    std::vector<int> offset;   // where its weights start in `weights`
    std::vector<int> weights;  // fixed point, summing to WEIGHT_ONE for each output
};

Taps MakeTaps(int from, int to) {
    Taps t;
    t.first.resize(size_t(to));
    t.count.resize(size_t(to));
    t.offset.resize(size_t(to));
    std::vector<double> exact;
    const double scale = double(from) / double(to);
    for (int i = 0; i < to; ++i) {
        exact.clear();
        int first;
        if (from >= to) {
            // The source span [start, end) this output pixel covers.
            const double start = i * scale, end = (i + 1) * scale;
            first = int(start);
            const int last = std::min(from - 1, int(std::ceil(end)) - 1);
            for (int j = first; j <= last; ++j)
                exact.push_back((std::min(end, j + 1.0) - std::max(start, double(j))) / scale);
        } else {
            // Pixel centres line up: the first and last output pixels sit on the source's edges.
            const double pos = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
            first = int(pos);
            const double f = pos - first;
            exact.push_back(1.0 - f);
            if (first + 1 < from) exact.push_back(f);
        }
        t.first[size_t(i)] = first;
        t.count[size_t(i)] = int(exact.size());
        t.offset[size_t(i)] = int(t.weights.size());
        int sum = 0;
        for (double w : exact) {
            const int fixed = int(std::lround(w * WEIGHT_ONE));
            t.weights.push_back(fixed);
            sum += fixed;
        }
        // Rounding must not change the brightness: the largest weight takes up the difference.
        auto biggest = std::max_element(t.weights.begin() + t.offset[size_t(i)], t.weights.end());
        *biggest += WEIGHT_ONE - sum;
    }
    return t;
}

}  // namespace

Pixmap ResizePixmap(const Pixmap& pixmap, int width, int height) {
    Pixmap out = CreatePixmap(width, height, pixmap.hasAlpha);
    if (out.pixels.empty() || pixmap.width <= 0 || pixmap.height <= 0 ||
        pixmap.pixels.size() < size_t(pixmap.width) * size_t(pixmap.height) * 4)
        return out;

    const int sw = pixmap.width, sh = pixmap.height;
    const Taps across = MakeTaps(sw, width);
    const Taps down = MakeTaps(sh, height);

    // Columns first: each output row is a weighted sum of a few whole source rows, which the
    // compiler turns into wide vector arithmetic. Kept with 8 extra bits of precision.
    const size_t sourceValues = size_t(sw) * 4;
    std::vector<uint16_t> middle(sourceValues);
    std::vector<uint32_t> sum(sourceValues);
    for (int y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0u);
        const int* w = &down.weights[size_t(down.offset[size_t(y)])];
        for (int k = 0, n = down.count[size_t(y)]; k < n; ++k) {
            const uint8_t* src = &pixmap.pixels[size_t(down.first[size_t(y)] + k) * sourceValues];
            const uint32_t weight = uint32_t(w[k]);
            for (size_t i = 0; i < sourceValues; ++i) sum[i] += weight * src[i];
        }
        constexpr int toMiddle = WEIGHT_BITS - 8;
        for (size_t i = 0; i < sourceValues; ++i) middle[i] = uint16_t((sum[i] + (1u << (toMiddle - 1))) >> toMiddle);

        // Then along the row.
        uint8_t* dst = &out.pixels[size_t(y) * size_t(width) * 4];
        for (int x = 0; x < width; ++x) {
            const uint16_t* s = &middle[size_t(across.first[size_t(x)]) * 4];
            const int* wx = &across.weights[size_t(across.offset[size_t(x)])];
            uint32_t r = 0, g = 0, b = 0, a = 0;
            for (int k = 0, n = across.count[size_t(x)]; k < n; ++k, s += 4) {
                r += uint32_t(wx[k]) * s[0];
                g += uint32_t(wx[k]) * s[1];
                b += uint32_t(wx[k]) * s[2];
                a += uint32_t(wx[k]) * s[3];
            }
            constexpr int shift = WEIGHT_BITS + 8;
            constexpr uint32_t half = 1u << (shift - 1);
            dst[x * 4 + 0] = uint8_t(std::min<uint32_t>(255, (r + half) >> shift));
            dst[x * 4 + 1] = uint8_t(std::min<uint32_t>(255, (g + half) >> shift));
            dst[x * 4 + 2] = uint8_t(std::min<uint32_t>(255, (b + half) >> shift));
            dst[x * 4 + 3] = uint8_t(std::min<uint32_t>(255, (a + half) >> shift));
        }
    }
    return out;
}

}  // namespace gfx
