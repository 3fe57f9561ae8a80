// Input: the window's events turned into key and mouse counters.
#include "gfx/gfx.h"

namespace gfx {

int KeyHit(int) { return 0; }
bool KeyDown(int) { return false; }
int MouseHit(int) { return 0; }
bool MouseDown(int) { return false; }
int MouseX() { return 0; }
int MouseY() { return 0; }
int MouseZ() { return 0; }
void FlushKeys() {}
void FlushMouse() {}
bool AppTerminate() { return false; }
void InjectMouseMove(int, int) {}
void InjectMouseButton(int, bool) {}
void InjectMouseWheel(int) {}
void InjectKey(int, bool) {}
void InjectQuit() {}
void InjectFocus(bool) {}
void PumpEvents() {}

}  // namespace gfx
