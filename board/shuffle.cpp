// Shuffling the board and starting a new game on it.
#include "app/state.h"
#include "board/board.h"

int MixPuzzle() { return 0; }
