// The main menu: two buttons over the gliding, mirrored credits.
#include "screens/screens.h"

int Menu() { return 0; }
