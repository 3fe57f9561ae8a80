// The game's own cursor and the clicks that pick up, let go and swap tiles.
#include "app/state.h"
#include "play/play.h"

void Mouse(uint8_t) {}
