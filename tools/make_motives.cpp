// Paints the sample motives that come with the game (fractals, plasma, tilings, a landscape, a
// nebula, a church window) and writes them as PNG and JPEG files into the motive folder.
//
// Usage: make_motives [folder]   (default: "resources/Motives", run from the source tree's root)
//
// The pictures come in several sizes and forms on purpose: some are larger than 512 pixels, some
// are not square, some lack the "Puzzle" prefix, so the game's first start normalises them.
// Every picture carries detail everywhere, so that even the tiles of a 32 x 32 board differ.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "gfx/gfx.h"

namespace {

constexpr double PI = 3.14159265358979323846;

struct Rgb {
    double r = 0, g = 0, b = 0;  // 0..1
};
Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Mix(Rgb a, Rgb b, double t) { return a * (1 - t) + b * t; }
double Mix(double a, double b, double t) { return a + (b - a) * t; }
double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double SmoothStep(double edge0, double edge1, double v)
{
    double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}
double Fract(double v) { return v - std::floor(v); }

Rgb Hsv(double h, double s, double v)
{
    h = Fract(h) * 6;
    int sector = int(h);
    double f = h - sector, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
    }
}

// A smooth cyclic palette: each channel a cosine with its own phase.
Rgb Palette(double t, Rgb phase)
{
    return {0.5 + 0.5 * std::cos(2 * PI * (t + phase.r)), 0.5 + 0.5 * std::cos(2 * PI * (t + phase.g)),
            0.5 + 0.5 * std::cos(2 * PI * (t + phase.b))};
}

//------------------------------------------------------------------------------------------------
// Noise: the same seed always gives the same pictures.
//------------------------------------------------------------------------------------------------
uint32_t Hash(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}
double Random01(int x, int y, int seed) { return (Hash(x, y, seed) & 0xFFFFFF) / double(0x1000000); }

double ValueNoise(double x, double y, int seed)
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    double fx = x - ix, fy = y - iy;
    double ux = fx * fx * fx * (fx * (fx * 6 - 15) + 10);
    double uy = fy * fy * fy * (fy * (fy * 6 - 15) + 10);
    double a = Random01(ix, iy, seed), b = Random01(ix + 1, iy, seed);
    double c = Random01(ix, iy + 1, seed), d = Random01(ix + 1, iy + 1, seed);
    return Mix(Mix(a, b, ux), Mix(c, d, ux), uy);
}

// Fractal sum of noise octaves, about 0..1.
double Fbm(double x, double y, int octaves, int seed)
{
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; i++) {
        sum += amplitude * ValueNoise(x, y, seed + i * 101);
        total += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        amplitude *= 0.5;
    }
    return sum / total;
}

//------------------------------------------------------------------------------------------------
// Rendering: every pixel averages a few samples of the painting function in picture units.
//------------------------------------------------------------------------------------------------
using Painter = std::function<Rgb(double x, double y)>;  // x, y in pixels

gfx::Pixmap Render(int width, int height, int samples, const Painter& paint)
{
    gfx::Pixmap pixmap = gfx::CreatePixmap(width, height, false);
    for (int py = 0; py < height; py++) {
        for (int px = 0; px < width; px++) {
            Rgb sum;
            for (int sy = 0; sy < samples; sy++)
                for (int sx = 0; sx < samples; sx++)
                    sum = sum + paint(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples);
            sum = sum * (1.0 / (samples * samples));
            auto channel = [](double v) { return uint32_t(std::lround(Clamp01(v) * 255)); };
            gfx::WritePixel(pixmap, px, py,
                            0xFF000000u | channel(sum.r) << 16 | channel(sum.g) << 8 | channel(sum.b));
        }
    }
    return pixmap;
}

//------------------------------------------------------------------------------------------------
// The pictures
//------------------------------------------------------------------------------------------------

