// Text: TrueType fonts rendered into glyph images.
#include "gfx/gfx.h"

namespace gfx {

struct FontData {};

ImageFont LoadImageFont(const std::string&, int, int) { return nullptr; }
void SetImageFont(const ImageFont&) {}
ImageFont GetImageFont() { return nullptr; }
void DrawText(const std::string&, float, float) {}
int TextWidth(const std::string&) { return 0; }
int TextHeight(const std::string&) { return 0; }

}  // namespace gfx
