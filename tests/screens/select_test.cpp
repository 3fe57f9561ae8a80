// The motive selection screen: its zones, browsing with the step lock, the neighbours, the slider,
// the choice and the ways out of it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "screens/screens.h"
#include "tests/screens/screen_helpers.h"
#include "tests/support/game_fixture.h"

using drive::Outcome;
using drive::Pixel;
using drive::RGB;
using drive::Script;
using drive::Show;
using screentest::MenuShown;
using screentest::MiddleMotive;
using screentest::MotiveAt;

namespace {

using SelectTest = screentest::ScreenTest;

// Escape leaves the selection for the main menu; a second Escape there ends the program.
Script& LeaveAndQuit(Script& script) {
    return script.then([] { drive::Key(27); }).then([] { drive::Key(27); });
}

TEST_F(SelectTest, PressingTheButtonChoosesOnThePictureAndSetsTheGridOnTheSlider) {
    const struct {
        int x, y;
        bool chooses;
        int grid;  // MAP_X after the press
    } cases[] = {
        // picture zone, edges excluded
        {145, 300, true, 16}, {655, 300, true, 16}, {144, 300, false, 16}, {656, 300, false, 16},
        {400, 14, true, 16},  {400, 13, false, 16}, {400, 474, true, 16},  {400, 475, false, 16},
        // slider zone: 15 pixels a grid size, held to 4..32
        {400, 476, false, 17}, {400, 524, false, 17}, {400, 525, false, 16},
        {145, 500, false, 4},  {218, 500, false, 4},  {219, 500, false, 5},
        {623, 500, false, 31}, {624, 500, false, 32}, {655, 500, false, 32},
        {144, 500, false, 16}, {656, 500, false, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("press at " + std::to_string(c.x) + "," + std::to_string(c.y));
        FreshGame();
        MakeCatalogue(2);
        int grid = 0;
        Script script;
        script.then([&] {
            drive::MoveMouse(c.x, c.y);
            drive::Press();
        });
        script.then([&] {
            grid = G.MAP_X;
            drive::Release();
        });
        LeaveAndQuit(script);
        const Outcome outcome = script.run(selectPuzzleImg, 5);

        EXPECT_EQ(grid, c.grid);
        EXPECT_EQ(G.MAP_Y, G.MAP_X);
        if (c.chooses) {
            EXPECT_EQ(outcome, Outcome::Returned);
            EXPECT_TRUE(BoardMatchesGrid());
            EXPECT_EQ(G.IMGPuzzle, MotiveAt(0).Motiv);
        } else {
            EXPECT_EQ(outcome, Outcome::Ended) << "left for the menu, then ended there";
            EXPECT_TRUE(G.Puzzle.empty());
        }
    }
}

TEST_F(SelectTest, KnobAndTileCountFollowTheGridSize) {
    const struct {
        int grid, knobLeft;
    } cases[] = {{4, 190}, {5, 190}, {16, 343}, {17, 343}, {32, 548}};
    MakeCatalogue(1);
    for (const auto& c : cases) {
        SCOPED_TRACE("grid " + std::to_string(c.grid));
        G.MAP_X = G.MAP_Y = c.grid;
        const int k = c.knobLeft + 5;
        RGB knobLeftEnd{}, knobRightEnd{};
        int textLeft = 800, textRight = -1;
        Script script;
        script.then([] {}).then([&] {
            // The half-size arrows cover the knob's ends; its middle shows above the digits.
            knobLeftEnd = Pixel(k + 6, 488);
            knobRightEnd = Pixel(k + 44, 488);
            for (int x = k + 6; x <= k + 44; ++x)
                for (int y = 485; y <= 506; ++y)
                    if (Pixel(x, y).r > 200 && Pixel(x, y).b > 200) {
                        textLeft = std::min(textLeft, x);
                        textRight = std::max(textRight, x);
                    }
        });
        LeaveAndQuit(script);
        ASSERT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended);

        EXPECT_TRUE(drive::Near(knobLeftEnd, {125, 125, 125})) << Show(knobLeftEnd);
        EXPECT_TRUE(drive::Near(knobRightEnd, {125, 125, 125})) << Show(knobRightEnd);
        ASSERT_LE(textLeft, textRight) << "the tile count is drawn";
        EXPECT_NEAR((textLeft + textRight + 1) / 2.0, k + 25, 2.0) << "centred on the knob";
    }
}

// Each request is sent after the step lock has run out; the middle motive is read two frames
// later, once the step has been taken and drawn.
TEST_F(SelectTest, StepsMoveThroughTheCatalogueAndWrapAtBothEnds) {
    using Input = std::function<void()>;
    const Input left = [] { drive::Key(37); };
    const Input right = [] { drive::Key(39); };
    const struct {
        std::string name;
        int motives;
        std::vector<Input> requests;
        int middle;
    } cases[] = {
        {"Left key", 3, {left}, 1},
        {"Right key from the first wraps to the last", 3, {right}, 2},
        {"Left key past the last wraps to the first", 3, {left, left, left}, 0},
        {"Right twice", 3, {right, right}, 1},
        {"wheel away", 3, {[] { drive::Wheel(1); }}, 1},
        {"wheel towards", 3, {[] { drive::Wheel(-1); }}, 2},
        {"left arrow", 3, {[] { drive::Click(70, 470); }}, 1},
        {"right arrow", 3, {[] { drive::Click(730, 470); }}, 2},
        {"right arrow, inner corner", 3, {[] { drive::Click(789, 496); }}, 2},
        {"left arrow edge x 10", 3, {[] { drive::Click(10, 470); }}, 0},
        {"left arrow edge x 130", 3, {[] { drive::Click(130, 470); }}, 0},
        {"left arrow edge y 450", 3, {[] { drive::Click(70, 450); }}, 0},
        {"left arrow edge y 497", 3, {[] { drive::Click(70, 497); }}, 0},
        {"right arrow edge x 790", 3, {[] { drive::Click(790, 470); }}, 0},
        {"left and right in one frame", 3, {[] { drive::Key(37); drive::Key(39); }}, 1},
        {"one motive stays", 1, {left, right}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeCatalogue(c.motives);
        int middle = -2;
        Script script;
        for (const Input& request : c.requests) {
            script.then([] { gfx::AdvanceClock(500); });
            script.then(request);
        }
        script.then([] {}).then([&] { middle = MiddleMotive(); });
        LeaveAndQuit(script);
        EXPECT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended) << "a step is no choice";
        EXPECT_EQ(middle, c.middle);
    }
}

TEST_F(SelectTest, OneStepPer400MillisecondsAndRequestsMeanwhileAreDropped) {
    MakeCatalogue(5);
    int afterTwoQuickRequests = -1, afterTheLockRanOut = -1, afterALaterRequest = -1;
    Script script;
    script.then([] { drive::Key(37); })
        .then([] { gfx::AdvanceClock(300); })
        .then([] { drive::Key(37); })  // some 330 ms after the step: under the lock
        .then([] { gfx::AdvanceClock(1000); })
        .then([] {})
        .then([&] {
            afterTwoQuickRequests = MiddleMotive();
        })
        .idle(3)
        .then([&] {
            afterTheLockRanOut = MiddleMotive();  // the dropped request was not kept for later
            drive::Key(37);
        })
        .then([] {})
        .then([&] { afterALaterRequest = MiddleMotive(); });
    LeaveAndQuit(script);
    ASSERT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended);
    EXPECT_EQ(afterTwoQuickRequests, 1);
    EXPECT_EQ(afterTheLockRanOut, 1);
    EXPECT_EQ(afterALaterRequest, 2);
}

