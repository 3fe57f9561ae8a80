// The puzzle board: cutting the chosen picture into tiles, shuffling, drawing and status.
#pragma once

#include <string>

// Cuts G.IMGPuzzle into the freshly made board arrays: a solved board with new identities.
int PreparePuzzle();
// Shuffles the board by 2001 to 10000 random exchanges and starts a new game.
int MixPuzzle();
// Draws the board and the status texts, recounts correct tiles, carries out a pending solve or
// reshuffle and keeps the clock.
int DrawPuzzle();
// "hh:mm:ss" for whole seconds elapsed; hours get more digits past 99.
std::string ClockText(int seconds);
