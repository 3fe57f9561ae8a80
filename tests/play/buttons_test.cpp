// The panel buttons: where they react, what a click on each does.
#include <gtest/gtest.h>

#include "board/board.h"
#include "play/play.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::MisplaceEveryTile;
using boardtest::TilePicture;
using drive::Pixel;
using drive::RGB;

namespace {

class PanelButtons : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        MakeBoard(4, TilePicture(4));
        MisplaceEveryTile();
    }
    // A tile held at cell (2, 1).
    static void HoldATile() {
        G.Selection = 1;
        G.ChangeX_old = 2;
        G.ChangeY_old = 1;
        G.ChangeID = G.Puzzle_ID_Now(2, 1);
        G.PXMCursor = G.Puzzle(2, 1);
    }
    static void ClickButtons(int x, int y) {
        G.MX = x;
        G.MY = y;
        G.MOUSE1HIT = 1;
        Buttons();
    }
};

int Brightness(RGB c) { return c.r + c.g + c.b; }

TEST_F(PanelButtons, LightUpInsideTheirRectanglesOnly) {
    // Brightness of a point on each picture below its label: solve, quit, new motive.
    auto frame = [](int mx, int my) {
        Cls();
        G.MX = mx;
        G.MY = my;
        Buttons();
        Flip(0);
        std::vector<int> shown;
        for (int top : {250, 500, 360}) shown.push_back(Brightness(Pixel(695, top + 80)));
        return shown;
    };
    const std::vector<int> unlit = frame(0, 0);
    const struct {
        int mx, my;
        int lit;  // index into {solve, quit, new motive}, -1 for none
    } cases[] = {
        {595, 300, -1}, {599, 300, -1}, {600, 300, 0}, {799, 300, 0}, {800, 300, -1},
        {700, 249, -1}, {700, 250, 0},  {700, 350, 0}, {700, 351, -1}, {700, 359, -1},
        {700, 360, 2},  {700, 460, 2},  {700, 461, -1}, {700, 499, -1}, {700, 500, 1},
        {700, 600, 1},
    };
    for (const auto& c : cases) {
        const std::vector<int> shown = frame(c.mx, c.my);
        for (int b = 0; b < 3; ++b) {
            if (b == c.lit) {
                EXPECT_GT(shown[b], unlit[b] + 20) << "button " << b << " at " << c.mx << "," << c.my;
            } else {
                EXPECT_EQ(shown[b], unlit[b]) << "button " << b << " at " << c.mx << "," << c.my;
            }
        }
    }
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(PanelButtons, SolveButtonRequestsWhatThePhaseAllowsAndLetsGoOfTheTile) {
    const struct {
        uint8_t before, after;
    } cases[] = {{0, 3}, {1, 4}, {2, 4}, {3, 3}, {4, 4}};
    for (const auto& c : cases) {
        HoldATile();
        G.WINMODE = c.before;
        ClickButtons(600, 350);
        EXPECT_EQ(G.WINMODE, c.after) << "from phase " << int(c.before);
        EXPECT_EQ(G.MOUSE1HIT, 0);
        EXPECT_EQ(G.Selection, 0);
        EXPECT_EQ(G.ChangeID, -1);
        EXPECT_EQ(G.ChangeX_old, 0);
        EXPECT_EQ(G.ChangeY_old, 0);
    }
    // Between the buttons the click is left for the board.
    ClickButtons(700, 355);
    EXPECT_EQ(G.MOUSE1HIT, 1);
}

TEST_F(PanelButtons, QuitButtonAsksAndKeepsTheHeldTilesDetails) {
    HoldATile();
    const int32_t held = G.ChangeID;
    drive::Script script;
    script.then([] { drive::Key(27); });
    EXPECT_EQ(script.run([] { ClickButtons(700, 550); }, 5), drive::Outcome::Returned);
    EXPECT_EQ(script.framesShown(), 1);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.ChangeID, held);
    EXPECT_EQ(G.ChangeX_old, 2);
    EXPECT_EQ(G.ChangeY_old, 1);
    EXPECT_EQ(G.MOUSE1HIT, 0);
}

TEST_F(PanelButtons, NewMotiveRunsTheSelectionThenShufflesTheNewBoard) {
    MakeCatalogue(2);
    HoldATile();
    G.WINMODE = 1;
    G.TileMoves = 30;
    const Image oldTile = G.Puzzle_Original(0, 0);
    drive::Script script;
    script.then([] { drive::Key(13); });  // choose the motive shown
    EXPECT_EQ(script.run([] { ClickButtons(700, 400); }, 20), drive::Outcome::Returned);
    EXPECT_TRUE(BoardMatchesGrid());
    EXPECT_NE(G.Puzzle_Original(0, 0), oldTile) << "a new board";
    EXPECT_NE(G.Puzzle_ID_Now.cells, G.Puzzle_ID_Correct.cells) << "shuffled";
    EXPECT_EQ(G.WINMODE, 0);
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.ChangeID, -1);
    EXPECT_EQ(G.MOUSE1HIT, 0);
}

}  // namespace
