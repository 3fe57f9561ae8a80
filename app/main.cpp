// Kachelzauber: a picture puzzle. The program's entry.
#include "app/game.h"

int main() { return RunGame(); }
