// The question before quitting: its three answers, Escape and the close request.
#include <gtest/gtest.h>

#include "play/play.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::TilePicture;
using drive::Outcome;

namespace {

class Quitting : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        MakeBoard(4, TilePicture(4));
    }
    // "Beenden" clicked in a play frame.
    static void OpenQuestion() {
        G.MX = 700;
        G.MY = 550;
        G.MOUSE1HIT = 1;
        Buttons();
    }
};

TEST_F(Quitting, AnswersEndTheProgramOrReturnToPlay) {
    // A click queued after frame 1 is sampled at the end of pass 2 and taken by pass 3.
    const struct {
        const char* what;
        std::function<void()> input;
        Outcome outcome;
        int frames;
    } cases[] = {
        {"Ja, aufhören!", [] { drive::Click(200, 350); }, Outcome::Ended, 3},
        {"Nee, weiter!", [] { drive::Click(410, 350); }, Outcome::Returned, 3},
        {"Escape", [] { drive::Key(27); }, Outcome::Returned, 1},
        {"close request", [] { drive::Close(); }, Outcome::Returned, 1},
        {"a click beside the answers", [] { drive::Click(305, 350); }, Outcome::Stopped, 8},
    };
    for (const auto& c : cases) {
        drive::Script script;
        script.then(c.input);
        EXPECT_EQ(script.run(OpenQuestion, 7), c.outcome) << c.what;
        EXPECT_EQ(script.framesShown(), c.frames) << c.what;
        EXPECT_EQ(G.MOUSE1HIT, 0) << c.what;
        // What ended the question does not end the play loop as well.
        EXPECT_EQ(KeyHit(27), 0) << c.what;
        EXPECT_FALSE(AppTerminate()) << c.what;
    }
}

TEST_F(Quitting, TheFirstPassTakesNoClick) {
    // Pending before the question opens: only the sample at the end of the first pass sees it.
    drive::Click(200, 350);
    drive::Script script;
    EXPECT_EQ(script.run(OpenQuestion, 5), Outcome::Ended);
    EXPECT_EQ(script.framesShown(), 2);
}

TEST_F(Quitting, GoingToTheMenuComesBackToPlayWhenTheMenuReturns) {
    bool menuShown = false;
    drive::Script script;
    script.then([] { drive::Click(620, 350); })
        .idle(1)
        .then([&] {
            // The menu's start button, where the question has none.
            menuShown = drive::Pixel(400, 150).r != 50;
            drive::Close();
        });
    EXPECT_EQ(script.run(OpenQuestion, 5), Outcome::Returned);
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(script.framesShown(), 4) << "the question's frame is finished after the menu";
    EXPECT_EQ(G.MOUSE1HIT, 0);
}

TEST_F(Quitting, DoesNotWaitForTheFrameTimer) {
    const int before = MilliSecs();
    drive::Script script;
    script.idle(5).then([] { drive::Key(27); });
    EXPECT_EQ(script.run(OpenQuestion, 5), Outcome::Returned);
    EXPECT_EQ(script.framesShown(), 6);
    EXPECT_EQ(MilliSecs(), before);
}

}  // namespace
