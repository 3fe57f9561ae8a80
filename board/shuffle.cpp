// Shuffling the board and starting a new game on it.
#include <algorithm>

#include "app/state.h"
#include "board/board.h"

using namespace gfx;

namespace {

// A random column or row, 0 .. count - 1.
int RandomIndex(int count) {
    // The draw never reaches count; the bound only guards the board arrays if it ever did.
    return std::min(static_cast<int>(Rnd(0.0, count)), count - 1);
}

}  // namespace

int MixPuzzle() {
    G.GameSecs = G.TIME;
    G.TileMoves = 0;
    G.Selection = 0;
    G.CorrectTiles = 0;
    G.WINMODE = 0;
    if (!BoardMatchesGrid()) return 0;

    const int exchanges = Rand(2000, 9999);
    for (int i = 0; i <= exchanges; ++i) {
        const int x1 = RandomIndex(G.MAP_X);
        const int y1 = RandomIndex(G.MAP_Y);
        const int x2 = RandomIndex(G.MAP_X);
        const int y2 = RandomIndex(G.MAP_Y);
        // ID holds the identity in transit, so it ends on the identity moved last.
        G.ID = G.Puzzle_ID_Now(x2, y2);
        Image aside = G.Puzzle(x2, y2);
        G.Puzzle(x2, y2) = G.Puzzle(x1, y1);
        G.Puzzle_ID_Now(x2, y2) = G.Puzzle_ID_Now(x1, y1);
        G.Puzzle(x1, y1) = std::move(aside);
        G.Puzzle_ID_Now(x1, y1) = G.ID;
    }
    return 0;
}
