// Shuffling: the number and kind of exchanges, what moves together and what a new game resets.
#include <gtest/gtest.h>

#include <map>

#include "board/board.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::TilePicture;

namespace {

using Shuffle = GameTest;

TEST_F(Shuffle, ExchangesRandomCellPairsTwoThousandAndOneToTenThousandTimes) {
    for (const int grid : {4, 32}) {
        for (const int seed : {1, 77}) {
            SCOPED_TRACE("grid " + std::to_string(grid) + " seed " + std::to_string(seed));
            MakeBoard(grid, TilePicture(grid));
            const std::vector<int32_t> solved = G.Puzzle_ID_Now.cells;

            SeedRnd(seed);
            MixPuzzle();

            // The same draws again, applied to the identities alone: n + 1 exchanges, each from
            // four truncated draws in the order x1, y1, x2, y2.
            SeedRnd(seed);
            const int n = Rand(2000, 9999);
            ASSERT_GE(n, 2000);
            ASSERT_LE(n, 9999);
            Grid<int32_t> ids(grid, grid);
            ids.cells = solved;
            int32_t movedLast = -1;
            int lowest = grid, highest = -1;
            for (int i = 0; i <= n; ++i) {
                int c[4];
                for (int& v : c) {
                    v = static_cast<int>(Rnd(0.0, grid));
                    lowest = std::min(lowest, v);
                    highest = std::max(highest, v);
                }
                movedLast = ids(c[2], c[3]);
                std::swap(ids(c[0], c[1]), ids(c[2], c[3]));
            }
            EXPECT_EQ(lowest, 0);
            EXPECT_EQ(highest, grid - 1);
            EXPECT_EQ(G.Puzzle_ID_Now.cells, ids.cells);
            EXPECT_EQ(G.ID, movedLast) << "the identity in transit stays in ID";
        }
    }
}

TEST_F(Shuffle, MovesEachTileWithItsIdentityAndKeepsTheSolvedPicture) {
    MakeBoard(8, TilePicture(8));
    const std::vector<int32_t> correct = G.Puzzle_ID_Correct.cells;
    const std::vector<Image> originals = G.Puzzle_Original.cells;
    std::map<int32_t, Image> tileOf;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) tileOf[G.Puzzle_ID_Now(x, y)] = G.Puzzle(x, y);

    for (int round = 0; round < 3; ++round) MixPuzzle();

    EXPECT_EQ(G.Puzzle_ID_Correct.cells, correct);
    EXPECT_EQ(G.Puzzle_Original.cells, originals);
    int moved = 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            EXPECT_EQ(G.Puzzle(x, y), tileOf.at(G.Puzzle_ID_Now(x, y))) << "cell " << x << "," << y;
            moved += G.Puzzle_ID_Now(x, y) != G.Puzzle_ID_Correct(x, y);
        }
    }
    EXPECT_GT(moved, 48);
}

TEST_F(Shuffle, StartsANewGameAndLeavesTheHeldTileDetails) {
    MakeBoard(4, TilePicture(4));
    G.TIME = 123456;
    G.TileMoves = 9;
    G.Selection = 1;
    G.CorrectTiles = 16;
    G.WINMODE = 2;
    G.ChangeID = 5;
    G.ChangeX_old = 2;
    G.ChangeY_old = 3;
    G.GameTime = "00:01:02";
    MixPuzzle();
    EXPECT_EQ(G.GameSecs, 123456);
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.CorrectTiles, 0);
    EXPECT_EQ(G.WINMODE, 0);
    EXPECT_EQ(G.ChangeID, 5);
    EXPECT_EQ(G.ChangeX_old, 2);
    EXPECT_EQ(G.ChangeY_old, 3);
    EXPECT_EQ(G.GameTime, "00:01:02");
    EXPECT_EQ(G.AllTiles, 16);
}

TEST_F(Shuffle, LeavesABoardThatDoesNotFitTheGridAlone) {
    MakeBoard(4, TilePicture(4));
    const std::vector<int32_t> before = G.Puzzle_ID_Now.cells;
    G.MAP_X = G.MAP_Y = 32;  // a grid size moved on without a new board
    MixPuzzle();
    EXPECT_EQ(G.Puzzle_ID_Now.cells, before);
}

}  // namespace
