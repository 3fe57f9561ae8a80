// The board a choice on the selection screen makes.
#include "app/state.h"
#include "board/board.h"
#include "screens/screens.h"

using namespace gfx;

void MakeChosenBoard() {
    Cls();
    G.PuzzleTileSize = 512 / G.MAP_X;
    if (G.MAP_X > 27) G.BetweenTile = 2;
    if (G.MAP_Y <= 27) G.BetweenTile = 3;
    // The previous board's tiles are released once nothing refers to them.
    G.Puzzle = Grid<Image>(G.MAP_X, G.MAP_Y);
    G.Puzzle_ID_Correct = Grid<int32_t>(G.MAP_X, G.MAP_Y);
    G.Puzzle_ID_Now = Grid<int32_t>(G.MAP_X, G.MAP_Y);
    G.Puzzle_Original = Grid<Image>(G.MAP_X, G.MAP_Y);
    // A tile held when the new motive was asked for is the old board's too.
    G.PXMCursor = nullptr;
    PreparePuzzle();
    G.AllTiles = G.MAP_X * G.MAP_Y;
}