// Escape-time colouring shared by the two fractals: outside by the smoothed escape count, inside
// by how close the orbit came to a ring and to the axes, so the inner areas carry pattern too.
Rgb FractalColour(double zx, double zy, double cx, double cy, int maxIterations, Rgb phase, double bands)
{
    double trapRing = 1e9, trapAxes = 1e9;
    for (int i = 0; i < maxIterations; i++) {
        double x2 = zx * zx, y2 = zy * zy;
        if (x2 + y2 > 256) {
            double smooth = i + 1 - std::log2(std::log2(x2 + y2) / 2);
            double t = std::sqrt(smooth) / bands;
            Rgb c = Palette(t, phase);
            double glow = Clamp01(smooth / 40.0);
            c = Mix(c * 0.55, c, 0.4 + 0.6 * glow);
            // A faint chequer of escape bands and orbit angles: texture even far from the set.
            int sector = int(std::floor(std::atan2(zy, zx) / (2 * PI) * 8 + 8));
            if ((int(std::floor(smooth)) + sector) & 1)
                c = c * 0.78;
            c = c * (0.9 + 0.1 * std::sin(std::atan2(zy, zx) * 48));  // fine field lines
            return c;
        }
        zy = 2 * zx * zy + cy;
        zx = x2 - y2 + cx;
        trapRing = std::min(trapRing, std::abs(std::sqrt(zx * zx + zy * zy) - 0.5));
        trapAxes = std::min(trapAxes, std::min(std::abs(zx), std::abs(zy)));
    }
    Rgb inner = Palette(0.6 + 3.0 * trapRing, {0.55, 0.65, 0.85});
    inner = inner * (0.6 + 0.4 * std::sin(trapAxes * 300));  // contour ripples
    return Mix(inner * 0.25, inner, Clamp01(1.0 - 4.0 * trapAxes) * 0.7 + 0.3);
}

gfx::Pixmap Mandelbrot(int width, int height)
{
    // A spot in the valley between the main body and the bulb on its left: detail everywhere.
    const double centreX = -0.7448, centreY = 0.1127, span = 0.0068;
    double scale = span / width;
    return Render(width, height, 2, [&](double x, double y) {
        double cx = centreX + (x - width / 2.0) * scale;
        double cy = centreY + (y - height / 2.0) * scale;
        return FractalColour(0, 0, cx, cy, 700, {0.0, 0.15, 0.35}, 1.6);
    });
}

gfx::Pixmap Julia(int width, int height)
{
    const double cx = -0.7269, cy = 0.1889;
    double scale = 2.5 / width;
    return Render(width, height, 2, [&](double x, double y) {
        double zx = (x - width / 2.0) * scale;
        double zy = (y - height / 2.0) * scale;
        return FractalColour(zx, zy, cx, cy, 400, {0.75, 0.45, 0.2}, 1.2);
    });
}

gfx::Pixmap Plasma(int width, int height)
{
    return Render(width, height, 2, [&](double x, double y) {
        double u = x / width * 8, v = y / height * 8;
        // Warp the plane with noise so the waves twist and never repeat.
        double wu = u + 2.2 * Fbm(u * 0.35, v * 0.35, 4, 11);
        double wv = v + 2.2 * Fbm(u * 0.35 + 5.2, v * 0.35 + 1.3, 4, 12);
        double value = std::sin(wu * 1.3) + std::sin(wv * 1.7 + 0.5) + std::sin((wu + wv) * 0.9) +
                       std::sin(std::hypot(wu - 4, wv - 4) * 1.9);
        double t = value * 0.25 + 0.08 * u;
        Rgb c = Palette(t, {0.0, 0.33, 0.67});
        // Thin dark contour lines and a fine ripple inside each band.
        double line = std::abs(Fract(value * 2.5) - 0.5);
        c = c * (0.55 + 0.45 * SmoothStep(0.02, 0.09, line));
        c = c * (0.9 + 0.1 * std::sin(value * 40));
        return c * (0.85 + 0.3 * Fbm(x / 5, y / 5, 3, 13));
    });
}

