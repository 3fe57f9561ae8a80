// Drawing the board and its status: markers, the clock, and the solve and reshuffle requests as
// the player sees them frame by frame.
#include <gtest/gtest.h>

#include "app/game.h"
#include "board/board.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::CellX;
using boardtest::CellY;
using boardtest::MisplaceEveryTile;
using boardtest::TileColour;
using boardtest::TilePicture;
using drive::Near;
using drive::Pixel;
using drive::RGB;
using drive::Show;

namespace {

using Draw = GameTest;

// One frame of the board alone, with the pointer sampled at (mx, my).
void ShowBoard(int mx, int my) {
    Cls();
    G.MX = mx;
    G.MY = my;
    DrawPuzzle();
    Flip(0);
}

RGB Plus(RGB c, int r, int g, int b) { return {c.r + r, c.g + g, c.b + b}; }

// The frame shown has colour `expected` at (x, y), give or take rounding.
::testing::AssertionResult PixelIs(int x, int y, RGB expected) {
    const RGB got = Pixel(x, y);
    if (Near(got, expected, 2)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") expected " << Show(expected)
                                         << " got " << Show(got);
}

// Left end of the black label on the solve button, or -1 when it has none.
int SolveLabelLeft() {
    for (int x = 600; x < 790; ++x)
        for (int y = 282; y < 308; ++y)
            if (Near(Pixel(x, y), RGB{0, 0, 0}, 30)) return x;
    return -1;
}

int ExpectedLabelLeft(const std::string& label) {
    SetImageFont(G.FArial30);
    return 695 - TextWidth(label) / 2;
}

TEST_F(Draw, ClockTextShowsHoursMinutesAndSeconds) {
    const struct {
        int seconds;
        const char* text;
    } cases[] = {{0, "00:00:00"},    {59, "00:00:59"},     {60, "00:01:00"},      {425, "00:07:05"},
                 {3599, "00:59:59"}, {3600, "01:00:00"},   {43259, "12:00:59"},   {360000, "100:00:00"}};
    for (const auto& c : cases) EXPECT_EQ(ClockText(c.seconds), c.text) << c.seconds << " s";
}

TEST_F(Draw, FramesCorrectTilesAndLightsTheTileUnderThePointer) {
    MakeBoard(16, TilePicture(16));
    // Cell (3, 3) sits at (122.5, 120): its frame's top row is y = 119.
    ShowBoard(700, 590);
    EXPECT_TRUE(PixelIs(CellX(3, 16), CellY(3, -1), RGB{40, 91, 40}));
    EXPECT_TRUE(PixelIs(CellX(3, 16), CellY(3, 16), TileColour(3, 3)));
    EXPECT_EQ(G.CorrectTiles, 256);

    MisplaceEveryTile();
    ShowBoard(700, 590);
    EXPECT_TRUE(PixelIs(CellX(3, 16), CellY(3, -1), RGB{50, 50, 50}));
    EXPECT_TRUE(PixelIs(CellX(3, 16), CellY(3, 16), TileColour(3, 4))) << "the tile moved on by one";
    EXPECT_EQ(G.CorrectTiles, 0);

    // The pointer lights its cell by a fifth of white; the gap right of and below a tile and
    // the margin left of the board belong to it, a point beyond the board to no cell.
    const struct {
        int mx, my, cellX, cellY;
        bool lit;
    } cases[] = {
        {CellX(5, 10), CellY(5, 10), 5, 5, true},  {CellX(5, 33), CellY(5, 33), 5, 5, true},
        {CellX(5, 36), CellY(5, 10), 5, 5, false}, {5, 100, 0, 2, true},
        {590, 100, 15, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("pointer " + std::to_string(c.mx) + "," + std::to_string(c.my));
        ShowBoard(c.mx, c.my);
        const RGB tile = TileColour(c.cellX, c.cellY + 1);
        EXPECT_TRUE(PixelIs(CellX(c.cellX, 20), CellY(c.cellY, 20), c.lit ? Plus(tile, 51, 51, 51) : tile));
    }
}

TEST_F(Draw, HelpMarksWhereTheHeldTileBelongs) {
    MakeBoard(16, TilePicture(16));
    G.ChangeID = G.Puzzle_ID_Correct(5, 5);
    const RGB tile = TileColour(5, 5);
    const RGB lit = Plus(tile, 51, 51, 51);
    const struct {
        int level;
        bool pointerOver;
        RGB expected;
    } cases[] = {
        {0, true, lit},
        {1, false, tile},
        {1, true, Plus(lit, 0, 50, 0)},
        {2, false, Plus(tile, 0, 50, 0)},
        {2, true, Plus(lit, 0, 100, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("help level " + std::to_string(c.level) + (c.pointerOver ? ", pointer over" : ""));
        G.Helpstate = c.level;
        ShowBoard(c.pointerOver ? CellX(5, 4) : 700, c.pointerOver ? CellY(5, 4) : 590);
        EXPECT_TRUE(PixelIs(CellX(5, 20), CellY(5, 20), c.expected));
    }
    // Nothing is marked while no tile is held.
    G.ChangeID = -1;
    G.Helpstate = 2;
    ShowBoard(CellX(5, 4), CellY(5, 4));
    EXPECT_TRUE(PixelIs(CellX(5, 20), CellY(5, 20), lit));

    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetImageFont(), G.FArial30);
}

class Requests : public Draw {
protected:
    void SetUp() override {
        Draw::SetUp();
        MakeBoard(4, TilePicture(4));
        MisplaceEveryTile();
        G.TIME = MilliSecs();
        G.GameSecs = G.TIME - 65'000;
        G.TileMoves = 12;
    }
    // One play frame with a click on the solve button queued before it.
    static void ClickSolveButton() {
        drive::Click(700, 300);
        PumpEvents();
        ASSERT_TRUE(PlayFrame());
    }
    static void PlainFrame() {
        AdvanceClock(10'000);
        ASSERT_TRUE(PlayFrame());
    }
    // Centre of cell (x, y) of the 4x4 board.
    static RGB CellPixel(int x, int y) { return Pixel(CellX(x, 64), CellY(y, 64)); }
};

TEST_F(Requests, SolveShowsTheOldArrangementOnceThenTheSolvedPicture) {
    ClickSolveButton();
    EXPECT_EQ(G.WINMODE, 3);
    EXPECT_EQ(G.GameTime, "00:01:05");
    EXPECT_NEAR(SolveLabelLeft(), ExpectedLabelLeft("Auflösen"), 4) << "drawn before the click";

    PlainFrame();
    EXPECT_TRUE(Near(CellPixel(1, 1), TileColour(1, 2), 2)) << "old arrangement still drawn";
    EXPECT_NEAR(boardtest::PanelTextLeft(212, 224), 595, 4) << "the correct count, not a banner";
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.WINMODE, 3);
    EXPECT_EQ(SolveLabelLeft(), -1) << "no label while the request is pending";
    EXPECT_EQ(G.Puzzle_ID_Now.cells, G.Puzzle_ID_Correct.cells);

    PlainFrame();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) EXPECT_TRUE(Near(CellPixel(x, y), TileColour(x, y), 2)) << x << "," << y;
    EXPECT_EQ(G.WINMODE, 2);
    EXPECT_EQ(G.CorrectTiles, 16);
    EXPECT_NEAR(boardtest::PanelTextLeft(212, 224), 650, 4) << "the banner in place of the count";
    EXPECT_EQ(G.GameTime, "00:01:05") << "the clock stands at the request";
    EXPECT_NEAR(SolveLabelLeft(), ExpectedLabelLeft("Neu mischen"), 4);
}

TEST_F(Requests, ReshuffleResetsTheTextsAtOnceAndShowsTheNewBoardAFrameLater) {
    ClickSolveButton();
    PlainFrame();
    PlainFrame();
    ASSERT_EQ(G.WINMODE, 2);

    ClickSolveButton();
    EXPECT_EQ(G.WINMODE, 4);
    EXPECT_NEAR(SolveLabelLeft(), ExpectedLabelLeft("Neu mischen"), 4);

    PlainFrame();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) EXPECT_TRUE(Near(CellPixel(x, y), TileColour(x, y), 2)) << x << "," << y;
    EXPECT_EQ(G.WINMODE, 0);
    EXPECT_EQ(G.CorrectTiles, 0);
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.GameTime, "00:00:00");
    EXPECT_NEAR(boardtest::PanelTextLeft(212, 224), 595, 4);
    EXPECT_NEAR(SolveLabelLeft(), ExpectedLabelLeft("Auflösen"), 4);

    PlainFrame();
    int shown = 0;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) shown += !Near(CellPixel(x, y), TileColour(x, y), 2);
    EXPECT_GT(shown, 0) << "the shuffled board";
    EXPECT_EQ(G.GameTime, "00:00:10");
}

TEST_F(Draw, ABoardThatDoesNotFitTheGridIsNeitherDrawnNorPlayed) {
    MakeBoard(4, TilePicture(4));
    MisplaceEveryTile();
    const std::vector<int32_t> before = G.Puzzle_ID_Now.cells;
    G.MAP_X = G.MAP_Y = 32;  // a grid size moved on without a new board
    G.AllTiles = 1024;
    for (const auto& [x, y] : {std::pair{100, 100}, std::pair{500, 500}}) {
        drive::Click(x, y);
        PumpEvents();
        ASSERT_TRUE(PlayFrame());
    }
    EXPECT_EQ(Show(Pixel(100, 100)), Show(RGB{50, 50, 50}));
    EXPECT_EQ(G.Puzzle_ID_Now.cells, before);
    EXPECT_EQ(G.Selection, 0);
}

}  // namespace
