// The three buttons of the play panel.
#include "app/state.h"
#include "play/play.h"

void Buttons() {}
