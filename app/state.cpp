// The game state's single instance.
#include "app/state.h"

GameState G;

void ResetGameState() { G = GameState{}; }

bool BoardMatchesGrid() {
    const auto matches = [](const auto& grid) {
        return !grid.empty() && grid.columns == G.MAP_X && grid.rows == G.MAP_Y;
    };
    return matches(G.Puzzle) && matches(G.Puzzle_ID_Now) && matches(G.Puzzle_ID_Correct) &&
           matches(G.Puzzle_Original);
}
