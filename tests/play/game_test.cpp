// A whole game played frame by frame through the play loop: tiles swapped home until the
// picture is complete, then the game stands still.
#include <gtest/gtest.h>

#include "app/game.h"
#include "board/board.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::CellX;
using boardtest::CellY;
using boardtest::PanelTextLeft;
using boardtest::TilePicture;

namespace {

using PlayedGame = GameTest;

bool Solved() { return G.Puzzle_ID_Now.cells == G.Puzzle_ID_Correct.cells; }

// Queues a click in the middle of cell (x, y) for the next frame.
void ClickCell(int x, int y) {
    const int half = G.PuzzleTileSize / 2;
    drive::Click(CellX(x, half), CellY(y, half));
}

TEST_F(PlayedGame, SwappingEveryTileHomeWinsAndThenTheGameStandsStill) {
    MakeBoard(4, TilePicture(4));
    SeedRnd(5);
    MixPuzzle();
    ASSERT_FALSE(Solved());

    // Each frame queues the next click: a misplaced tile, then the cell it belongs in.
    int drops = 0;
    bool wonShown = false;
    std::string timeAtWin;
    auto playOn = [&] {
        if (wonShown) return;
        if (G.WINMODE == 1) {
            wonShown = true;
            EXPECT_NEAR(PanelTextLeft(212, 224), 650, 4) << "GEWONNEN in place of the count";
            timeAtWin = G.GameTime;
            drive::Key(27);
            return;
        }
        AdvanceClock(1000);
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 4; ++y) {
                const bool misplaced = G.Puzzle_ID_Now(x, y) != G.Puzzle_ID_Correct(x, y);
                if (G.Selection == 0 && misplaced) {
                    ClickCell(x, y);
                    return;
                }
                if (G.Selection == 1 && G.Puzzle_ID_Correct(x, y) == G.ChangeID) {
                    ClickCell(x, y);
                    ++drops;
                    return;
                }
            }
        }
    };
    drive::Script play;
    for (int i = 0; i < 40; ++i) play.then(playOn);
    ASSERT_EQ(play.run([] { PlayLoop(); }, 1), drive::Outcome::Returned);
    ASSERT_TRUE(wonShown);
    EXPECT_TRUE(Solved());
    EXPECT_LE(drops, 15) << "each swap brings at least one tile home";
    EXPECT_EQ(G.TileMoves, drops);
    EXPECT_NE(timeAtWin, "00:00:00");

    // After the win: clicks on the board and beside it change nothing, and the clock stands.
    const std::vector<int32_t> board = G.Puzzle_ID_Now.cells;
    drive::Script after;
    after.then([] { AdvanceClock(60'000); ClickCell(1, 1); })
        .then([] { AdvanceClock(60'000); ClickCell(2, 2); })
        .then([] { drive::Click(10, 100); })
        .then([] {
            EXPECT_NEAR(PanelTextLeft(212, 224), 650, 4);
            drive::Key(27);
        });
    ASSERT_EQ(after.run([] { PlayLoop(); }, 1), drive::Outcome::Returned);
    EXPECT_EQ(G.Puzzle_ID_Now.cells, board);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.WINMODE, 1);
    EXPECT_EQ(G.TileMoves, drops);
    EXPECT_EQ(G.GameTime, timeAtWin);
}

}  // namespace
