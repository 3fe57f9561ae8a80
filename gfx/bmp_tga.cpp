// BMP and TGA pictures: the uncompressed and run-length kinds that paint programs write.
// Every read is checked against the data's end; anything unexpected gives none.
#include <bit>

#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx::codecs {

namespace {

uint32_t Le16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }

uint32_t Le32(std::span<const uint8_t> b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// One colour channel of a packed pixel, widened to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    bool contiguous() const { return !mask || ((max + 1) & max) == 0; }
    uint8_t operator()(uint32_t value) const {
        if (!mask) return 0;
        return uint8_t(uint64_t((value & mask) >> shift) * 255 / max);
    }
};

void Put(Pixmap& p, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    uint8_t* px = &p.pixels[(size_t(y) * size_t(p.width) + size_t(x)) * 4];
    px[0] = r;
    px[1] = g;
    px[2] = b;
    px[3] = a;
}

Pixmap Blank(int width, int height) {
    Pixmap p;
    p.width = width;
    p.height = height;
    p.pixels.resize(size_t(width) * size_t(height) * 4);
    return p;
}

// Pictures that carry a fourth byte per pixel but wrote only zeros there mean it as padding.
void OpaqueIfAlphaUnused(Pixmap& p) {
    for (size_t i = 3; i < p.pixels.size(); i += 4)
        if (p.pixels[i] != 0) return;
    for (size_t i = 3; i < p.pixels.size(); i += 4) p.pixels[i] = 255;
    p.hasAlpha = false;
}

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

}  // namespace

