// Input: presses counted until read, held keys and buttons, the wheel, the pointer, focus changes
// and close requests, all through the window's own event queue.
#include "tests/gfx/layer_fixture.h"

using namespace gfx;

namespace {

using Input = Layer;

TEST_F(Input, KeyPressesAreCountedUntilReadAndHeldKeysAreDown) {
    drive::Key(9);
    drive::Key(9);
    InjectKey(70, true);
    EXPECT_EQ(KeyHit(9), 0) << "nothing is taken in before the events are pumped";
    PumpEvents();
    EXPECT_EQ(KeyHit(9), 2);
    EXPECT_EQ(KeyHit(9), 0) << "reading clears";
    EXPECT_FALSE(KeyDown(9));
    EXPECT_TRUE(KeyDown(70));
    EXPECT_EQ(KeyHit(70), 1);
    EXPECT_TRUE(KeyDown(70)) << "still held after its press was read";
    InjectKey(70, false);
    PumpEvents();
    EXPECT_FALSE(KeyDown(70));
}

TEST_F(Input, EveryKeyTheGameUsesArrivesUnderItsCode) {
    const int codes[] = {8, 9, 13, 27, 32, 37, 38, 39, 40, 48, 53, 57, 65, 70, 90, 112};
    for (int code : codes) drive::Key(code);
    PumpEvents();
    for (int code : codes) EXPECT_EQ(KeyHit(code), 1) << "key " << code;
    EXPECT_EQ(KeyHit(0), 0);
    EXPECT_EQ(KeyHit(100000), 0);
}

TEST_F(Input, MouseButtonsPointerAndWheel) {
    drive::Click(123, 456);
    drive::Click(123, 456);
    drive::Press(2);
    drive::Wheel(3);
    drive::Wheel(-1);
    PumpEvents();
    EXPECT_EQ(MouseX(), 123);
    EXPECT_EQ(MouseY(), 456);
    EXPECT_EQ(MouseHit(1), 2) << "two presses in one frame";
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_FALSE(MouseDown(1));
    EXPECT_TRUE(MouseDown(2));
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_FALSE(MouseDown(3));
    EXPECT_EQ(MouseZ(), 2);
    EXPECT_EQ(MouseZ(), 2) << "the wheel is a position, not a count";

    drive::MoveMouse(799, 599);
    PumpEvents();
    EXPECT_EQ(MouseX(), 799);
    EXPECT_EQ(MouseY(), 599);
}

TEST_F(Input, LosingOrRegainingFocusForgetsPressesHeldButtonsAndTheWheel) {
    for (bool gained : {false, true}) {
        drive::Key(27);
        InjectKey(32, true);
        drive::Click(10, 20);
        drive::Press(1);
        drive::Wheel(4);
        InjectFocus(gained);
        PumpEvents();
        EXPECT_EQ(KeyHit(27), 0) << gained;
        EXPECT_FALSE(KeyDown(32)) << gained;
        EXPECT_EQ(MouseHit(1), 0) << gained;
        EXPECT_FALSE(MouseDown(1)) << gained;
        EXPECT_EQ(MouseZ(), 0) << gained;
        EXPECT_EQ(MouseX(), 10) << "the pointer stays where it is";
    }
    // What comes after the focus change counts again.
    drive::Key(27);
    PumpEvents();
    EXPECT_EQ(KeyHit(27), 1);
}

TEST_F(Input, CloseRequestsAreReportedOnceEach) {
    EXPECT_FALSE(AppTerminate());
    drive::Close();
    PumpEvents();
    EXPECT_TRUE(AppTerminate());
    EXPECT_FALSE(AppTerminate()) << "reading clears";
}

// A screen loop reads its input once per frame; the script queues input inside each Flip, so it
// is taken in by that Flip and seen by the next frame.
TEST_F(Input, InputQueuedInAFrameIsSeenByTheNextFrame) {
    std::vector<int> hits, keys, closes;
    const auto screen = [&] {
        for (;;) {
            hits.push_back(MouseHit(1));
            keys.push_back(KeyHit(13));
            closes.push_back(AppTerminate());
            Flip(0);
        }
    };
    drive::Script script;
    script.then([] { drive::Click(5, 5); })
        .then([] {
            drive::Click(5, 5);
            drive::Click(5, 5);
            drive::Key(13);
        })
        .then([] { drive::Close(); })
        .idle(1);
    EXPECT_EQ(script.run(screen, 0), drive::Outcome::Stopped);
    EXPECT_EQ(hits, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(keys, (std::vector<int>{0, 0, 1, 0}));
    EXPECT_EQ(closes, (std::vector<int>{0, 0, 0, 1}));
}

}  // namespace
