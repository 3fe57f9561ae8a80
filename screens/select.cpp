// The motive selection screen: browse the catalogue, set the grid size, choose a picture.
#include "screens/screens.h"

int selectPuzzleImg() { return 0; }
