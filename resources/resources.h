// The files carried inside the program: cursor, button pictures and font.
#pragma once

// Registers them with the drawing layer under their "incbin::" names.
void RegisterResources();
