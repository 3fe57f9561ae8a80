// The question asked before quitting.
#include "app/state.h"
#include "play/play.h"

void QuitConfirmation() {}
