// Picking up, letting go and swapping tiles, and the cursor that shows what is held.
#include <gtest/gtest.h>

#include "board/board.h"
#include "play/play.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::CellX;
using boardtest::CellY;
using boardtest::MisplaceEveryTile;
using boardtest::TileColour;
using boardtest::TilePicture;
using drive::Pixel;
using drive::RGB;
using drive::Show;

namespace {

class TilePlay : public GameTest {
protected:
    // A board on which no tile is in its own cell.
    void Board(int grid) {
        MakeBoard(grid, TilePicture(grid));
        MisplaceEveryTile();
    }
    // One sampled click handled by the board.
    static void Click(int x, int y, uint8_t presses = 1) {
        G.MX = x;
        G.MY = y;
        G.MOUSE1HIT = presses;
        Mouse(0);
    }
    // Brings the tile that belongs in (x, y) home by exchanging it with whatever is there.
    static void PlaceOwnTile(int x, int y) {
        for (int cx = 0; cx < G.MAP_X; ++cx) {
            for (int cy = 0; cy < G.MAP_Y; ++cy) {
                if (G.Puzzle_ID_Now(cx, cy) == G.Puzzle_ID_Correct(x, y)) {
                    std::swap(G.Puzzle_ID_Now(cx, cy), G.Puzzle_ID_Now(x, y));
                    std::swap(G.Puzzle(cx, cy), G.Puzzle(x, y));
                    return;
                }
            }
        }
    }
};

TEST_F(TilePlay, AClickWithNothingHeldPicksUpTheMisplacedTileUnderThePointer) {
    const struct {
        int grid, x, y;
        bool picks;
        int column, row;
    } cases[] = {
        {16, 17, 15, true, 0, 0},    {16, 52, 15, true, 0, 0},   {16, 53, 15, true, 1, 0},
        {16, 577, 100, true, 15, 2}, {16, 578, 100, false, 0, 0}, {16, 10, 100, true, 0, 2},
        {16, 100, 5, true, 2, 0},    {27, 580, 100, false, 0, 0}, {27, 100, 580, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("grid " + std::to_string(c.grid) + ", click " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        Board(c.grid);
        G.Selection = 0;
        G.ChangeID = -1;
        Click(c.x, c.y);
        EXPECT_EQ(G.MOUSE1HIT, 0) << "the click is used either way";
        EXPECT_EQ(G.Selection, c.picks ? 1 : 0);
        if (c.picks) {
            EXPECT_EQ(G.ChangeX_old, c.column);
            EXPECT_EQ(G.ChangeY_old, c.row);
            EXPECT_EQ(G.ChangeID, G.Puzzle_ID_Now(c.column, c.row));
            EXPECT_EQ(G.PXMCursor, G.Puzzle(c.column, c.row)) << "the very tile, not a copy";
        } else {
            EXPECT_EQ(G.ChangeID, -1);
        }
    }
}

TEST_F(TilePlay, AClickWithATileHeldLetsGoOnlyOutsideTheBoardArea) {
    const struct {
        int grid, x, y;
        bool keepsHold;
    } cases[] = {
        {16, 10, 100, false},  // left of the board
        {16, 100, 10, false},  // above it
        {16, 578, 100, false}, // beyond the right edge
        {27, 580, 100, true},  // in the strip after the last column: no cell, still the board area
        {27, 100, 580, true},  // and after the last row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("grid " + std::to_string(c.grid) + ", click " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        Board(c.grid);
        Click(CellX(5, 4), CellY(5, 4));
        ASSERT_EQ(G.Selection, 1);
        const int32_t held = G.ChangeID;
        const std::vector<int32_t> before = G.Puzzle_ID_Now.cells;
        G.WINMODE = 3;
        Click(c.x, c.y);
        EXPECT_EQ(G.MOUSE1HIT, 0);
        EXPECT_EQ(G.Puzzle_ID_Now.cells, before);
        if (c.keepsHold) {
            EXPECT_EQ(G.Selection, 1);
            EXPECT_EQ(G.ChangeID, held);
            EXPECT_EQ(G.ChangeX_old, 5);
            EXPECT_EQ(G.WINMODE, 3);
        } else {
            EXPECT_EQ(G.Selection, 0);
            EXPECT_EQ(G.ChangeID, -1);
            EXPECT_EQ(G.ChangeX_old, 0);
            EXPECT_EQ(G.ChangeY_old, 0);
            EXPECT_EQ(G.WINMODE, 0);
        }
    }
}

TEST_F(TilePlay, DroppingExchangesTheTwoTilesAndCountsTheSwap) {
    Board(16);
    const int32_t idA = G.Puzzle_ID_Now(1, 0), idB = G.Puzzle_ID_Now(2, 0);
    const Image tileA = G.Puzzle(1, 0), tileB = G.Puzzle(2, 0);
    Click(CellX(1, 5), CellY(0, 5));
    EXPECT_EQ(G.Selection, 1) << "the pick-up used the click; nothing dropped yet";
    EXPECT_EQ(G.Puzzle_ID_Now(1, 0), idA);
    Click(CellX(2, 5), CellY(0, 5));
    EXPECT_EQ(G.Puzzle_ID_Now(1, 0), idB);
    EXPECT_EQ(G.Puzzle_ID_Now(2, 0), idA);
    EXPECT_EQ(G.Puzzle(1, 0), tileB);
    EXPECT_EQ(G.Puzzle(2, 0), tileA);
    EXPECT_EQ(G.TileMoves, 1);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.ChangeID, -1);
    EXPECT_EQ(G.MOUSE1HIT, 0);

    // Dropped on its own cell: nothing moves, the swap still counts, and the count wraps.
    const std::vector<int32_t> before = G.Puzzle_ID_Now.cells;
    G.TileMoves = 65535;
    Click(CellX(4, 5), CellY(4, 5));
    Click(CellX(4, 9), CellY(4, 9));
    EXPECT_EQ(G.Puzzle_ID_Now.cells, before);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.TileMoves, 0);
}

TEST_F(TilePlay, ACorrectlyPlacedTileCanNeitherBePickedUpNorReplaced) {
    Board(16);
    PlaceOwnTile(7, 7);
    Click(CellX(7, 5), CellY(7, 5));
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.MOUSE1HIT, 0);

