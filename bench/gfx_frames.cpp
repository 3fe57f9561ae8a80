// Speed of the drawing layer alone on the off-screen window: making and grabbing the 2048 tile
// images of a 32x32 board, a play-like frame of 1024 tiles with their frames, highlight, texts
// and cursor, and the same quads drawn as one plain batch.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/clock.h"
#include "gfx/gfx.h"
#include "resources/resources.h"

using namespace gfx;
using namespace bench;

namespace {

constexpr int GRID = 32;
constexpr int TILE = 16;
constexpr int WARMUP_FRAMES = 30;
constexpr int FRAMES = 300;

Image Picture() {
    Pixmap p = CreatePixmap(512, 512, false);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            WritePixel(p, x, y, 0xFF000000u | uint32_t(x / 2) << 16 | uint32_t(y / 2) << 8 | uint32_t((x ^ y) & 255));
    return LoadImage(p, MASKEDIMAGE);
}

// Cut the picture as a new board does: two masked tile images per cell, grabbed from the frame.
std::vector<Image> Cut(const Image& picture) {
    Cls();
    DrawImage(picture, 0, 0);
    SetMaskColor(255, 0, 255);
    std::vector<Image> tiles;
    tiles.reserve(GRID * GRID * 2);
    for (int x = 0; x < GRID; ++x)
        for (int y = 0; y < GRID; ++y)
            for (int copy = 0; copy < 2; ++copy) {
                Image tile = CreateImage(TILE, TILE, 1, MASKEDIMAGE | DYNAMICIMAGE);
                GrabImage(tile, x * TILE, y * TILE);
                tiles.push_back(std::move(tile));
            }
    Cls();
    return tiles;
}

// What a play frame asks of the layer at 32x32: every other tile with a faint frame, one lit
// tile and a help mark in light blending, the panel, preview, status texts, buttons and cursor.
void PlayLikeFrame(const std::vector<Image>& tiles, const Image& picture, const Image& button, const Image& cursor) {
    SetClsColor(50, 50, 50);
    Cls();
    SetBlend(ALPHABLEND);
    SetColor(100, 100, 100);
    DrawRect(590, 0, 210, 600);
    SetColor(255, 255, 255);
    SetScale(0.39f, 0.39f);
    DrawImage(picture, 595, 5);
    SetScale(1, 1);
    const int pitch = TILE + 2;
    for (int x = 0; x < GRID; ++x)
        for (int y = 0; y < GRID; ++y) {
            const float left = 9.5f + x * pitch, top = 7.0f + y * pitch;
            SetAlpha(0.2f);
            if ((x + y) % 2 == 0) {
                SetColor(0, 255, 0);
                DrawRect(left - 1, top - 1, TILE + 2, TILE + 2);
                SetColor(255, 255, 255);
            }
            SetAlpha(1);
            DrawImage(tiles[size_t(x * GRID + y) * 2], left, top);
            if (x == 10 && y == 12) {
                SetAlpha(0.2f);
                SetBlend(LIGHTBLEND);
                DrawRect(left, top, TILE, TILE);
                SetAlpha(0.4f);
                SetColor(0, 125, 0);
                DrawRect(left - 2, top - 2, TILE + 4, TILE + 4);
                SetColor(255, 255, 255);
                SetBlend(ALPHABLEND);
                SetAlpha(1);
            }
        }
    DrawText("00:01:23", 590 - TextWidth("00:01:23"), 582);
    DrawText("Korrekt platzierte: 512", 595, 210);
    DrawText("Getauschte Teile: 37", 595, 225);
    for (int i = 0; i < 3; ++i) {
        DrawImage(button, 595, 250.0f + i * 110);
        DrawText("Auflösen", 640, 285.0f + i * 110);
    }
    DrawImage(cursor, 300, 300);
    Flip(0);
}

// The floor: the same tiles and rectangles in one state, one batch.
void PlainFrame(const std::vector<Image>& tiles) {
    Cls();
    const int pitch = TILE + 2;
    for (int x = 0; x < GRID; ++x)
        for (int y = 0; y < GRID; ++y) {
            const float left = 9.5f + x * pitch, top = 7.0f + y * pitch;
            if ((x + y) % 2 == 0) DrawRect(left - 1, top - 1, TILE + 2, TILE + 2);
            DrawImage(tiles[size_t(x * GRID + y) * 2], left, top);
        }
    Flip(0);
}

void Print(const char* what, const Times& t) {
    std::printf("%-34s %7.2f ms wall %7.2f ms main thread %7.2f ms process  %3d draw calls\n", what, t.wall,
                t.thread, t.process, DrawCallCount());
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    try {
        RegisterResources();
        Graphics(800, 600);
        const Image picture = Picture();
        const Image button = LoadImage("incbin::Archive\\Buttonunbeschriftet.png");
        const Image cursor = LoadImage("incbin::Cursor.bmp", MASKEDIMAGE);
        const ImageFont font = LoadImageFont("incbin::Fonts\\CONTF___.ttf", 20, 4);
        SetImageFont(font);

        std::vector<double> cuts;
        std::vector<Image> tiles;
        for (int i = 0; i < 7; ++i) {
            tiles.clear();
            const Times start = Now();
            tiles = Cut(picture);
            cuts.push_back(Now().wall - start.wall);
        }
        const double first = cuts.front();
        std::sort(cuts.begin(), cuts.end());
        std::printf("make and grab %d tiles of %dx%d: %.2f ms median of 7 (%.2f ms the first time)\n",
                    GRID * GRID * 2, TILE, TILE, cuts[cuts.size() / 2], first);

        const Times before = Now();
        PlayLikeFrame(tiles, picture, button, cursor);
        Print("first frame with fresh tiles", PerFrame(before, Now(), 1));
        const Times play = Measure([&] { PlayLikeFrame(tiles, picture, button, cursor); }, WARMUP_FRAMES, FRAMES);
        Print("play-like frame, 32x32", play);
        SetBlend(ALPHABLEND);
        SetAlpha(1);
        const Times plain = Measure([&] { PlainFrame(tiles); }, WARMUP_FRAMES, FRAMES);
        Print("same quads as one plain batch", plain);
        std::printf("play-like / plain: %.2fx wall, %.2fx main thread\n", play.wall / plain.wall,
                    play.thread / plain.thread);
        std::printf("images alive: %ld\n", LiveImageCount());
        CloseGraphics();
    } catch (const GraphicsFailure& failure) {
        std::fprintf(stderr, "bench_gfx_frames: no window: %s\n", failure.what());
        return 1;
    }
    return 0;
}
