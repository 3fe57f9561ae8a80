// Drawing state and the batched quad renderer.
#include "gfx/gfx.h"

namespace gfx {

void SetColor(int, int, int) {}
void SetAlpha(float) {}
void SetBlend(int) {}
void SetScale(float, float) {}
void SetMaskColor(int, int, int) {}
int GetBlend() { return MASKBLEND; }
float GetAlpha() { return 1.0f; }
void DrawRect(float, float, float, float) {}

}  // namespace gfx