    Click(CellX(3, 5), CellY(3, 5));
    ASSERT_EQ(G.Selection, 1);
    const std::vector<int32_t> before = G.Puzzle_ID_Now.cells;
    Click(CellX(7, 5), CellY(7, 5));
    EXPECT_EQ(G.Puzzle_ID_Now.cells, before);
    EXPECT_EQ(G.Selection, 1) << "the held tile stays held";
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.MOUSE1HIT, 0);
}

TEST_F(TilePlay, IgnoresDoubleClicksCursorOnlyCallsAndACompletePicture) {
    Board(16);
    Click(CellX(3, 5), CellY(3, 5), 2);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.MOUSE1HIT, 2) << "left for nobody";

    G.MX = CellX(3, 5);
    G.MY = CellY(3, 5);
    G.MOUSE1HIT = 1;
    Mouse(1);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.MOUSE1HIT, 1);

    G.CorrectTiles = G.AllTiles;
    Click(CellX(3, 5), CellY(3, 5));
    Click(10, 100);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.MOUSE1HIT, 1);
}

TEST_F(TilePlay, TheCursorIsTheArrowOrTheHeldTileCentredUnderThePointer) {
    Board(16);
    const RGB background{50, 50, 50};
    Cls();
    G.MX = 300;
    G.MY = 300;
    Mouse(1);
    Flip(0);
    EXPECT_EQ(Show(Pixel(301, 301)), Show(RGB{255, 255, 255})) << "the arrow's tip";
    EXPECT_EQ(Show(Pixel(300, 300)), Show(background)) << "magenta is transparent";

    Click(CellX(5, 4), CellY(5, 4));
    ASSERT_EQ(G.Selection, 1);
    Cls();
    G.MX = 300;
    G.MY = 300;
    Mouse(1);
    Flip(0);
    const RGB held = TileColour(5, 6);
    EXPECT_EQ(Show(Pixel(284, 284)), Show(held));
    EXPECT_EQ(Show(Pixel(315, 315)), Show(held));
    EXPECT_EQ(Show(Pixel(283, 300)), Show(background));
    EXPECT_EQ(Show(Pixel(316, 300)), Show(background));

    // A complete picture shows the arrow whatever is held.
    G.CorrectTiles = G.AllTiles;
    Cls();
    Mouse(1);
    Flip(0);
    EXPECT_EQ(Show(Pixel(284, 284)), Show(background));
}

}  // namespace
