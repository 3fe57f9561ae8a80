// The question asked before quitting: quit, play on, or go to the main menu.
#include <cstdint>
#include <string>

#include "app/frame.h"
#include "app/state.h"
#include "play/play.h"
#include "screens/screens.h"

using namespace gfx;

namespace {

constexpr uint8_t NoAnswer = 0;
constexpr uint8_t Quit = 1;
constexpr uint8_t PlayOn = 2;

uint8_t AnswerQuit() { return Quit; }

uint8_t AnswerPlayOn() {
    G.MOUSE1HIT = 0;
    return PlayOn;
}

// The menu runs at once; when it returns, play goes on with whatever board is then current.
uint8_t AnswerMenu() {
    Menu();
    G.MOUSE1HIT = 0;
    return PlayOn;
}

struct Answer {
    int left;
    const char* label;
    uint8_t (*onClick)();
};
constexpr Answer Answers[] = {
    {100, "Ja, aufhören!", AnswerQuit},
    {310, "Nee, weiter!", AnswerPlayOn},
    {520, "Ab ins Menue...", AnswerMenu},
};

bool OverAnswer(const Answer& answer) {
    return G.MX >= answer.left && G.MX < answer.left + 200 && G.MY >= 300 && G.MY <= 400;
}

}  // namespace

void QuitConfirmation() {
    uint8_t quitChoice = NoAnswer;
    while (true) {
        Cls();
        for (const Answer& answer : Answers) DrawImage(G.IMGButton, answer.left, 300, 0);
        for (const Answer& answer : Answers) {
            if (!OverAnswer(answer)) continue;
            if (G.MOUSE1HIT == 1) quitChoice = answer.onClick();
            LightUp(G.IMGButton, float(answer.left), 300);
            break;
        }
        SetColor(0, 0, 0);
        for (const Answer& answer : Answers) {
            DrawText(answer.label, static_cast<float>(answer.left + 100 - TextWidth(answer.label) / 2), 330);
        }
        SetColor(255, 255, 255);
        // The click tested in the next pass comes from this sample, so the first pass takes none.
        UserInput();
        FPS();
        Mouse(1);
        // No wait for the frame timer here.
        Flip(0);
        if (quitChoice > NoAnswer) break;
        if (KeyHit(27)) break;
        if (AppTerminate()) break;
    }
    if (quitChoice == Quit) End();
}
