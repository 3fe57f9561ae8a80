// The main menu: two buttons over the gliding, mirrored credits.
#include <array>
#include <string>

#include "app/frame.h"
#include "app/state.h"
#include "board/board.h"
#include "play/play.h"
#include "screens/screens.h"

using namespace gfx;

namespace {

struct CreditsRow {
    std::string heading;
    std::string name1;
    std::string name2;
};

constexpr int kCreditsRows = 7;

// Row 0 stays blank: a pause in the cycle.
std::array<CreditsRow, kCreditsRows> MakeCredits() {
    return {{
        {"", "", ""},
        {"Programmierung und Motive:", "KZ-Team", "Kachelzauber-Team"},
        {"Grafik, Designberatung und Betatest:", "KZ-Team", "Kachelzauber-Team"},
        {"Test und Verschönerungstipps:", "KZ-Team", "Kachelzauber-Team"},
        {"Die Image-Spiegelfunktion", "KZ-Team", "Kachelzauber-Team"},
        {"Tipps und Hinweise:", "README", "und die Fehlerliste"},
        {"Font:", "Google Inc.", "github.com/google/roboto"},
    }};
}

// Each row glides down 0.7 pixels a frame, fading in, and starts again at -20 past 350; its
// mirror image rises from below, upside down and half as bright.
void DrawCredits(const std::array<CreditsRow, kCreditsRows>& credits,
                 std::array<float, kCreditsRows>& offsets) {
    for (int r = 0; r < kCreditsRows; ++r) {
        float& y = offsets[r];
        const CreditsRow& row = credits[r];
        const int w1 = TextWidth(row.name1);
        const int w2 = TextWidth(row.name2);
        const float headingX = 130 - y / 4;
        const float name1X = float(650 - w1 - w2) + y / 8;
        const float name2X = float(680 - w2) + y / 4;

        SetAlpha(y / 1000 * 2);
        DrawText(row.heading, headingX, y);
        DrawText(row.name1, name1X, y);
        DrawText(row.name2, name2X, y);

        SetAlpha(y / 1000);
        SetScale(1, -1);
        DrawText(row.heading, headingX, 730 - y);
        DrawText(row.name1, name1X, 730 - y);
        DrawText(row.name2, name2X, 730 - y);
        SetScale(1, 1);

        y = y + 0.7f;
        if (y > 350) y = -20;
    }
}

bool OverStart() { return G.MX >= 300 && G.MX < 500 && G.MY >= 100 && G.MY <= 200; }
bool OverQuit() { return G.MX >= 300 && G.MX < 500 && G.MY >= 400 && G.MY <= 500; }

void DrawLabel(const std::string& text, float y) {
    DrawText(text, float(400 - TextWidth(text) / 2), y);
}

}  // namespace

void LightUp(const Image& image, float x, float y) {
    SetAlpha(0.3f);
    SetBlend(LIGHTBLEND);
    DrawImage(image, x, y, 0);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
}

int Menu() {
    const auto credits = MakeCredits();
    std::array<float, kCreditsRows> offsets;
    for (int r = 0; r < kCreditsRows; ++r) offsets[r] = float(-(r * 50));
    G.MOUSE1HIT = 0;
    LetGo();

    for (;;) {
        Cls();
        SetImageFont(G.FArial20);
        DrawCredits(credits, offsets);
        SetImageFont(G.FArial30);
        SetAlpha(1);
        UserInput();
        DrawImage(G.IMGButton, 300, 100, 0);
        DrawImage(G.IMGButton, 300, 400, 0);
        if (OverStart()) {
            if (G.MOUSE1HIT == 1) {
                selectPuzzleImg();
                MixPuzzle();
                return 0;
            }
            LightUp(G.IMGButton, 300, 100);
        } else if (OverQuit()) {
            if (G.MOUSE1HIT == 1) End();
            LightUp(G.IMGButton, 300, 400);
        }
        SetColor(0, 0, 0);
        DrawLabel("Spiel starten", 130);
        DrawLabel("Raus hier", 430);
        SetColor(255, 255, 255);
        Mouse(1);
        FPS();
        Flip(0);
        WaitTimer(G.Timer);
        if (KeyHit(27)) End();
        if (AppTerminate()) {
            // A close request leads back only to a board that can be played as it is; without
            // one (the first menu of a run) the program ends, as it would in play.
            if (!BoardMatchesGrid()) End();
            return 0;
        }
    }
}
