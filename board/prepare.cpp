// Cutting the chosen picture into a solved board of tiles.
#include "app/state.h"
#include "board/board.h"

using namespace gfx;

int PreparePuzzle() {
    G.TileMoves = 0;
    G.Selection = 0;
    // The bracket is worked out in integers; the halving keeps its half pixel.
    G.AutoMidX = static_cast<float>(83 - G.BetweenTile * G.MAP_X) / 2.0f;
    G.AutoMidY = static_cast<float>(78 - G.BetweenTile * G.MAP_Y) / 2.0f;

    // Tiles are cut from what the back buffer shows, so places the picture doesn't reach (and
    // its mask-coloured pixels) come out in the clear colour.
    Cls();
    DrawImage(G.IMGPuzzle, 0.0f, 0.0f, 0);
    SetMaskColor(255, 0, 255);
    if (BoardMatchesGrid()) {
        const int size = G.PuzzleTileSize;
        for (int x = 0; x < G.MAP_X; ++x) {
            for (int y = 0; y < G.MAP_Y; ++y) {
                G.Puzzle(x, y) = CreateImage(size, size, 1, MASKEDIMAGE | DYNAMICIMAGE);
                G.Puzzle_Original(x, y) = CreateImage(size, size, 1, MASKEDIMAGE | DYNAMICIMAGE);
                G.Puzzle_ID_Correct(x, y) = G.ID;
                G.Puzzle_ID_Now(x, y) = G.ID;
                GrabImage(G.Puzzle(x, y), x * size, y * size, 0);
                GrabImage(G.Puzzle_Original(x, y), x * size, y * size, 0);
                G.ID = G.ID + 1;
            }
        }
    }
    // The picture drawn for cutting never reaches the screen.
    Cls();
    return 0;
}