gfx::Pixmap Truchet(int width, int height)
{
    const double cell = 40;
    return Render(width, height, 3, [&](double x, double y) {
        int cellX = int(x / cell), cellY = int(y / cell);
        double fx = x / cell - cellX, fy = y / cell - cellY;
        bool flipped = Hash(cellX, cellY, 7) & 1;
        if (flipped)
            fx = 1 - fx;  // the other of the two tile orientations
        // Distance to the nearer of the two arc centres (opposite corners).
        double d1 = std::hypot(fx, fy), d2 = std::hypot(1 - fx, 1 - fy);
        bool nearFirst = d1 < d2;
        double r = std::min(d1, d2);
        double hue = 0.55 * x / width + 0.35 * y / height + 0.15 * Fbm(x / 90, y / 90, 3, 21);
        double band = std::abs(r - 0.5);
        Rgb c;
        if (band < 0.16) {
            // A tube: lit along its middle, dark at its rims.
            double shade = std::cos(band / 0.16 * PI / 2);
            c = Hsv(hue + 0.5, 0.75, 0.35 + 0.65 * shade);
            c = c * SmoothStep(0.16, 0.13, band) + Rgb{0.05, 0.05, 0.08} * SmoothStep(0.13, 0.16, band);
        } else {
            // Between the tubes: the ground around each lattice point is light or dark by the
            // point's parity, so the colours run on unbroken from cell to cell.
            bool inside = r < 0.5;
            int cornerX = cellX + ((nearFirst != flipped) ? 0 : 1), cornerY = cellY + (nearFirst ? 0 : 1);
            bool centreEven = ((cornerX + cornerY) & 1) == 0;
            bool light = inside == centreEven;  // the far corners of a cell have the other parity
            // Rings around the arc centres, fine diagonal lines elsewhere.
            double pattern = inside ? std::sin(r * 60) : std::sin((x + y) * 0.8);
            c = Hsv(hue + (light ? 0.0 : 0.12), light ? 0.55 : 0.8, (light ? 0.95 : 0.6) * (0.85 + 0.15 * pattern));
        }
        return c;
    });
}

