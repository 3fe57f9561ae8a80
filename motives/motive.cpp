// Motive records: loading one catalogue picture and making the fading reflection shown below it.
#include "motives/motive.h"

#include "app/state.h"

using namespace gfx;

bool TMotives::AddMotiv(uint16_t id, const std::string& name) {
    if (!G.M) return false;
    // One decode serves both the picture and its reflection: a second load of the same file
    // would give the same pixels.
    const std::optional<Pixmap> picture = LoadPixmap(name);
    if (!picture) return false;
    TMotives& m = *G.M;
    m.Filename = name;
    m.Motiv = LoadImage(*picture, MASKEDIMAGE);
    if (!m.Motiv) return false;
    m.Mirror = mirrorImage(m.Motiv);
    m.Motivwidth = float(ImageWidth(m.Motiv));
    m.Motivheight = float(ImageHeight(m.Motiv));
    m.widthfaktor = 512 / m.Motivwidth;
    m.heightfaktor = 512 / m.Motivheight;
    m.ID = id;
    return true;
}

gfx::Image mirrorImage(const gfx::Image& image) {
    const int W = ImageWidth(image);
    const int H = ImageHeight(image);
    if (W <= 0 || H <= 0) return nullptr;

    // Tall pictures give only their lowest seventh, taken as drawn: with the catalogue pass's
    // black clear colour and mask blending, transparent parts of the strip come out black.
    Pixmap reflection;
    int h = H;
    if (H > 100) {
        h = H / 7;
        const Image strip = CreateImage(W, h);
        Cls();
        DrawImage(image, 0.0f, 0.0f, 0);
        GrabImage(strip, 0, H - h, 0);
        Cls();
        reflection = YFlipPixmap(ConvertPixmap(LockImage(strip, 0, true, false), PF_RGBA8888));
    } else {
        reflection = YFlipPixmap(ConvertPixmap(LockImage(image, 0, true, false), PF_RGBA8888));
    }

    // The game's floats are 32 bits wide, so the fade is worked out in float and truncated.
    for (int x = 0; x < reflection.width; ++x) {
        for (int y = 0; y < reflection.height; ++y) {
            const uint32_t pixel = ReadPixel(reflection, x, y);
            const float fade = 1.0f - float(y) / float(h);
            uint32_t alpha = uint32_t(int(80.0f * fade));
            if ((pixel >> 24) == 0) alpha = 0;
            WritePixel(reflection, x, y, (alpha << 24) | (pixel & 0x00FFFFFFu));
        }
    }
    return LoadImage(reflection);
}