bool LooksLikeBMP(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<Pixmap> DecodeBMP(std::span<const uint8_t> b) {
    if (!LooksLikeBMP(b) || b.size() < 14 + 12) return std::nullopt;
    const uint32_t dataOffset = Le32(b, 10);
    const uint32_t headerSize = Le32(b, 14);
    if (headerSize < 12 || b.size() < 14 + uint64_t(headerSize)) return std::nullopt;

    int64_t width, height;
    uint32_t bpp, compression = BI_RGB, colours = 0;
    const bool core = headerSize == 12;  // the oldest header: 16-bit sizes, 3-byte palette entries
    if (core) {
        width = Le16(b, 18);
        height = int16_t(Le16(b, 20));
        bpp = Le16(b, 24);
    } else {
        if (headerSize < 40) return std::nullopt;
        width = int32_t(Le32(b, 18));
        height = int32_t(Le32(b, 22));
        bpp = Le16(b, 28);
        compression = Le32(b, 30);
        colours = Le32(b, 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (!SizeAllowed(width, height)) return std::nullopt;

    // Bit masks: inside the newer headers, or just after the 40-byte one.
    uint32_t masks[4] = {0, 0, 0, 0};
    size_t paletteAt = 14 + size_t(headerSize);
    if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
        const int count = compression == BI_ALPHABITFIELDS ? 4 : 3;
        size_t at = 14 + 40;
        if (headerSize == 40) paletteAt += size_t(count) * 4;
        if (b.size() < at + size_t(count) * 4) return std::nullopt;
        for (int i = 0; i < count; ++i) masks[i] = Le32(b, at + size_t(i) * 4);
        if (headerSize >= 56 && count == 3) masks[3] = Le32(b, at + 12);
    } else if (compression == BI_RGB) {
        if (bpp == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        } else if (bpp == 24 || bpp == 32) {
            masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
            if (bpp == 32) masks[3] = 0xFF000000;
        }
    } else {
        return std::nullopt;  // run-length and embedded JPEG/PNG kinds are not taken
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
    if (bpp <= 8 && compression != BI_RGB) return std::nullopt;
    if (bpp == 24 && compression != BI_RGB) return std::nullopt;

    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    if (!red.contiguous() || !green.contiguous() || !blue.contiguous() || !alpha.contiguous()) return std::nullopt;

    // Palette for 1, 4 and 8 bits a pixel.
    uint8_t palette[256][3] = {};
    if (bpp <= 8) {
        const uint32_t entrySize = core ? 3 : 4;
        uint32_t count = colours == 0 ? (1u << bpp) : colours;
        if (count > (1u << bpp)) count = 1u << bpp;
        if (b.size() < paletteAt + uint64_t(count) * entrySize) return std::nullopt;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = paletteAt + size_t(i) * entrySize;
            palette[i][0] = b[at + 2];
            palette[i][1] = b[at + 1];
            palette[i][2] = b[at];
        }
    }

    const uint64_t stride = (uint64_t(width) * bpp + 31) / 32 * 4;
    if (dataOffset > b.size() || b.size() - dataOffset < stride * uint64_t(height)) return std::nullopt;

    Pixmap p = Blank(int(width), int(height));
    p.hasAlpha = masks[3] != 0;
    for (int64_t row = 0; row < height; ++row) {
        const size_t line = dataOffset + size_t(row * int64_t(stride));
        const int y = int(topDown ? row : height - 1 - row);
        for (int x = 0; x < p.width; ++x) {
            if (bpp <= 8) {
                const size_t bit = size_t(x) * bpp;
                const uint32_t index = (b[line + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                Put(p, x, y, palette[index][0], palette[index][1], palette[index][2], 255);
                continue;
            }
            const size_t at = line + size_t(x) * (bpp / 8);
            const uint32_t v = bpp == 16 ? Le16(b, at)
                             : bpp == 24 ? Le16(b, at) | uint32_t(b[at + 2]) << 16
                                         : Le32(b, at);
            Put(p, x, y, red(v), green(v), blue(v), masks[3] ? alpha(v) : 255);
        }
    }
    if (p.hasAlpha) OpaqueIfAlphaUnused(p);
    return p;
}

std::optional<Pixmap> DecodeTGA(std::span<const uint8_t> b) {
    if (b.size() < 18) return std::nullopt;
    const uint32_t idLength = b[0];
    const uint32_t mapType = b[1];
    const uint32_t type = b[2];
    const uint32_t mapLength = Le16(b, 5);
    const uint32_t mapEntryBits = b[7];
    const int width = int(Le16(b, 12));
    const int height = int(Le16(b, 14));
    const uint32_t depth = b[16];
    const uint32_t descriptor = b[17];

    // TGA has no signature, so the header must make sense in every field.
    const bool grey = type == 3 || type == 11;
    const bool rle = type == 10 || type == 11;
    if (type != 2 && type != 3 && type != 10 && type != 11) return std::nullopt;
    if (mapType > 1 || (mapType == 0 && (mapLength != 0 || mapEntryBits != 0))) return std::nullopt;
    if (grey ? depth != 8 : (depth != 24 && depth != 32)) return std::nullopt;
    if ((descriptor & 0xC0) != 0) return std::nullopt;  // interleaving was never used
    if (!SizeAllowed(width, height)) return std::nullopt;

    const size_t bytesPerPixel = depth / 8;
    size_t at = 18 + size_t(idLength) + size_t(mapLength) * ((mapEntryBits + 7) / 8);  // the colour map is skipped
    const size_t count = size_t(width) * size_t(height);
    if (at > b.size()) return std::nullopt;
    if (!rle && b.size() - at < count * bytesPerPixel) return std::nullopt;

    const bool alphaBits = (descriptor & 0x0F) != 0;
    const bool topOrigin = (descriptor & 0x20) != 0;
    const bool rightOrigin = (descriptor & 0x10) != 0;
    Pixmap p = Blank(width, height);
    p.hasAlpha = depth == 32 && alphaBits;

    size_t done = 0;
    auto store = [&](size_t from) {
        const int column = int(done % size_t(width));
        const int row = int(done / size_t(width));
        const int x = rightOrigin ? width - 1 - column : column;
        const int y = topOrigin ? row : height - 1 - row;
        if (grey) {
            Put(p, x, y, b[from], b[from], b[from], 255);
        } else {
            Put(p, x, y, b[from + 2], b[from + 1], b[from], p.hasAlpha ? b[from + 3] : 255);
        }
        ++done;
    };
    if (!rle) {
        for (size_t i = 0; i < count; ++i, at += bytesPerPixel) store(at);
    } else {
        while (done < count) {
            if (at >= b.size()) return std::nullopt;
            const uint8_t packet = b[at++];
            size_t run = size_t(packet & 0x7F) + 1;
            if (run > count - done) return std::nullopt;
            if (packet & 0x80) {
                if (b.size() - at < bytesPerPixel) return std::nullopt;
                for (; run > 0; --run) store(at);
                at += bytesPerPixel;
            } else {
                if (b.size() - at < run * bytesPerPixel) return std::nullopt;
                for (; run > 0; --run, at += bytesPerPixel) store(at);
            }
        }
    }
    if (p.hasAlpha) OpaqueIfAlphaUnused(p);
    return p;
}

}  // namespace gfx::codecs