// The landscape above the water: sky with clouds and sun, three mountain ranges, a forest.
Rgb LandscapeAbove(double u, double v)
{
    // Sky: deep blue above, warm near the horizon, a sun with its glow.
    Rgb sky = Mix(Rgb{0.12, 0.22, 0.55}, Rgb{0.98, 0.68, 0.42}, std::pow(Clamp01(v / 0.6), 1.6));
    double sunDistance = std::hypot((u - 0.72) * 1.6, v - 0.17);
    sky = sky + Rgb{1.0, 0.8, 0.5} * (0.45 * std::exp(-sunDistance * 9));
    if (sunDistance < 0.035)
        sky = Rgb{1.0, 0.96, 0.82};
    double cloud = Fbm(u * 7, v * 18, 6, 31);
    double cover = SmoothStep(0.45, 0.72, cloud);
    double lit = Fbm(u * 7 + 0.02, v * 18 - 0.12, 6, 31);
    Rgb cloudColour = Mix(Rgb{0.98, 0.88, 0.85}, Rgb{0.55, 0.45, 0.60}, SmoothStep(0.5, 0.8, lit));
    cloudColour = cloudColour * (0.8 + 0.3 * Fbm(u * 40, v * 90, 4, 34));  // billows
    // Thin veils of high cloud streak the whole sky, so no stretch of it is plain.
    double veil = Fbm(u * 12, v * 50, 5, 33);
    sky = Mix(sky, Rgb{1.0, 0.90, 0.85}, 0.05 + 0.5 * SmoothStep(0.3, 0.7, veil));
    Rgb c = Mix(sky, cloudColour, cover * 0.9);

    // Mountain ranges from back to front, each hazier the farther it is.
    struct Range {
        double base, height, frequency;
        int seed;
        Rgb colour;
        double snow;
    };
    const std::array<Range, 3> ranges = {{
        {0.46, 0.30, 3.0, 41, {0.50, 0.52, 0.68}, 0.27},
        {0.52, 0.20, 5.0, 42, {0.36, 0.40, 0.42}, 0.38},
        {0.57, 0.10, 9.0, 43, {0.18, 0.30, 0.18}, 1.0},
    }};
    for (const Range& range : ranges) {
        double ridge = range.base - range.height * Fbm(u * range.frequency, range.seed * 0.37, 6, range.seed);
        if (v < ridge)
            continue;
        // Gullies run down the slopes: noise stretched along the fall line. Light comes from the
        // sun on the right, so the side of a gully facing right is lit.
        double depth = v - ridge;
        double f = range.frequency * 4;
        auto gully = [&](double du) { return Fbm((u + du + depth * 0.5) * f, depth * f * 0.6, 5, range.seed + 5); };
        double relief = gully(0);
        double slope = gully(0.002) - relief;
        Rgb m = range.colour * (0.75 + 0.45 * relief) * (1.0 + std::clamp(slope * 50, -0.4, 0.4));
        // Snow on the peaks above the snow line, reaching down the gullies.
        double snowDepth = (range.snow - ridge) * (0.1 + 0.7 * relief);
        if (depth < snowDepth)
            m = Mix(m, Rgb{0.92, 0.93, 1.0} * (0.9 + std::clamp(slope * 40, -0.3, 0.2)) *
                           (0.8 + 0.25 * Fbm(u * 150, v * 150, 3, range.seed + 8)), 0.9);
        // Haze at the foot of the farther ranges.
        double haze = SmoothStep(0.0, 0.12, v - ridge) * (range.snow < 0.5 ? 0.35 : 0.0);
        c = Mix(m, Rgb{0.75, 0.70, 0.80}, haze);
    }

    // A forest of firs along the shore, two rows, each tree of its own height and shade.
    for (int row = 0; row < 2; row++) {
        double treeWidth = row == 0 ? 0.010 : 0.008;
        double baseTop = row == 0 ? 0.525 : 0.545;
        int tree = int(std::floor(u / treeWidth));
        for (int t = tree - 1; t <= tree + 1; t++) {
            int seed = 51 + row * 10;
            double centre = (t + 0.5 + 0.5 * (Random01(t, 0, seed) - 0.5)) * treeWidth;
            double top = baseTop - 0.05 * Random01(t, 1, seed) - 0.03 * Fbm(t * 0.07, row, 3, seed + 1);
            double halfWidth = (v - top) * (0.22 + 0.12 * Random01(t, 3, seed));
            if (v > top && v < 0.585 && std::abs(u - centre) < halfWidth) {
                double side = (u - centre) / std::max(halfWidth, 1e-6);  // -1 .. 1, lit on the right
                double needles = Fbm(u * 400, v * 250, 3, seed + 2);
                Rgb green = Hsv(0.25 + 0.15 * Random01(t, 2, seed), 0.7, 0.40 + 0.35 * Random01(t, 4, seed));
                c = green * ((0.6 + 0.35 * side) * (0.5 + 1.0 * needles) * (row == 0 ? 0.8 : 1.0));
            }
        }
    }
    return c;
}

gfx::Pixmap Landscape(int width, int height)
{
    const double shore = 0.585, meadow = 0.86;
    return Render(width, height, 2, [&](double x, double y) {
        double u = x / width, v = y / height;
        double meadowEdge = meadow - 0.05 * Fbm(u * 4, 3.3, 4, 61);
        if (v < shore)
            return LandscapeAbove(u, v);
        if (v < meadowEdge) {
            // The lake mirrors the landscape, broken up by ripples.
            double ripple = Fbm(u * 3, (v - shore) * 90, 3, 71) - 0.5;
            double mirrored = 2 * shore - v + ripple * 0.02 * (v - shore + 0.02) * 8;
            Rgb reflection = LandscapeAbove(u + ripple * 0.01, std::max(mirrored, 0.0));
            Rgb water = Mix(reflection * 0.9, Rgb{0.10, 0.22, 0.35}, 0.2 + 0.5 * (v - shore));
            double glint = SmoothStep(0.68, 0.8, Fbm(u * 40, (v - shore) * 160, 3, 72));
            return water + Rgb{0.9, 0.8, 0.6} * (glint * (0.25 + 0.4 * std::exp(-std::abs(u - 0.72) * 6)));
        }
        // Meadow with grass and flowers.
        double grass = Fbm(u * 90, v * 30, 4, 81);
        Rgb c = Mix(Rgb{0.15, 0.35, 0.08}, Rgb{0.45, 0.70, 0.20}, grass) * (0.8 + 0.4 * (v - meadowEdge) / 0.2);
        double cellSize = 0.012;
        int fx = int(std::floor(u / cellSize)), fy = int(std::floor(v / cellSize));
        for (int cy = fy - 1; cy <= fy + 1; cy++) {
            for (int cx = fx - 1; cx <= fx + 1; cx++) {
                if (Random01(cx, cy, 82) > 0.55)
                    continue;
                double px = (cx + Random01(cx, cy, 83)) * cellSize, py = (cy + Random01(cx, cy, 84)) * cellSize;
                double radius = cellSize * (0.18 + 0.22 * Random01(cx, cy, 85));
                double d = std::hypot(u - px, (v - py) * 1.6);
                if (d < radius) {
                    Rgb petal = Hsv(std::array<double, 5>{0.0, 0.13, 0.75, 0.92, 0.58}[Hash(cx, cy, 86) % 5], 0.8, 1.0);
                    c = d < radius * 0.35 ? Rgb{1.0, 0.85, 0.2} : petal * (1.0 - 0.4 * d / radius);
                }
            }
        }
        return c;
    });
}