// The neighbours are drawn at alpha 0.4 and scale 0.8 from (-70, -12) and (460.4, -12); the
// points read lie in the middle of a 16-pixel block of the motive's pattern.
TEST_F(SelectTest, NeighboursAreTheNextMotiveLeftAndThePreviousOneRight) {
    const struct {
        int motives, middle;
        int left, right;  // catalogue places shown, -1 for none
    } cases[] = {{1, 0, 0, -1}, {2, 0, 1, 1}, {3, 0, 1, 2}, {3, 1, 2, 0}, {3, 2, 0, 1}};
    const auto expected = [](int place, float u, float v) {
        const gfx::Pixmap pattern = PatternPixmap(512, 512, place + 1);
        const uint32_t p = gfx::ReadPixel(pattern, int(u), int(v));
        const auto mix = [](uint32_t c) { return int(c * 0.4f + 50 * 0.6f + 0.5f); };
        return RGB{mix((p >> 16) & 255), mix((p >> 8) & 255), mix(p & 255)};
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.motives) + " motives, middle " + std::to_string(c.middle));
        MakeCatalogue(c.motives);
        RGB left{}, right{};
        Script script;
        for (int step = 0; step < c.middle; ++step) {
            script.then([] { gfx::AdvanceClock(500); });
            script.then([] { drive::Key(37); });
        }
        script.then([] {}).then([&] {  // the first frame is drawn over an uncleared buffer
            left = Pixel(64, 200);
            right = Pixel(750, 200);
        });
        LeaveAndQuit(script);
        ASSERT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended);

        const RGB none{50, 50, 50};
        const RGB wantLeft =
            c.left < 0 ? none : expected(c.left, (64.5f + 70) / 0.8f, 212.5f / 0.8f);
        const RGB wantRight =
            c.right < 0 ? none : expected(c.right, (750.5f - 460.4f) / 0.8f, 212.5f / 0.8f);
        EXPECT_TRUE(drive::Near(left, wantLeft, 3)) << Show(left) << " want " << Show(wantLeft);
        EXPECT_TRUE(drive::Near(right, wantRight, 3)) << Show(right) << " want " << Show(wantRight);
    }
}

