// Speed of the board on the off-screen game window: cutting a 32x32 board, one play frame at
// 4x4, 16x16 and 32x32 (tile held, help level 2), and the floor: the same tiles drawn as one
// clear and one batch with no game logic.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/game.h"
#include "app/state.h"
#include "bench/clock.h"
#include "board/board.h"
#include "gfx/gfx.h"
#include "resources/resources.h"

using namespace gfx;
using namespace bench;

namespace {

constexpr int WARMUP_FRAMES = 30;
constexpr int MEASURED_FRAMES = 300;

// A photo-like picture: a different colour in every 8x8 block.
Image Picture() {
    Pixmap p = CreatePixmap(512, 512, false);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            WritePixel(p, x, y, 0xFF000000u | uint32_t((x / 8 * 37) % 256) << 16 |
                                    uint32_t((y / 8 * 53) % 256) << 8 | uint32_t((x / 8 + y / 8) * 19 % 256));
    return LoadImage(p, MASKEDIMAGE);
}

// What a choice on the selection screen does, with PreparePuzzle timed on its own.
double NewBoard(int grid) {
    G.MAP_X = G.MAP_Y = grid;
    Cls();
    G.PuzzleTileSize = 512 / grid;
    G.BetweenTile = grid > 27 ? 2 : 3;
    G.Puzzle = Grid<Image>(grid, grid);
    G.Puzzle_ID_Correct = Grid<int32_t>(grid, grid);
    G.Puzzle_ID_Now = Grid<int32_t>(grid, grid);
    G.Puzzle_Original = Grid<Image>(grid, grid);
    const double start = WallMs();
    PreparePuzzle();
    const double ms = WallMs() - start;
    G.AllTiles = grid * grid;
    return ms;
}

// A game in progress: shuffled, a tile held, help level 2 and the pointer over the cell where
// the held tile belongs, so that cell gets the highlight and both help marks.
void StartPlaying(int grid) {
    NewBoard(grid);
    MixPuzzle();
    int hx = 0, hy = 0;
    for (int x = 0; x < grid; ++x)
        for (int y = 0; y < grid; ++y)
            if (G.Puzzle_ID_Now(x, y) != G.Puzzle_ID_Correct(x, y)) hx = x, hy = y;
    G.Selection = 1;
    G.ChangeX_old = hx;
    G.ChangeY_old = hy;
    G.ChangeID = G.Puzzle_ID_Now(hx, hy);
    G.PXMCursor = G.Puzzle(hx, hy);
    G.Helpstate = 2;
    for (int x = 0; x < grid; ++x) {
        for (int y = 0; y < grid; ++y) {
            if (G.Puzzle_ID_Correct(x, y) != G.ChangeID) continue;
            const int pitch = G.PuzzleTileSize + G.BetweenTile;
            InjectMouseMove(int(G.AutoMidX) + x * pitch + 3, int(G.AutoMidY) + y * pitch + 3);
            PumpEvents();
        }
    }
}

// The board's quads alone: one clear, the panel, every tile with the frames of the correct ones
// and the marked cell's three rectangles, with no state changes and no game logic.
void FloorFrame() {
    Cls();
    DrawRect(590, 0, 210, 600);
    const int pitch = G.PuzzleTileSize + G.BetweenTile;
    const float size = G.PuzzleTileSize;
    for (int x = 0; x < G.MAP_X; ++x) {
        for (int y = 0; y < G.MAP_Y; ++y) {
            const float left = G.AutoMidX + x * pitch, top = G.AutoMidY + y * pitch;
            if (G.Puzzle_ID_Now(x, y) == G.Puzzle_ID_Correct(x, y)) DrawRect(left - 1, top - 1, size + 2, size + 2);
            DrawImage(G.Puzzle(x, y), left, top, 0);
            if (G.Puzzle_ID_Correct(x, y) == G.ChangeID) {
                DrawRect(left, top, size, size);
                DrawRect(left - 2, top - 2, size + 4, size + 4);
                DrawRect(left - 2, top - 2, size + 4, size + 4);
            }
        }
    }
    Flip(0);
}

void Print(const char* what, const Times& t, int drawCalls) {
    std::printf("  %-22s %7.2f ms wall  %7.2f ms main-thread CPU  %7.2f ms process CPU  %5d draw calls\n",
                what, t.wall, t.thread, t.process, drawCalls);
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    try {
        RegisterResources();
        Graphics(800, 600);
        UseTestClock(true);  // the frame timer then never sleeps
        G.Timer = CreateTimer(65);
        LoadResourcesAndDefaults();
        G.IMGPuzzle = Picture();
        // The selection screen has shown the picture in its frames before a board is cut.
        Cls();
        DrawImage(G.IMGPuzzle, 144, 13, 0);
        Flip(0);

        std::vector<double> prepare;
        for (int i = 0; i < 7; ++i) prepare.push_back(NewBoard(32));
        const double first = prepare.front();
        std::sort(prepare.begin(), prepare.end());
        std::printf("PreparePuzzle 32x32 (2048 tile images): %.2f ms median of 7, %.2f ms the first time\n",
                    prepare[prepare.size() / 2], first);
        std::printf("  images alive: %ld\n", LiveImageCount());

        std::printf("Play frame (Cls through Flip, tile held, help level 2), mean of %d frames:\n",
                    MEASURED_FRAMES);
        Times play32{}, floor32{};
        for (const int grid : {4, 16, 32}) {
            StartPlaying(grid);
            // The first frame of a new board also brings its fresh tiles to the renderer.
            const Times before = Now();
            PlayFrame();
            const Times first = PerFrame(before, Now(), 1);
            const Times play = Measure([] { PlayFrame(); }, WARMUP_FRAMES, MEASURED_FRAMES);
            const int playCalls = DrawCallCount();
            char label[32];
            std::snprintf(label, sizeof label, "play %dx%d", grid, grid);
            Print(label, play, playCalls);
            std::printf("  %-22s %7.2f ms wall  %7.2f ms main-thread CPU\n", "  its first frame", first.wall,
                        first.thread);
            if (grid == 32) play32 = play;
        }
        floor32 = Measure(FloorFrame, WARMUP_FRAMES, MEASURED_FRAMES);
        Print("floor 32x32", floor32, DrawCallCount());
        std::printf("32x32 play frame / floor: %.2fx wall, %.2fx main-thread CPU, %.2fx process CPU\n",
                    play32.wall / floor32.wall, play32.thread / floor32.thread, play32.process / floor32.process);
        CloseGraphics();
    } catch (const GraphicsFailure& failure) {
        std::fprintf(stderr, "bench_board: no window: %s\n", failure.what());
        return 1;
    }
    return 0;
}