gfx::Pixmap Nebula(int width, int height)
{
    return Render(width, height, 2, [&](double x, double y) {
        double u = x / height * 3, v = y / height * 3;
        double warpU = Fbm(u, v, 5, 91), warpV = Fbm(u + 3.1, v - 2.4, 5, 92);
        double gas = Fbm(u + 2.5 * warpU, v + 2.5 * warpV, 7, 93);
        double dust = Fbm(u * 2 + 1.7 * warpV, v * 2 - 1.7 * warpU, 6, 94);
        Rgb c = Mix(Rgb{0.05, 0.02, 0.15}, Rgb{0.85, 0.15, 0.55}, SmoothStep(0.3, 0.7, gas));
        c = Mix(c, Rgb{0.10, 0.75, 0.80}, SmoothStep(0.45, 0.8, warpV) * 0.7);
        c = Mix(c, Rgb{1.0, 0.65, 0.25}, SmoothStep(0.6, 0.85, gas * warpU * 1.6) * 0.8);
        c = c * (0.5 + 0.8 * SmoothStep(0.25, 0.7, dust));
        c = c + Rgb{0.10, 0.15, 0.35} * (0.6 * Fbm(u * 6, v * 6, 5, 90));
        // Stars: one chance in each small cell, a few big ones with rays.
        const double cell = 7;
        int sx = int(x / cell), sy = int(y / cell);
        for (int cy = sy - 1; cy <= sy + 1; cy++) {
            for (int cx = sx - 1; cx <= sx + 1; cx++) {
                double chance = Random01(cx, cy, 95);
                if (chance > 0.6)
                    continue;
                double px = (cx + Random01(cx, cy, 96)) * cell, py = (cy + Random01(cx, cy, 97)) * cell;
                double d = std::hypot(x - px, y - py);
                double brightness = chance < 0.015 ? 1.6 : 0.25 + 0.6 * Random01(cx, cy, 98);
                double star = brightness * std::exp(-d * d / (chance < 0.015 ? 3.0 : 0.5));
                if (chance < 0.015)  // the rays of a bright star
                    star += 0.5 * std::exp(-std::min(std::abs(x - px), std::abs(y - py)) * 1.5 - d * 0.12);
                c = c + Hsv(0.55 + 0.2 * Random01(cx, cy, 99), 0.25, 1.0) * star;
            }
        }
        return c;
    });
}

