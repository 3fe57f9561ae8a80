// The board pass of every play frame and the status texts beside it.
#include <cstdint>
#include <string>

#include "app/state.h"
#include "board/board.h"

using namespace gfx;

namespace {

// A green glow over the tile with a two-pixel rim: where the held tile belongs.
void DrawHelpMark(float left, float top) {
    SetAlpha(0.4f);
    SetBlend(LIGHTBLEND);
    SetColor(0, 125, 0);
    DrawRect(left - 2, top - 2, G.PuzzleTileSize + 4, G.PuzzleTileSize + 4);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1.0f);
}

void DrawBoardPass() {
    const int pitch = G.PuzzleTileSize + G.BetweenTile;
    const int size = G.PuzzleTileSize;
    // The cell under the pointer, truncated toward zero: the margins left of and above the
    // board still count as the first column and row.
    const int hx = static_cast<int>((G.MX - G.AutoMidX) / static_cast<double>(pitch));
    const int hy = static_cast<int>((G.MY - G.AutoMidY) / static_cast<double>(pitch));

    G.CorrectTiles = 0;
    for (int x = 0; x < G.MAP_X; ++x) {
        for (int y = 0; y < G.MAP_Y; ++y) {
            const float left = G.AutoMidX + x * pitch;
            const float top = G.AutoMidY + y * pitch;
            const bool heldBelongsHere = G.ChangeID == G.Puzzle_ID_Correct(x, y);

            SetAlpha(0.2f);
            // Drawn before the tile, so only its one-pixel border shows.
            if (G.Puzzle_ID_Now(x, y) == G.Puzzle_ID_Correct(x, y)) {
                SetColor(0, 255, 0);
                DrawRect(left - 1, top - 1, size + 2, size + 2);
                SetColor(255, 255, 255);
                G.CorrectTiles = G.CorrectTiles + 1;
            }
            SetAlpha(1.0f);
            DrawImage(G.Puzzle(x, y), left, top, 0);

            if (hx == x && hy == y) {
                SetAlpha(0.2f);
                SetBlend(LIGHTBLEND);
                DrawRect(left, top, size, size);
                SetBlend(ALPHABLEND);
                SetAlpha(1.0f);
                if (heldBelongsHere && G.Helpstate >= 1) DrawHelpMark(left, top);
            }
            if (G.Helpstate == 2 && heldBelongsHere) DrawHelpMark(left, top);

            // A requested solve restores each cell after it was counted and drawn, so this
            // frame still shows the old arrangement.
            if (G.WINMODE == 3) {
                G.Puzzle_ID_Now(x, y) = G.Puzzle_ID_Correct(x, y);
                G.Puzzle(x, y) = G.Puzzle_Original(x, y);
                G.TileMoves = 0;
            }
        }
    }
}

void DrawStatusTexts() {
    SetAlpha(1.0f);
    if (G.WINMODE == 4) {
        MixPuzzle();
        G.WINMODE = 0;
    }
    SetImageFont(G.FArial20);
    if (G.WINMODE == 0) {
        // Unsigned difference: the millisecond clock may wrap during a game.
        const auto elapsed = static_cast<int32_t>(static_cast<uint32_t>(G.TIME) -
                                                  static_cast<uint32_t>(G.GameSecs));
        G.GameTime = ClockText(elapsed / 1000);
    }
    DrawText(G.GameTime, static_cast<float>(590 - TextWidth(G.GameTime)), 582);

    if (G.CorrectTiles == G.AllTiles) {
        if (G.WINMODE < 2) {
            DrawText("GEWONNEN", 650, 210);
            G.WINMODE = 1;
        }
        if (G.WINMODE >= 2) {
            DrawText("AUFGELÖST", 650, 210);
            G.WINMODE = 2;
        }
    } else {
        DrawText("Korrekt platzierte: " + std::to_string(G.CorrectTiles), 595, 210);
    }
    DrawText("Getauschte Teile: " + std::to_string(G.TileMoves), 595, 225);
    SetImageFont(G.FArial30);
}

std::string TwoDigits(int value) {
    return (value <= 9 ? "0" : "") + std::to_string(value);
}

}  // namespace

int DrawPuzzle() {
    // A board that doesn't fit the grid (never made, or left behind by a changed grid size) is
    // not drawn or counted; the drawing state is still handed on as usual.
    if (BoardMatchesGrid()) {
        DrawBoardPass();
        DrawStatusTexts();
    } else {
        G.CorrectTiles = 0;
        SetAlpha(1.0f);
    }
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetImageFont(G.FArial30);
    return 0;
}

std::string ClockText(int seconds) {
    if (seconds < 0) seconds = 0;
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}
