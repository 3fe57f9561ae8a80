// A long session: 200 boards in a row through the real screens, and nothing may pile up.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <utility>

#include "app/game.h"
#include "screens/screens.h"
#include "tests/support/game_fixture.h"

using namespace gfx;

// AddressSanitizer keeps freed memory in quarantine on purpose, so there the resident size
// says nothing about the game; its own leak check covers that build instead.
#if defined(__SANITIZE_ADDRESS__)
#define KZ_RESIDENT_SIZE_MEANINGFUL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KZ_RESIDENT_SIZE_MEANINGFUL 0
#endif
#endif
#ifndef KZ_RESIDENT_SIZE_MEANINGFUL
#define KZ_RESIDENT_SIZE_MEANINGFUL 1
#endif

namespace {

constexpr int kBoards = 200;
constexpr int kMotives = 3;

// The grid of board b (1-based): every size from 32 down to 4 once in each 29 boards, mixed
// (13 and 29 share no factor), so the largest board comes first and every size recurs.
int GridOf(int board) { return 32 - (board - 1) * 13 % 29; }

// The motive a board is cut from: the selection starts at motive 0, the Left key steps to
// the motive after it (1), the Right key to the one before it (the last).
int MotiveOf(int board) { return board % kMotives; }

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Images that live for the whole run: the catalogue's pictures and reflections, buttons and
// cursor.
long RunImages() {
    long count = 0;
    for (const TMotives& m : G.MotivesList) count += (m.Motiv != nullptr) + (m.Mirror != nullptr);
    for (const Image* i : {&G.IMGButton, &G.IMGCursor, &G.ButtonL, &G.ButtonR, &G.ButtonLMirror,
                           &G.ButtonRMirror})
        count += (*i != nullptr);
    return count;
}

const Image& MotiveImage(int id) {
    for (const TMotives& m : G.MotivesList)
        if (m.ID == id) return m.Motiv;
    static const Image none;
    return none;
}

// The centre of cell (x, y) on the screen.
std::pair<int, int> CellCentre(int x, int y) {
    const int pitch = G.PuzzleTileSize + G.BetweenTile;
    return {int(G.AutoMidX + x * pitch + G.PuzzleTileSize / 2),
            int(G.AutoMidY + y * pitch + G.PuzzleTileSize / 2)};
}

std::pair<int, int> MisplacedCell() {
    for (int x = 0; x < G.MAP_X; ++x)
        for (int y = 0; y < G.MAP_Y; ++y)
            if (G.Puzzle_ID_Now(x, y) != G.Puzzle_ID_Correct(x, y)) return {x, y};
    ADD_FAILURE() << "no misplaced tile on a " << G.MAP_X << " grid";
    return {0, 0};
}

void ClickCell(std::pair<int, int> cell) {
    const auto [x, y] = CellCentre(cell.first, cell.second);
    drive::Click(x, y);
}

// A step that ends the session at its first failure, so one fault is not reported 200 times.
std::function<void()> Checked(std::function<void()> step) {
    return [step] {
        step();
        if (::testing::Test::HasFailure()) throw drive::StopScreen{};
    };
}

struct Figures {
    long baseImages = 0;
    long imagesAt[kBoards + 1] = {};
    long residentAt[kBoards + 1] = {};
    int checked = 0;
};

using Soak = GameTest;

TEST_F(Soak, TwoHundredBoardsLeaveNothingBehind) {
    MakeCatalogue(kMotives);
    Figures f;
    f.baseImages = LiveImageCount();
    ASSERT_EQ(f.baseImages, RunImages()) << "before the first board only the run's images live";

    drive::Script script;
    auto then = [&script](std::function<void()> step) { script.then(Checked(std::move(step))); };
    then([] { drive::Click(400, 150); });  // "Spiel starten"
    for (int b = 1; b <= kBoards; ++b) {
        const int grid = GridOf(b);
        // Selection screen: drag the slider to the grid and step to the motive, then click the
        // picture once the step has shown it.
        then([b, grid] {
            drive::MoveMouse(144 + 15 * grid + 7, 500);
            drive::Press();
            if (MotiveOf(b) == 1) drive::Key(37);
            if (MotiveOf(b) == kMotives - 1) drive::Key(39);
        });
        then([] {
            drive::Release();
            drive::Click(400, 200);
        });
        script.idle(1);  // the choice is taken; the board is cut and shuffled
        // First frame of play on the new board: only its tiles may have joined the run's images.
        then([&f, b, grid] {
            ASSERT_EQ(G.MAP_X, grid);
            ASSERT_TRUE(BoardMatchesGrid());
            ASSERT_EQ(G.IMGPuzzle, MotiveImage(MotiveOf(b)));
            ASSERT_EQ(G.WINMODE, 0);
            ASSERT_LT(G.CorrectTiles, G.AllTiles);
            f.imagesAt[b] = LiveImageCount();
            f.residentAt[b] = ResidentKiB();
            ASSERT_EQ(f.imagesAt[b], f.baseImages + 2L * grid * grid) << "board " << b;
            drive::Click(695, 300);  // "Auflösen"
        });
        then([] { ASSERT_EQ(G.WINMODE, 3); });
        script.idle(1);  // the solve is carried out
        then([] {
            ASSERT_EQ(G.WINMODE, 2);
            ASSERT_EQ(G.CorrectTiles, G.AllTiles);
            drive::Click(695, 300);  // "Neu mischen"
        });
        then([] { ASSERT_EQ(G.WINMODE, 4); });
        then([] {
            ASSERT_EQ(G.WINMODE, 0);
            ASSERT_LT(G.CorrectTiles, G.AllTiles);
            ClickCell(MisplacedCell());  // a tile still held when the next motive is asked for
        });
        then([&f, b] {
            ASSERT_EQ(G.Selection, 1);
            f.checked = b;
            if (b < kBoards) drive::Click(695, 400);  // "Neues Motiv"
        });
    }
    const drive::Outcome outcome = script.run(
        [] {
            Menu();
            PlayLoop();
        },
        1);
    EXPECT_EQ(outcome, drive::Outcome::Stopped);
    ASSERT_EQ(f.checked, kBoards) << "the session went off its script";

    std::printf("[ soak     ] run images (catalogue %d motives + resources): %ld\n", kMotives,
                f.baseImages);
    for (int b : {1, 20, 100, 200})
        std::printf("[ soak     ] board %3d: grid %2d, live images %5ld, resident %6ld KiB\n", b,
                    GridOf(b), f.imagesAt[b], f.residentAt[b]);
    long peakAfter20 = 0;
    for (int b = 20; b <= kBoards; ++b) peakAfter20 = std::max(peakAfter20, f.residentAt[b]);
    std::printf("[ soak     ] resident growth from board 20 to the highest after it: %ld KiB\n",
                peakAfter20 - f.residentAt[20]);

#if KZ_RESIDENT_SIZE_MEANINGFUL
    // From one board to the next only the board's own tiles come and go: at most 2 x 512 x 512
    // pixels of 4 bytes, 2 MiB. The texture pages they are packed into are kept for the next
    // board, so once the largest board (board 1) and most sizes have been cut the resident size
    // stands still but for allocator noise. The bound leaves room for two more 1024 x 1024
    // pages (4 MiB each, and as much again for the GL copy) should a later size pack worse
    // than any before it; keeping the tiles of even one board in ten would cost about twice
    // that by board 200, and pages not reused would cost 8 MiB a board.
    constexpr long kBoundKiB = 16 * 1024;
    EXPECT_LT(peakAfter20 - f.residentAt[20], kBoundKiB);
#endif
}

}  // namespace