gfx::Pixmap ChurchWindow(int width, int height)
{
    // Glass in a round window: rings and spokes of lead, each pane split further by a Voronoi
    // pattern of random points; stone with joints around it.
    const int grid = 14;
    std::vector<std::array<double, 2>> seeds;
    for (int gy = 0; gy < grid; gy++)
        for (int gx = 0; gx < grid; gx++)
            seeds.push_back({(gx + 0.15 + 0.7 * Random01(gx, gy, 101)) / grid,
                             (gy + 0.15 + 0.7 * Random01(gx, gy, 102)) / grid});
    const std::array<Rgb, 6> glass = {{{0.75, 0.08, 0.12}, {0.10, 0.20, 0.75}, {0.10, 0.60, 0.25},
                                       {0.95, 0.65, 0.10}, {0.50, 0.15, 0.65}, {0.15, 0.60, 0.75}}};
    return Render(width, height, 2, [&](double x, double y) {
        double u = x / width, v = y / height;
        double dx = u - 0.5, dy = v - 0.5, r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        if (r > 0.47) {
            // Stone blocks with mortar joints.
            double rowHeight = 0.05, row = std::floor(v / rowHeight);
            double blockX = u / 0.12 + (int(row) % 2) * 0.5;
            double joint = std::min(std::abs(Fract(v / rowHeight) - 0.5), std::abs(Fract(blockX) - 0.5));
            int block = int(std::floor(blockX));
            double stone = Fbm(u * 80, v * 80, 5, 103) * 0.7 + 0.3 * Random01(block, int(row), 104);
            Rgb tint = Hsv(0.06 + 0.08 * Random01(block, int(row), 107), 0.15 + 0.3 * Random01(block, int(row), 108), 1.0);
            Rgb c = Mix(Rgb{0.30, 0.27, 0.24}, tint * 0.85, stone);
            return Mix(c, Rgb{0.20, 0.18, 0.17}, SmoothStep(0.44, 0.47, joint));
        }
        // Nearest two seeds: their distance difference marks the lead between panes.
        double best = 1e9, second = 1e9;
        int bestIndex = 0;
        for (size_t i = 0; i < seeds.size(); i++) {
            double d = std::hypot(u - seeds[i][0], v - seeds[i][1]);
            if (d < best) {
                second = best;
                best = d;
                bestIndex = int(i);
            } else if (d < second) {
                second = d;
            }
        }
        double ring = std::abs(Fract(r / 0.094 + 0.5) - 0.5) * 0.094;    // distance to a ring
        double spokes = r < 0.094 ? 1.0 : std::abs(Fract(angle / (2 * PI) * 16 + 0.5) - 0.5) / 16 * 2 * PI * r;
        double lead = std::min({second - best, ring * 1.6, spokes * 1.6, std::abs(r - 0.47)});
        int sector = int(std::floor((angle + PI) / (2 * PI) * 16)), band = int(r / 0.094);
        Rgb pane = glass[(Hash(bestIndex, sector * 7 + band, 105) % glass.size())];
        double streaks = Fbm(u * 20 + v * 6, v * 90, 4, 106);
        double light = 0.55 + 0.6 * (1.0 - std::hypot(u - 0.35, v - 0.3)) * (0.7 + 0.6 * streaks);
        Rgb c = pane * light;
        c = c + Rgb{1, 1, 1} * (0.25 * SmoothStep(0.06, 0.0, best) * streaks);  // glow at a pane's heart
        return Mix(Rgb{0.08, 0.08, 0.09}, c, SmoothStep(0.003, 0.006, lead));
    });
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (bytes.empty() || !file) {
        std::fprintf(stderr, "make_motives: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : "resources/Motives";
    folder += "/";
    bool ok = true;
    ok &= WriteFile(folder + "Apfelmännchen.png", gfx::EncodePNG(Mandelbrot(800, 600)));
    ok &= WriteFile(folder + "PuzzlePlasma.jpg", gfx::EncodeJPeg(Plasma(512, 512), 92));
    ok &= WriteFile(folder + "Truchet Kacheln.png", gfx::EncodePNG(Truchet(600, 600)));
    ok &= WriteFile(folder + "Bergsee.jpeg", gfx::EncodeJPeg(Landscape(1024, 640), 90));
    ok &= WriteFile(folder + "Julia.JPG", gfx::EncodeJPeg(Julia(480, 360), 92));
    ok &= WriteFile(folder + "Sternennebel.jpg", gfx::EncodeJPeg(Nebula(700, 500), 90));
    ok &= WriteFile(folder + "PuzzleKirchenfenster.png", gfx::EncodePNG(ChurchWindow(512, 512)));
    return ok ? 0 : 1;
}