TEST_F(SelectTest, ReturnChoosesTheMiddleMotiveWithTheGridSet) {
    MakeCatalogue(3);
    G.MAP_X = G.MAP_Y = 5;
    Script script;
    script.then([] { drive::Key(37); }).idle(2).then([] { drive::Key(13); });
    ASSERT_EQ(script.run(selectPuzzleImg, 5), Outcome::Returned);
    EXPECT_EQ(G.IMGPuzzle, MotiveAt(1).Motiv);
    EXPECT_TRUE(BoardMatchesGrid());
    EXPECT_EQ(G.Puzzle.columns, 5);
    EXPECT_EQ(G.PuzzleTileSize, 102);
    EXPECT_EQ(G.AllTiles, 25);
}

TEST_F(SelectTest, AChosenBoardGetsTileSizeGapAndCountOfItsGrid) {
    const struct {
        int grid, tileSize, gap;
    } cases[] = {{32, 16, 2}, {4, 128, 3}, {28, 18, 2}, {5, 102, 3}, {27, 18, 3}, {16, 32, 3}};
    MakeCatalogue(1);
    // One board after the other, so each also replaces a board of another size.
    for (const auto& c : cases) {
        SCOPED_TRACE("grid " + std::to_string(c.grid));
        MakeBoard(c.grid, MotiveAt(0).Motiv);
        EXPECT_EQ(G.PuzzleTileSize, c.tileSize);
        EXPECT_EQ(G.BetweenTile, c.gap);
        EXPECT_EQ(G.AllTiles, c.grid * c.grid);
        EXPECT_TRUE(BoardMatchesGrid());
    }
}

TEST_F(SelectTest, EscapeSpaceAndCloseLeadToTheMainMenu) {
    const struct {
        std::string name;
        std::function<void()> leave;
    } cases[] = {
        {"Escape", [] { drive::Key(27); }},
        {"Space", [] { drive::Key(32); }},
        {"close request", [] { drive::Close(); }},
    };
    MakeCatalogue(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool selectionFirst = true, menuNext = false;
        Script script;
        script.then([&] {
            selectionFirst = !MenuShown();
            c.leave();
        });
        script.then([&] {
            menuNext = MenuShown();
            drive::Key(27);
        });
        EXPECT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended);
        EXPECT_TRUE(selectionFirst);
        EXPECT_TRUE(menuNext);
        EXPECT_TRUE(G.Puzzle.empty()) << "no choice was made";
    }
}

TEST_F(SelectTest, LeavingWithoutAChoiceKeepsTheBoardInPlayAsItWas) {
    MakeCatalogue(3);
    MakeBoard(16, MotiveAt(0).Motiv);
    const std::vector<int32_t> arrangement = G.Puzzle_ID_Now.cells;
    int gridInMenu = 0;
    gfx::Image pictureInMenu;
    Script script;
    script.then([] { drive::Key(37); })  // look at another motive
        .then([] {
            drive::MoveMouse(200, 500);  // and drag the slider to 4
            drive::Press();
        })
        .then([] {
            drive::Release();
            drive::Key(27);
        })
        .then([&] {
            gridInMenu = G.MAP_X;
            pictureInMenu = G.IMGPuzzle;
            drive::Close();  // the menu may go back to this board
        });
    ASSERT_EQ(script.run(selectPuzzleImg, 5), Outcome::Returned);
    EXPECT_EQ(gridInMenu, 16);
    EXPECT_EQ(pictureInMenu, MotiveAt(0).Motiv);
    EXPECT_TRUE(BoardMatchesGrid());
    EXPECT_EQ(G.Puzzle_ID_Now.cells, arrangement);
}

TEST_F(SelectTest, AnEmptyCatalogueSaysSoAndTakesNoChoice) {
    MakeCatalogue(0);
    int messagePixels = 0;
    Script script;
    script.then([] { drive::Key(13); })
        .then([] { drive::Click(400, 220); })
        .then([&] {
            for (int y = 195; y <= 275; ++y)
                for (int x = 150; x <= 650; ++x)
                    if (Pixel(x, y).r > 200) ++messagePixels;
        });
    LeaveAndQuit(script);
    EXPECT_EQ(script.run(selectPuzzleImg, 5), Outcome::Ended);
    EXPECT_GT(messagePixels, 200) << "the reason is written on screen";
    EXPECT_TRUE(G.Puzzle.empty());
    EXPECT_FALSE(G.IMGPuzzle) << "nothing to cut a board from";
}

}  // namespace
