// The game's own cursor and the clicks that pick up, let go and swap tiles.
#include "app/state.h"
#include "play/play.h"

using namespace gfx;

namespace {

struct BoardHit {
    int column;
    int row;
    bool inGrid;
};

// The cell under the pointer; each cell's square takes in the gap right of and below it.
BoardHit CellUnderPointer() {
    const double pitch = G.PuzzleTileSize + G.BetweenTile;
    const int column = static_cast<int>((G.MX - G.AutoMidX) / pitch);
    const int row = static_cast<int>((G.MY - G.AutoMidY) / pitch);
    const bool inGrid = column >= 0 && column < G.MAP_X && row >= 0 && row < G.MAP_Y;
    return {column, row, inGrid};
}

bool Misplaced(int column, int row) {
    return G.Puzzle_ID_Now(column, row) != G.Puzzle_ID_Correct(column, row);
}

void DrawCursor() {
    if (G.Selection == 0 || G.CorrectTiles == G.AllTiles) {
        DrawImage(G.IMGCursor, G.MX, G.MY, 0);
    } else {
        const int half = G.PuzzleTileSize / 2;
        DrawImage(G.PXMCursor, G.MX - half, G.MY - half, 0);
    }
}

}  // namespace

void LetGo() {
    G.Selection = 0;
    G.ChangeID = -1;
    G.ChangeX_old = 0;
    G.ChangeY_old = 0;
}

void Mouse(uint8_t cursorOnly) {
    DrawCursor();
    if (G.CorrectTiles == G.AllTiles || cursorOnly != 0) return;
    if (!BoardMatchesGrid()) return;

    // The area ends 512 pixels of picture plus the gaps after its start, a little beyond the
    // last cell when 512 isn't a multiple of the grid size.
    const double rightEdge = G.AutoMidX + 512 + G.BetweenTile * G.MAP_X;
    const double bottomEdge = G.AutoMidY + 512 + G.BetweenTile * G.MAP_Y;
    const bool beforeEnds = G.MX < rightEdge && G.MY < bottomEdge;

    // Pick up. There is no test against the left and top edges: a click in those margins
    // truncates to the first column or row.
    if (G.MOUSE1HIT == 1 && beforeEnds && G.Selection == 0) {
        const BoardHit hit = CellUnderPointer();
        G.ChangeX_old = hit.column;
        G.ChangeY_old = hit.row;
        if (hit.inGrid && Misplaced(hit.column, hit.row)) {
            G.PXMCursor = G.Puzzle(hit.column, hit.row);
            G.ChangeID = G.Puzzle_ID_Now(hit.column, hit.row);
            G.Selection = 1;
        }
        G.MOUSE1HIT = 0;
    }

    // A click outside the board area lets go of any held tile.
    if (G.MOUSE1HIT == 1 &&
        (G.MX >= rightEdge || G.MY >= bottomEdge || G.MY < G.AutoMidY || G.MX < G.AutoMidX)) {
        LetGo();
        G.MOUSE1HIT = 0;
        G.WINMODE = 0;
    }

    // Drop: the held tile and the misplaced tile under the pointer change places.
    if (G.Selection == 1 && G.MOUSE1HIT == 1 && beforeEnds) {
        const BoardHit hit = CellUnderPointer();
        if (hit.inGrid && Misplaced(hit.column, hit.row)) {
            G.Puzzle_ID_Now(G.ChangeX_old, G.ChangeY_old) = G.Puzzle_ID_Now(hit.column, hit.row);
            G.Puzzle(G.ChangeX_old, G.ChangeY_old) = G.Puzzle(hit.column, hit.row);
            G.Puzzle_ID_Now(hit.column, hit.row) = G.ChangeID;
            G.Puzzle(hit.column, hit.row) = G.PXMCursor;
            LetGo();
            G.TileMoves = G.TileMoves + 1;
        }
        G.MOUSE1HIT = 0;
    }
}
