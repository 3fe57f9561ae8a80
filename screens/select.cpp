// The motive selection screen: browse the catalogue, set the grid size, choose a picture.
#include <cstdint>
#include <string>

#include "app/frame.h"
#include "app/state.h"
#include "play/play.h"
#include "screens/screens.h"

using namespace gfx;

namespace {

// What one visit of the screen remembers from frame to frame.
struct Visit {
    int index = 0;             // catalogue place of the middle motive
    uint8_t leftArrow = 0;     // 0 not hovered, 2 hovered, 1 a step to the left asked for
    uint8_t rightArrow = 0;
    uint8_t choice = 0;        // 1 once the player has chosen
    int stepLock = 0;          // no step while this is not yet below TIME
    Image reflection;          // drawn below the middle picture
};

constexpr float kNeighbourScale = 0.8f;
constexpr float kNeighbourAlpha = 0.4f;
constexpr float kLeftNeighbourX = -70.0f;
constexpr float kRightNeighbourX = 460.4f;
constexpr float kNeighbourY = -12.0f;

bool CatalogueEmpty() { return G.CountMotives == 0; }

// Arrow buttons: hovering lights one up, a click asks for a step and is used up.
uint8_t SampleArrow(int left, int right) {
    if (G.MX > left && G.MX < right && G.MY > 450 && G.MY < 497) {
        if (G.MOUSE1HIT == 1) {
            G.MOUSE1HIT = 0;
            return 1;
        }
        return 2;
    }
    return 0;
}

void TakeKeysAndWheel(Visit& v) {
    // An empty catalogue offers nothing to choose; Return is still read so it does not linger.
    if (KeyHit(13) && !CatalogueEmpty()) v.choice = 1;
    if (KeyHit(37)) v.leftArrow = 1;
    if (KeyHit(39)) v.rightArrow = 1;
    if (G.MOUSESCROLL > 0) v.leftArrow = 1;
    if (G.MOUSESCROLL < 0) v.rightArrow = 1;
}

void Wrap(Visit& v) {
    if (v.index > G.CountMotives - 1) v.index = 0;
    if (v.index < 0) v.index = G.CountMotives - 1;
}

void DrawNeighbour(const TMotives& m, float x) {
    SetAlpha(kNeighbourAlpha);
    SetScale(kNeighbourScale, kNeighbourScale);
    DrawImage(m.Motiv, x, kNeighbourY, 0);
    SetScale(1, 1);
    SetAlpha(1);
}

void TakeAsMiddle(Visit& v, const TMotives& m) {
    G.IMGPuzzle = m.Motiv;
    v.reflection = m.Mirror;
}

// One pass over the catalogue: the motive after the middle one stands at the left, the one
// before it at the right, both wrapping round the ends of the catalogue.
void CataloguePass(Visit& v) {
    const int i = v.index;
    const int n = G.CountMotives;
    for (const TMotives& m : G.MotivesList) {
        const int id = m.ID;
        if (i > 0 && id == i - 1) DrawNeighbour(m, kRightNeighbourX);
        if (i < n - 1 && id == i + 1) DrawNeighbour(m, kLeftNeighbourX);
        if (i == 0) {
            if (id == 0) {
                TakeAsMiddle(v, m);
            } else if (id == n - 1) {
                DrawNeighbour(m, kRightNeighbourX);
            }
        }
        if (i == n - 1 && id == 0) DrawNeighbour(m, kLeftNeighbourX);
        if (id == i && i > 0) TakeAsMiddle(v, m);
    }
}

// At most one step per 400 ms; a request made while the lock holds is dropped.
void TakeStep(Visit& v) {
    if (v.leftArrow == 1 && v.stepLock < G.TIME) {
        v.index++;
        v.leftArrow = 0;
        v.stepLock = G.TIME + 400;
    }
    if (v.rightArrow == 1 && v.stepLock < G.TIME) {
        v.index--;
        v.rightArrow = 0;
        v.stepLock = G.TIME + 400;
    }
}

void DrawPictures(const Visit& v) {
    DrawImage(v.reflection, 144, 525, 0);
    DrawImage(G.IMGPuzzle, 144, 13, 0);
    DrawImage(G.ButtonRMirror, 670, 550, 0);
    DrawImage(G.ButtonLMirror, 10, 550, 0);
}

void DrawCentred(const std::string& text, float y) {
    DrawText(text, float(400 - TextWidth(text) / 2), y);
}

// "Auswahl: i/N" with its faint reflection below; with an empty catalogue, the reason instead.
void DrawCounter(const Visit& v) {
    SetImageFont(G.FArial30);
    if (CatalogueEmpty()) {
        DrawCentred("Keine Motive im Ordner", 200);
        DrawCentred("Motives/ gefunden", 240);
    }
    const int place = CatalogueEmpty() ? 0 : v.index + 1;
    const std::string counter =
        "Auswahl: " + std::to_string(place) + "/" + std::to_string(G.CountMotives);
    const int x = 400 - TextWidth(counter) / 2;
    SetScale(1, -0.8f);
    SetAlpha(0.2f);
    DrawText(counter, float(x), 580);
    SetScale(1, 1);
    SetAlpha(1);
    DrawText(counter, float(x), 535);
}

void DrawArrowButtons() {
    SetImageFont(G.FArial20);
    DrawImage(G.ButtonR, 670, 450, 0);
    DrawImage(G.ButtonL, 10, 450, 0);
}

// Left edge of the slider knob, less 5: it moves at every second grid size.
int KnobPosition() { return (G.MAP_X / 2) * 512 / 20 + 144; }

void DrawSlider(int k) {
    SetColor(25, 25, 25);
    SetAlpha(0.5f);
    DrawRect(149, 487, 502, 19);
    SetAlpha(1);
    SetColor(125, 125, 125);
    DrawRect(float(k - 5), 487, 60, 19);
    // Two half-size arrows flank the knob.
    SetColor(255, 255, 255);
    SetScale(0.5f, 0.5f);
    DrawImage(G.ButtonR, float(k + 45), 485, 0);
    DrawImage(G.ButtonL, float(k - 55), 485, 0);
    SetScale(1, 1);
}

void DrawTileCount(int k) {
    SetImageFont(G.FArial20);
    const std::string count = std::to_string(G.MAP_X * G.MAP_Y);
    DrawText(count, float(k + 25) - float(TextWidth(count)) / 2.0f, 485);
}

void DrawHighlights(const Visit& v) {
    if (v.rightArrow == 2) LightUp(G.ButtonR, 670, 450);
    if (v.leftArrow == 2) LightUp(G.ButtonL, 10, 450);
}

void HoverPicture(Visit& v) {
    if (G.MX > 144 && G.MX < 656 && G.MY > 13 && G.MY < 475) {
        LightUp(G.IMGPuzzle, 144, 13);
        if (G.MOUSE1HIT == 1 && !CatalogueEmpty()) v.choice = 1;
    }
}

// The slider follows the held button: 15 pixels per grid size, from 4 up to 32.
void DragSlider() {
    if (MouseDown(1) && G.MX > 144 && G.MX < 656 && G.MY > 475 && G.MY < 525) {
        G.MAP_X = (G.MX - 144) / 15;
        if (G.MAP_X < 4) G.MAP_X = 4;
        if (G.MAP_X > 32) G.MAP_X = 32;
        G.MAP_Y = G.MAP_X;
    }
}

// Leaving without a choice: a board in play keeps its own grid size and picture, so whatever
// follows the menu draws and shuffles it only with the dimensions it was cut in.
void KeepBoardAsItWas(const Image& boardPicture) {
    if (G.Puzzle.empty()) return;
    G.MAP_X = G.Puzzle.columns;
    G.MAP_Y = G.Puzzle.rows;
    G.IMGPuzzle = boardPicture;
}

}  // namespace

int selectPuzzleImg() {
    Visit v;
    v.reflection = CreateImage(512, 512);
    const Image boardPicture = G.IMGPuzzle;

    for (;;) {
        UserInput();
        v.leftArrow = SampleArrow(10, 130);
        v.rightArrow = SampleArrow(670, 790);
        TakeKeysAndWheel(v);
        Wrap(v);
        CataloguePass(v);
        TakeStep(v);
        DrawPictures(v);
        DrawCounter(v);
        DrawArrowButtons();
        const int k = KnobPosition();
        DrawSlider(k);
        DrawTileCount(k);
        SetImageFont(G.FArial30);
        DrawHighlights(v);
        HoverPicture(v);
        DragSlider();
        if (KeyHit(32)) break;  // the frame is left unshown
        Mouse(1);
        FPS();
        Flip(0);
        WaitTimer(G.Timer);
        Cls();
        if (KeyHit(27)) break;
        if (AppTerminate()) break;
        if (v.choice == 1) break;
    }

    SetScale(1, 1);
    if (v.choice == 0) {
        KeepBoardAsItWas(boardPicture);
        Menu();
        return 0;
    }
    MakeChosenBoard();
    return 0;
}
