// Draws the game's button pictures and its mouse cursor and writes them into the resources folder.
//
// Usage: make_art [resources folder]   (default: "resources", run from the source tree's root)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/gfx.h"

namespace {

// Each pixel is sampled on a 4x4 grid, which gives the curved corners and the arrows smooth edges.
constexpr int SUBSAMPLES = 4;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double Mix(double a, double b, double t) { return a + (b - a) * t; }
double SmoothStep(double edge0, double edge1, double v)
{
    double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Signed distance from (x, y) to the edge of a rounded rectangle: negative inside.
double RoundedBoxDistance(double x, double y, double width, double height, double radius)
{
    double qx = std::abs(x - width / 2) - (width / 2 - radius);
    double qy = std::abs(y - height / 2) - (height / 2 - radius);
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    double inside = std::min(std::max(qx, qy), 0.0);
    return outside + inside - radius;
}

struct Shade {
    double grey = 0;   // 0 black .. 1 white
    double alpha = 0;  // coverage
};

// One point of the glossy grey button: a body lit from above, a white sheen over the upper half,
// a dark rim and a faint light line just inside it, fading out over the outermost pixel or two.
Shade ButtonPoint(double x, double y, double width, double height)
{
    const double radius = std::min(width, height) * 0.24;
    double d = RoundedBoxDistance(x, y, width, height, radius);  // from the picture's own edge
    double inner = -d;                                           // depth inside the button
    double t = y / height;

    // Body: mid grey below the sheen, lighter again towards the bottom edge (reflected light).
    double grey = Mix(0.66, 0.82, SmoothStep(0.45, 1.0, t));

    // Gloss: a near-white sheen over the upper half, fading downwards to a crisp lower edge.
    double glossBottom = height * 0.50;
    double glossInset = std::max(3.0, height * 0.06);
    double gd = RoundedBoxDistance(x - glossInset, y - glossInset, width - 2 * glossInset,
                                   2 * (glossBottom - glossInset), radius - glossInset * 0.6);
    double glossGrey = Mix(0.98, 0.80, Clamp01((y - glossInset) / (glossBottom - glossInset)));
    grey = Mix(grey, glossGrey, SmoothStep(0.7, -0.7, gd) * (y < glossBottom ? 1.0 : 0.0));

    // Rim: dark outline with a light line inside it.
    double rimWidth = std::max(1.6, height * 0.03);
    grey = Mix(grey, 0.30, SmoothStep(rimWidth + 0.8, rimWidth - 0.8, inner));
    double lightLine = SmoothStep(0.7, 0.0, std::abs(inner - rimWidth - 0.9));
    grey = Mix(grey, 1.0, 0.35 * lightLine * (1.0 - t));

    Shade s;
    s.grey = Clamp01(grey);
    s.alpha = SmoothStep(1.2, -1.2, d);  // a soft, partly transparent border
    return s;
}

// Arrow pointing right, centred on (0, 0), as a polygon in pixels.
struct Point {
    double x, y;
};
std::vector<Point> RightArrow(double length, double height)
{
    double half = length / 2, shaft = height * 0.24, headStart = half - height * 0.62;
    return {{-half, -shaft}, {headStart, -shaft}, {headStart, -height / 2}, {half, 0},
            {headStart, height / 2}, {headStart, shaft}, {-half, shaft}};
}

bool InsidePolygon(const std::vector<Point>& poly, double x, double y)
{
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// arrow: 0 none, -1 pointing left, +1 pointing right.
gfx::Pixmap DrawButton(int width, int height, int arrow)
{
    gfx::Pixmap pixmap = gfx::CreatePixmap(width, height, true);
    std::vector<Point> shape = RightArrow(width * 0.44, height * 0.60);
    for (int py = 0; py < height; py++) {
        for (int px = 0; px < width; px++) {
            double greySum = 0, alphaSum = 0;  // grey premultiplied by alpha
            for (int sy = 0; sy < SUBSAMPLES; sy++) {
                for (int sx = 0; sx < SUBSAMPLES; sx++) {
                    double x = px + (sx + 0.5) / SUBSAMPLES;
                    double y = py + (sy + 0.5) / SUBSAMPLES;
                    Shade s = ButtonPoint(x, y, width, height);
                    if (arrow != 0) {
                        double ax = (x - width / 2.0) * arrow;
                        double ay = y - height / 2.0;
                        // A light edge under the arrow makes it look pressed into the button.
                        if (InsidePolygon(shape, ax, ay - 1.0))
                            s.grey = Mix(s.grey, 1.0, 0.5);
                        if (InsidePolygon(shape, ax, ay))
                            s.grey = 0.0;
                    }
                    greySum += s.grey * s.alpha;
                    alphaSum += s.alpha;
                }
            }
            double alpha = alphaSum / (SUBSAMPLES * SUBSAMPLES);
            double grey = alphaSum > 0 ? greySum / alphaSum : 0;
            uint32_t g = uint32_t(std::lround(grey * 255));
            uint32_t a = uint32_t(std::lround(alpha * 255));
            gfx::WritePixel(pixmap, px, py, (a << 24) | (g << 16) | (g << 8) | g);
        }
    }
    return pixmap;
}

// The cursor picture, one text row per pixel row: . magenta (see-through), o white, a b c greys.
const char* const CURSOR_ROWS[20] = {
    "....................", ".oo.................", ".oooo...............", ".aoaaoo.............",
    "..o..aaoo...........", "..ao...aaoo.........", "...o.....aoo........", "...ao....ooa........",
    "....o...ooa.........", "....ao.oooo.........", ".....ooooooo........", ".....aoaaoooo.......",
    "......a..aooo..cc...", "..........aoabcbbba.", "...........a.cbooba.", "............cbooobca",
    "............cboobbca", ".............bbbbca.", ".............aaccaa.", "...............aa...",
};

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back(uint8_t(value >> (8 * i)));
}

// 24-bit uncompressed BMP, rows bottom-up, each row 60 bytes (no padding needed at width 20).
std::vector<uint8_t> CursorBMP()
{
    const int size = 20, rowBytes = size * 3, imageBytes = rowBytes * size;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLE(out, 54 + imageBytes, 4);  // file size
    PutLE(out, 0, 4);                // reserved
    PutLE(out, 54, 4);               // offset of the pixels
    PutLE(out, 40, 4);               // info header size
    PutLE(out, size, 4);             // width
    PutLE(out, size, 4);             // height; positive means bottom-up
    PutLE(out, 1, 2);                // planes
    PutLE(out, 24, 2);               // bits per pixel
    PutLE(out, 0, 4);                // no compression
    PutLE(out, imageBytes, 4);
    PutLE(out, 2835, 4);             // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);                // palette colours
    PutLE(out, 0, 4);                // important colours
    for (int row = size - 1; row >= 0; row--) {
        for (int col = 0; col < size; col++) {
            uint8_t r = 0, g = 0, b = 0;
            switch (CURSOR_ROWS[row][col]) {
            case '.': r = 255, g = 0, b = 255; break;
            case 'o': r = g = b = 255; break;
            case 'a': r = g = b = 155; break;
            case 'b': r = g = b = 223; break;
            case 'c': r = g = b = 206; break;
            }
            out.push_back(b);  // BMP stores blue, green, red
            out.push_back(g);
            out.push_back(r);
        }
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_art: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : "resources";
    bool ok = true;
    ok &= WriteFile(folder + "/Archive/Buttonunbeschriftet.png", gfx::EncodePNG(DrawButton(200, 100, 0)));
    ok &= WriteFile(folder + "/Archive/ButtonL.png", gfx::EncodePNG(DrawButton(120, 50, -1)));
    ok &= WriteFile(folder + "/Archive/ButtonR.png", gfx::EncodePNG(DrawButton(120, 50, +1)));
    ok &= WriteFile(folder + "/Cursor.bmp", CursorBMP());
    return ok ? 0 : 1;
}
