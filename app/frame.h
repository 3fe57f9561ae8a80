// Per-frame input sample, wheel difference, clock reading and the frame-rate display.
#pragma once

int UserInput();
int MouseZSpeed(int z);
int FPS();
