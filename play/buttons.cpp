// The three buttons of the play panel: solve or reshuffle, new motive, quit.
#include <string>

#include "app/state.h"
#include "board/board.h"
#include "play/play.h"
#include "screens/screens.h"

using namespace gfx;

namespace {

// The rectangles start 5 pixels into the picture, end before the window's edge and take in
// both their top and bottom rows.
bool OverPanelButton(int top) {
    return G.MX >= 600 && G.MX < 800 && G.MY >= top && G.MY <= top + 100;
}

// The button picture, lit up while hovered, with its label centred on the picture.
void DrawPanelButton(int top, const std::string& label) {
    DrawImage(G.IMGButton, 595, top, 0);
    if (OverPanelButton(top)) {
        SetAlpha(0.2f);
        SetBlend(LIGHTBLEND);
        DrawImage(G.IMGButton, 595, top, 0);
        SetBlend(ALPHABLEND);
        SetAlpha(1.0f);
    }
    SetColor(0, 0, 0);
    if (!label.empty()) DrawText(label, static_cast<float>(695 - TextWidth(label) / 2), top + 30);
    SetColor(255, 255, 255);
}

// Button 1 offers what the game phase allows; a pending request has no label.
std::string SolveButtonLabel() {
    if (G.WINMODE == 0) return "Auflösen";
    if (G.WINMODE == 1 || G.WINMODE == 2) return "Neu mischen";
    return "";
}

constexpr int SolveTop = 250;
constexpr int NewMotiveTop = 360;
constexpr int QuitTop = 500;

}  // namespace

void Buttons() {
    SetAlpha(1.0f);
    DrawPanelButton(SolveTop, SolveButtonLabel());
    DrawPanelButton(QuitTop, "Beenden");
    DrawPanelButton(NewMotiveTop, "Neues Motiv");

    if (G.MOUSE1HIT != 1) return;
    if (OverPanelButton(SolveTop)) {
        G.MOUSE1HIT = 0;
        LetGo();
        // DrawPuzzle carries the request out in the next frame.
        if (G.WINMODE == 1 || G.WINMODE == 2) {
            G.WINMODE = 4;
        } else if (G.WINMODE == 0) {
            G.WINMODE = 3;
        }
    } else if (OverPanelButton(NewMotiveTop)) {
        G.MOUSE1HIT = 0;
        LetGo();
        selectPuzzleImg();
        MixPuzzle();
        G.MOUSE1HIT = 0;
    } else if (OverPanelButton(QuitTop)) {
        // The held tile's details stay, so its help marks remain until the next pick-up.
        G.Selection = 0;
        G.MOUSE1HIT = 0;
        QuitConfirmation();
    }
}
