// The game's window: opening and closing it, the off-screen frame and showing it.
#include "gfx/gfx.h"

namespace gfx {

void AppTitle(const std::string&) {}
void Graphics(int, int, int, int, int) {}
int GraphicsWidth() { return 0; }
int GraphicsHeight() { return 0; }
void HideMouse() {}
void ShowMouse() {}
void SetClsColor(int, int, int) {}
void Cls() {}
void Flip(int) {}
void End() { throw ProgramEnd{}; }
void CloseGraphics() {}
void SetFrameHook(std::function<void()>) {}
uint32_t FramePixel(int, int) { return 0; }
std::vector<uint32_t> FramePixels() { return {}; }
int DrawCallCount() { return 0; }

}  // namespace gfx
