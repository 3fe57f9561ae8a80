// Cutting the chosen picture into a solved board of tiles.
#include "app/state.h"
#include "board/board.h"

int PreparePuzzle() { return 0; }
