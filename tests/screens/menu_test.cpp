// The main menu: its two buttons, the credits' glide, fade and mirror, the ways out of it and the
// nesting of menus and selections that ends in one shuffled game.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "screens/screens.h"
#include "tests/screens/screen_helpers.h"
#include "tests/support/game_fixture.h"

using drive::Outcome;
using drive::Pixel;
using drive::Script;
using screentest::Brightest;
using screentest::MenuShown;
using screentest::MotiveAt;
using screentest::OnlyButtonsAndCursor;
using screentest::ShuffledBoard;

namespace {

using MenuTest = screentest::ScreenTest;

enum class Zone { None, Start, Quit };

TEST_F(MenuTest, ButtonsLightUpUnderThePointerAndAClickStartsOrQuits) {
    const struct {
        int x, y;
        Zone zone;
    } cases[] = {
        {300, 100, Zone::Start}, {300, 200, Zone::Start}, {499, 150, Zone::Start},
        {300, 400, Zone::Quit},  {300, 500, Zone::Quit},  {499, 450, Zone::Quit},
        {500, 150, Zone::None},  {299, 150, Zone::None},  {400, 99, Zone::None},
        {400, 201, Zone::None},  {400, 399, Zone::None},  {400, 501, Zone::None},
        {500, 450, Zone::None},  {400, 300, Zone::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("pointer at " + std::to_string(c.x) + "," + std::to_string(c.y));
        FreshGame();
        MakeCatalogue(2);
        int startShade = 0, quitShade = 0;
        Script script;
        script.then([&] { drive::MoveMouse(c.x, c.y); })
            .then([&] {
                startShade = Pixel(400, 185).r;
                quitShade = Pixel(400, 485).r;
                drive::Click(c.x, c.y);
            })
            .then([] { drive::Key(13); });  // on the selection screen, if it came
        const Outcome outcome = script.run(Menu, 3);

        EXPECT_EQ(startShade > quitShade, c.zone == Zone::Start) << startShade << " " << quitShade;
        EXPECT_EQ(quitShade > startShade, c.zone == Zone::Quit) << startShade << " " << quitShade;
        switch (c.zone) {
        case Zone::Start:
            EXPECT_EQ(outcome, Outcome::Returned);
            EXPECT_TRUE(ShuffledBoard());
            break;
        case Zone::Quit:
            EXPECT_EQ(outcome, Outcome::Ended);
            break;
        case Zone::None:
            EXPECT_EQ(outcome, Outcome::Stopped);
            EXPECT_TRUE(G.Puzzle.empty());
            break;
        }
    }
}

// Row r starts at -50r and glides 0.7 pixels a frame; its heading stands at 130 - y/4. Upright it
// shows at alpha y/500, mirrored about y = 365 at half that.
TEST_F(MenuTest, CreditsGlideInFromAboveFadingInWithAFainterMirrorImage) {
    bool blankAtEntry = false;
    int aboveRow1 = 0, row1At90 = 0, row1At230 = 0, mirrorOfRow1 = 0;
    int aboveRestartedRow1 = 0, restartedRow1 = 0;
    Script script;
    script.then([&] { blankAtEntry = OnlyButtonsAndCursor(); })
        .idle(199)
        .then([&] {  // frame 200: row 1 at y 90, alpha 0.18; row 2 at y 40, its glyphs end by 64
            aboveRow1 = Brightest(110, 68, 290, 88);
            row1At90 = Brightest(110, 91, 290, 112);
        })
        .idle(199)
        .then([&] {  // frame 400: row 1 at y 230, alpha 0.46, its mirror image above y 500
            row1At230 = Brightest(75, 231, 250, 254);
            mirrorOfRow1 = Brightest(75, 476, 250, 499);
        })
        .idle(239)
        .then([&] {  // frame 640: row 1 passed 350 at frame 571, restarted at -20, now at 27.6
            aboveRestartedRow1 = Brightest(124, 20, 300, 27);
            restartedRow1 = Brightest(124, 29, 300, 50);
            drive::Key(27);
        });
    ASSERT_EQ(script.run(Menu, 3), Outcome::Ended);

    EXPECT_TRUE(blankAtEntry) << "every row starts at or above the top edge";
    EXPECT_LE(aboveRow1, 51);
    EXPECT_NEAR(row1At90 - 50, 0.18 * 205, 8);
    EXPECT_NEAR(row1At230 - 50, 0.46 * 205, 10);
    EXPECT_NEAR(mirrorOfRow1 - 50, (row1At230 - 50) / 2.0, 6);
    EXPECT_LE(aboveRestartedRow1, 51);
    EXPECT_NEAR(restartedRow1 - 50, 0.055 * 205, 4);
}

TEST_F(MenuTest, EscapeEndsTheProgramAndACloseRequestReturnsOnlyToAPlayableBoard) {
    enum class Board { None, Matching, OtherSize };
    const struct {
        std::string name;
        Board board;
        std::function<void()> input;
        Outcome outcome;
    } cases[] = {
        {"Escape, no board", Board::None, [] { drive::Key(27); }, Outcome::Ended},
        {"Escape, board", Board::Matching, [] { drive::Key(27); }, Outcome::Ended},
        {"close, no board", Board::None, [] { drive::Close(); }, Outcome::Ended},
        {"close, board", Board::Matching, [] { drive::Close(); }, Outcome::Returned},
        {"close, grid set to another size", Board::OtherSize, [] { drive::Close(); },
         Outcome::Ended},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshGame();
        MakeCatalogue(1);
        if (c.board != Board::None) MakeBoard(16, MotiveAt(0).Motiv);
        if (c.board == Board::OtherSize) G.MAP_X = G.MAP_Y = 8;
        const std::vector<int32_t> arrangement = G.Puzzle_ID_Now.cells;
        Script script;
        script.then(c.input);
        EXPECT_EQ(script.run(Menu, 3), c.outcome);
        EXPECT_EQ(script.framesShown(), 1) << "at the end of the frame that saw it";
        EXPECT_EQ(G.Puzzle_ID_Now.cells, arrangement) << "no game state is changed";
    }
}

// menu -> start -> selection -> Escape -> menu -> start -> selection -> Return: the inner menu
// shuffles the new board, then the outer one shuffles it again.
TEST_F(MenuTest, NestedMenusAndSelectionsUnwindToOneShuffledGame) {
    MakeCatalogue(3);
    bool selectionShown = false, innerMenuShown = false, innerCreditsFresh = false;
    Script script;
    script.idle(299)
        .then([] { drive::Click(400, 150); })  // outer menu, its credits well under way
        .then([&] {
            // The selection's first frame: the click on "Spiel starten" chose nothing here.
            selectionShown = !MenuShown();
            drive::MoveMouse(219, 500);
            drive::Press();
        })
        .then([] {
            drive::Release();
            drive::MoveMouse(0, 0);
            drive::Key(27);
        })
        .then([&] {
            innerMenuShown = MenuShown();
            innerCreditsFresh = OnlyButtonsAndCursor();
            drive::Click(400, 150);
        })
        .then([] { drive::Key(13); });
    ASSERT_EQ(script.run(Menu, 3), Outcome::Returned);

    EXPECT_TRUE(selectionShown);
    EXPECT_TRUE(innerMenuShown);
    EXPECT_TRUE(innerCreditsFresh) << "each entry starts the credits from the top";
    EXPECT_EQ(G.MAP_X, 5) << "the grid set before leaving the first selection";
    EXPECT_TRUE(ShuffledBoard());
    EXPECT_EQ(G.WINMODE, 0);
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.ChangeID, -1);
}

}  // namespace
