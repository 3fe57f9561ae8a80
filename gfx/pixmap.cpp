// Pixmaps in memory: creation, pixel access, conversion, row flipping and decoding by content.
#include <cstring>

#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx {

Pixmap CreatePixmap(int width, int height, bool hasAlpha) {
    Pixmap p;
    if (!codecs::SizeAllowed(width, height)) return p;
    p.width = width;
    p.height = height;
    p.hasAlpha = hasAlpha;
    p.pixels.assign(size_t(width) * size_t(height) * 4, 0);
    // A pixmap without an alpha channel is opaque everywhere.
    if (!hasAlpha) {
        for (size_t i = 3; i < p.pixels.size(); i += 4) p.pixels[i] = 255;
    }
    return p;
}

uint32_t ReadPixel(const Pixmap& pixmap, int x, int y) {
    if (x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return 0;
    const uint8_t* px = &pixmap.pixels[(size_t(y) * size_t(pixmap.width) + size_t(x)) * 4];
    return uint32_t(px[3]) << 24 | uint32_t(px[0]) << 16 | uint32_t(px[1]) << 8 | uint32_t(px[2]);
}

void WritePixel(Pixmap& pixmap, int x, int y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return;
    uint8_t* px = &pixmap.pixels[(size_t(y) * size_t(pixmap.width) + size_t(x)) * 4];
    px[0] = uint8_t(argb >> 16);
    px[1] = uint8_t(argb >> 8);
    px[2] = uint8_t(argb);
    px[3] = uint8_t(argb >> 24);
}

Pixmap ConvertPixmap(const Pixmap& pixmap, int format) {
    Pixmap copy = pixmap;
    if (format != PF_RGBA8888) return copy;
    if (!copy.hasAlpha) {
        for (size_t i = 3; i < copy.pixels.size(); i += 4) copy.pixels[i] = 255;
    }
    copy.hasAlpha = true;
    return copy;
}

Pixmap YFlipPixmap(const Pixmap& pixmap) {
    Pixmap flipped = pixmap;
    if (pixmap.pixels.size() < size_t(pixmap.width) * size_t(pixmap.height) * 4) return flipped;
    const size_t row = size_t(pixmap.width) * 4;
    for (int y = 0; y < pixmap.height; ++y) {
        std::memcpy(&flipped.pixels[size_t(y) * row], &pixmap.pixels[size_t(pixmap.height - 1 - y) * row], row);
    }
    return flipped;
}

std::optional<Pixmap> DecodePixmap(std::span<const uint8_t> bytes) {
    if (codecs::LooksLikePNG(bytes)) return codecs::DecodePNG(bytes);
    if (codecs::LooksLikeJPEG(bytes)) return codecs::DecodeJPEG(bytes, 0);
    if (codecs::LooksLikeBMP(bytes)) return codecs::DecodeBMP(bytes);
    // TGA has no magic number: its header is only checked for sense, so it comes last.
    return codecs::DecodeTGA(bytes);
}

std::optional<Pixmap> LoadPixmap(const std::string& url) {
    const std::optional<std::vector<uint8_t>> bytes = ReadUrl(url);
    if (!bytes) return std::nullopt;
    return DecodePixmap(*bytes);
}

}  // namespace gfx
