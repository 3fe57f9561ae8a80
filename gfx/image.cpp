// Images: pictures that can be drawn, made from pixmaps, files or the back buffer.
#include <algorithm>
#include <cstring>

#include "gfx/codecs.h"
#include "gfx/render_internal.h"

namespace gfx {

struct ImageData {
    int width = 0, height = 0;
    int flags = 0;
    std::vector<detail::Surface> frames;

    ImageData(int w, int h, int frameCount, int imageFlags)
        : width(w), height(h), flags(imageFlags), frames(size_t(std::max(frameCount, 1))) {
        ++detail::LiveImages();
        for (auto& frame : frames) frame.filtered = (flags & FILTEREDIMAGE) != 0;
    }
    ~ImageData() { --detail::LiveImages(); }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;
};

namespace {

int EffectiveFlags(int flags) { return flags == DEFAULTFLAGS ? MASKEDIMAGE | FILTEREDIMAGE : flags; }

// Pixels of exactly the mask colour become transparent black.
void Mask(uint8_t* rgba, size_t count) {
    const auto& s = detail::State();
    for (size_t i = 0; i < count; ++i, rgba += 4) {
        if (rgba[0] == s.maskRed && rgba[1] == s.maskGreen && rgba[2] == s.maskBlue)
            rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0;
    }
}

detail::Surface* FrameOf(const Image& img, int frame) {
    if (!img || frame < 0 || frame >= int(img->frames.size())) return nullptr;
    return &img->frames[size_t(frame)];
}

}  // namespace

void DrawImage(const Image& img, float x, float y, int frame) {
    detail::Surface* surface = FrameOf(img, frame);
    if (!surface) return;
    const auto& s = detail::State();
    detail::DrawSurface(*surface, x, y, x + img->width * s.scaleX, y + img->height * s.scaleY);
}

Image LoadImage(const std::string& url, int flags) {
    const std::optional<Pixmap> pixmap = LoadPixmap(url);
    if (!pixmap) return nullptr;
    return LoadImage(*pixmap, flags);
}

Image LoadImage(const Pixmap& pixmap, int flags) {
    const int w = pixmap.width, h = pixmap.height;
    if (w <= 0 || h <= 0 || pixmap.pixels.size() != size_t(w) * h * 4) return nullptr;
    flags = EffectiveFlags(flags);
    auto img = std::make_shared<ImageData>(w, h, 1, flags);
    Pixmap& pixels = img->frames[0].pixels;
    pixels = pixmap;
    if ((flags & MASKEDIMAGE) && !pixmap.hasAlpha) {
        Mask(pixels.pixels.data(), size_t(w) * h);
        pixels.hasAlpha = true;   // the frame now carries transparency of its own
    }
    return img;
}

Image CreateImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || !codecs::SizeAllowed(width, height)) return nullptr;
    auto img = std::make_shared<ImageData>(width, height, frames, EffectiveFlags(flags));
    for (auto& frame : img->frames) frame.pixels = CreatePixmap(width, height, true);
    return img;
}

void GrabImage(const Image& img, int x, int y, int frame) {
    detail::Surface* surface = FrameOf(img, frame);
    if (!surface) return;
    const std::vector<uint8_t>& back = detail::FrameReadback();
    const int backW = detail::FrameWidth(), backH = detail::FrameHeight();
    if (back.empty()) return;
    const int w = img->width, h = img->height;
    Pixmap& pixels = surface->pixels;
    // Parts outside the back buffer stay as they were made: transparent black.
    if (x < 0 || y < 0 || x + w > backW || y + h > backH) std::fill(pixels.pixels.begin(), pixels.pixels.end(), 0);
    const int x0 = std::max(x, 0), x1 = std::min(x + w, backW);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, backH);
    if (x0 < x1) {
        for (int row = y0; row < y1; ++row) {
            uint8_t* dst = &pixels.pixels[(size_t(row - y) * w + (x0 - x)) * 4];
            std::memcpy(dst, &back[(size_t(row) * backW + x0) * 4], size_t(x1 - x0) * 4);
            if (img->flags & MASKEDIMAGE) Mask(dst, size_t(x1 - x0));
        }
    }
    pixels.hasAlpha = true;
    surface->dirty = true;
}

Pixmap& LockImage(const Image& img, int frame, bool, bool write) {
    static Pixmap none;
    detail::Surface* surface = FrameOf(img, frame);
    if (!surface) {
        none = Pixmap{};
        return none;
    }
    if (write) surface->dirty = true;
    return surface->pixels;
}

int ImageWidth(const Image& img) { return img ? img->width : 0; }
int ImageHeight(const Image& img) { return img ? img->height : 0; }
long LiveImageCount() { return detail::LiveImages(); }

}  // namespace gfx
