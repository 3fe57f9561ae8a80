// Start-up and the play loop.
#pragma once

// Start-up steps: resources, windows, motive folder, state, catalogue, loaded resources and the
// drawing defaults. Throws gfx::GraphicsFailure when no window can be opened.
void StartUp();
// The last start-up steps alone (load buttons, cursor, fonts; seed; clear colour; blend), on an
// open game window. Tests use it.
void LoadResourcesAndDefaults();
// One frame of play; false when Escape or a close request ends the loop.
bool PlayFrame();
void PlayLoop();
// The whole program; returns the process exit status.
int RunGame();
