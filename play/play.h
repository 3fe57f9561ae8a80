// Play interaction: the cursor and clicks on the board, the panel buttons, the quit question.
#pragma once

#include <cstdint>

// Draws the cursor; with cursorOnly 0 also picks up, lets go and swaps tiles.
void Mouse(uint8_t cursorOnly);
// Nothing held any more: the held tile stays where it lies on the board.
void LetGo();
// Draws and handles the three panel buttons; may run the selection or the quit confirmation.
void Buttons();
// The "Beenden" question: ends the program, returns to play, or runs the main menu.
void QuitConfirmation();
