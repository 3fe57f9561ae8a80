// The screens before play: the main menu with its credits and the motive selection.
#pragma once

#include "gfx/gfx.h"

// Main menu. Returns after a game was started (selection, then shuffle) or on a close request;
// "Raus hier" and Escape end the program.
int Menu();
// Motive selection. Returns after a choice (new board prepared) or after the main menu it runs
// when the player leaves without one.
int selectPuzzleImg();
// What a choice on the selection screen does: clears the back buffer, sets the tile size, gap,
// the four board arrays and the tile count for the grid G.MAP_X, and cuts G.IMGPuzzle.
void MakeChosenBoard();
// A hovered button or picture lit up: the image drawn over itself once more, added at 30%.
void LightUp(const gfx::Image& image, float x, float y);
