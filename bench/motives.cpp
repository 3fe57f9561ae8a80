// Start-up speed of the motive folder: milliseconds per 12-megapixel camera JPEG normalised, and
// per 512x512 picture catalogued (on the off-screen game window), with where the time goes.
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/state.h"
#include "bench/clock.h"
#include "gfx/gfx.h"
#include "motives/catalogue.h"
#include "motives/motive.h"

namespace fs = std::filesystem;
using namespace gfx;
using bench::WallMs;

namespace {

constexpr int PHOTO_WIDTH = 4000;   // 12 megapixels, 4:3 like a camera
constexpr int PHOTO_HEIGHT = 3000;
constexpr int PHOTOS = 8;
constexpr int RUNS = 3;
constexpr int CATALOGUE_PICTURES = 48;

// Processor time of all threads: tells the work apart from waiting for a busy machine.
double ProcessorNow() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

// Generated camera-like art: plasma waves for the landscape, a fine ripple for texture, and
// sensor grain of +-grain on every pixel. The grain decides the file size, and the file size the
// decoding time, so the figures are printed with it.
Pixmap CameraPicture(int width, int height, int seed, int grain) {
    std::vector<uint8_t> palette(1024 * 3);
    for (int i = 0; i < 1024; ++i) {
        for (int c = 0; c < 3; ++c) {
            palette[size_t(i) * 3 + size_t(c)] = uint8_t(127 + 110 * std::sin(i * 0.012 + c * 2.1 + seed));
        }
    }
    const auto table = [](int n, double step, double phase) {
        std::vector<float> t(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) t[size_t(i)] = float(std::sin(i * step + phase));
        return t;
    };
    const std::vector<float> waveX = table(width, 0.004, seed), waveY = table(height, 0.006, 0.0);
    const std::vector<float> waveD = table(width + height, 0.003, 1.0);
    const std::vector<float> rippleX = table(width, 0.09, 0.0), rippleY = table(height, 0.07, seed);

    Pixmap p = CreatePixmap(width, height, false);
    uint32_t noise = 12345u + uint32_t(seed) * 7919u;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &p.pixels[size_t(y) * size_t(width) * 4];
        for (int x = 0; x < width; ++x) {
            const float v = waveX[size_t(x)] + waveY[size_t(y)] + waveD[size_t(x + y)] +
                            0.6f * rippleX[size_t(x)] * rippleY[size_t(y)];
            const uint8_t* colour = &palette[size_t(std::clamp(int((v + 3.6f) * 142.0f), 0, 1023)) * 3];
            noise = noise * 1664525u + 1013904223u;
            const int g = grain ? int(noise >> 16) % (2 * grain + 1) - grain : 0;
            for (int c = 0; c < 3; ++c) row[x * 4 + c] = uint8_t(std::clamp(colour[c] + g, 0, 255));
        }
    }
    return p;
}

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The best of a few runs: other programs share the machine's two cores.
template <typename Work>
double BestOf(int runs, Work work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = WallMs();
        work();
        best = std::min(best, WallMs() - start);
    }
    return best;
}

void BenchNormalising(const char* kind, int grain) {
    const std::vector<uint8_t> photos[2] = {EncodeJPeg(CameraPicture(PHOTO_WIDTH, PHOTO_HEIGHT, 1, grain), 90),
                                            EncodeJPeg(CameraPicture(PHOTO_WIDTH, PHOTO_HEIGHT, 2, grain), 90)};
    const double megabytes = (photos[0].size() + photos[1].size()) / 2e6;

    double total = 1e30, processor = 1e30;
    for (int run = 0; run < RUNS; ++run) {
        fs::remove_all("Motives");
        fs::create_directory("Motives");
        for (int i = 0; i < PHOTOS; ++i) Write("Motives/IMG_" + std::to_string(1000 + i) + ".jpg", photos[i % 2]);
        const double start = WallMs(), startProcessor = ProcessorNow();
        NormaliseMotiveFolder();
        total = std::min(total, WallMs() - start);
        processor = std::min(processor, ProcessorNow() - startProcessor);
    }
    std::printf("Normalising %s 12-MP JPEGs (%.1f MB each): %.1f ms per picture (processor time %.1f ms, both cores)\n",
                kind, megabytes, total / PHOTOS, processor / PHOTOS);

    // Where the time goes in one picture, one step after the other.
    Write("probe.jpg", photos[0]);
    std::optional<Pixmap> decoded;
    Pixmap resized;
    const double decode = BestOf(RUNS, [&] { decoded = LoadPixmapJPeg("probe.jpg", 513); });
    const double resize = BestOf(RUNS, [&] { resized = ResizePixmap(*decoded, 512, 512); });
    const double encode = BestOf(RUNS, [&] { EncodeJPeg(resized, 75); });
    std::printf("  one after the other: decode to %dx%d %.1f ms, resize %.1f ms, encode %.1f ms\n", decoded->width,
                decoded->height, decode, resize, encode);
    fs::remove("probe.jpg");
}

void BenchCatalogue() {
    // Normalised pictures, as the normalisation pass writes them.
    fs::remove_all("Motives");
    fs::create_directory("Motives");
    for (int i = 0; i < CATALOGUE_PICTURES; ++i) {
        Write("Motives/Puzzle" + std::to_string(i) + ".png", EncodeJPeg(CameraPicture(512, 512, i, 6), 75));
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    Graphics(800, 600);
    SetMaskColor(255, 0, 255);

    const double start = WallMs(), startProcessor = ProcessorNow();
    BuildMotiveCatalogue();
    const double total = WallMs() - start, processor = ProcessorNow() - startProcessor;
    std::printf("Catalogue: %.2f ms per 512x512 picture (%d pictures, %.0f ms; processor time %.2f ms per picture)\n",
                total / G.CountMotives, int(G.CountMotives), total, processor / G.CountMotives);

    // Where the time goes, averaged over a few pictures.
    constexpr int ROUNDS = 16;
    double load = 0, upload = 0, mirror = 0;
    for (int i = 0; i < ROUNDS; ++i) {
        double t = WallMs();
        const std::optional<Pixmap> p = LoadPixmap("Motives/Puzzle" + std::to_string(i) + ".png");
        load += WallMs() - t;
        t = WallMs();
        const Image image = LoadImage(*p, MASKEDIMAGE);
        upload += WallMs() - t;
        t = WallMs();
        const Image reflection = mirrorImage(image);
        mirror += WallMs() - t;
    }
    std::printf("  decode %.2f ms, image %.2f ms, reflection %.2f ms\n", load / ROUNDS, upload / ROUNDS, mirror / ROUNDS);
}

}  // namespace

// With "normalise" or "catalogue" only that part runs (for profiling).
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    std::string pattern = (fs::temp_directory_path() / "kz-bench-XXXXXX").string();
    const fs::path root = mkdtemp(pattern.data());
    const fs::path home = fs::current_path();
    fs::current_path(root);
    fs::create_directory("Motives");
    int status = 0;
    try {
        if (only != "catalogue") {
            BenchNormalising("photo-like", 6);
            BenchNormalising("grainy", 16);
        }
        if (only != "normalise") BenchCatalogue();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        status = 1;
    }
    fs::current_path(home);
    fs::remove_all(root);
    return status;
}
