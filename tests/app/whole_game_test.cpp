// A whole game driven in-process, frame by frame: menu, selection, play, solve and quit.
#include <gtest/gtest.h>

#include "app/game.h"
#include "screens/screens.h"
#include "tests/support/game_fixture.h"

namespace {

using WholeGame = GameTest;

TEST_F(WholeGame, MenuSelectionPlaySolveAndQuit) {
    MakeCatalogue(3);
    G.MAP_X = G.MAP_Y = 8;
    uint8_t phaseAfterSolve = 0;
    bool boardReady = false;
    drive::Script script;
    script.then([] { drive::Click(400, 150); })   // "Spiel starten"
        .then([] { drive::Key(13); })              // the selection's first frame: take the picture
        .idle(1)
        .then([&] {                                // the first frame of play
            boardReady = BoardMatchesGrid() && G.WINMODE == 0;
            drive::Click(700, 300);                // "Auflösen"
        })
        .idle(2)
        .then([&] {
            phaseAfterSolve = G.WINMODE;
            drive::Click(700, 550);                // "Beenden"
        })
        .then([] { drive::Click(200, 350); });     // "Ja, aufhören!"

    const auto outcome = script.run([] {
        Menu();
        PlayLoop();
    });

    EXPECT_TRUE(boardReady) << "an 8x8 board in play after the choice";
    EXPECT_EQ(G.AllTiles, 64);
    EXPECT_EQ(phaseAfterSolve, 2) << "solved on request";
    EXPECT_EQ(G.CorrectTiles, 64);
    EXPECT_EQ(outcome, drive::Outcome::Ended) << "\"Ja, aufhören!\" ends the program";
    EXPECT_LT(script.framesShown(), 20);
}

}  // namespace
