// BMP and TGA pictures as paint programs write them decode to the right pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/gfx.h"

namespace {

// A 3x2 picture: odd width, so BMP rows need padding; one run of equal pixels for TGA's RLE.
const int W = 3, H = 2;
const uint32_t PICTURE[W * H] = {0xFFFF0000, 0xFFFF0000, 0x800000FF, 0x0000FF00, 0xFFFFFFFF, 0xFF102030};

void Put16(std::vector<uint8_t>& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v), Put16(b, v >> 16); }
void PutPixel(std::vector<uint8_t>& b, uint32_t argb, int bytes) {
    b.insert(b.end(), {uint8_t(argb), uint8_t(argb >> 8), uint8_t(argb >> 16)});  // blue, green, red
    if (bytes == 4) b.push_back(uint8_t(argb >> 24));
}

// Row `i` of the file as stored: bottom-up unless `topDown`.
int StoredRow(int i, bool topDown) { return topDown ? i : H - 1 - i; }

std::vector<uint8_t> Bmp(int bpp, bool topDown, bool zeroAlpha = false) {
    std::vector<uint32_t> palette;
    if (bpp == 8)
        for (uint32_t c : PICTURE)
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    const uint32_t stride = (W * bpp + 31) / 32 * 4;
    const uint32_t dataOffset = 14 + 40 + uint32_t(palette.size()) * 4;

    std::vector<uint8_t> b = {'B', 'M'};
    Put32(b, dataOffset + stride * H), Put32(b, 0), Put32(b, dataOffset);
    Put32(b, 40), Put32(b, W), Put32(b, uint32_t(topDown ? -H : H));
    Put16(b, 1), Put16(b, uint32_t(bpp)), Put32(b, 0), Put32(b, stride * H);
    Put32(b, 2835), Put32(b, 2835), Put32(b, uint32_t(palette.size())), Put32(b, 0);
    for (uint32_t c : palette) PutPixel(b, c & 0xFFFFFF, 4);
    for (int i = 0; i < H; ++i) {
        const size_t start = b.size();
        for (int x = 0; x < W; ++x) {
            const uint32_t c = PICTURE[StoredRow(i, topDown) * W + x];
            if (bpp == 8) b.push_back(uint8_t(std::find(palette.begin(), palette.end(), c) - palette.begin()));
            else PutPixel(b, zeroAlpha ? c & 0xFFFFFF : c, bpp / 8);
        }
        b.resize(start + stride, 0);
    }
    return b;
}

std::vector<uint8_t> Tga(bool rle, int bpp, bool topDown) {
    std::vector<uint8_t> b = {3, 0, uint8_t(rle ? 10 : 2), 0, 0, 0, 0, 0};  // with a 3-byte ID field
    Put16(b, 0), Put16(b, 0), Put16(b, W), Put16(b, H);
    b.push_back(uint8_t(bpp));
    b.push_back(uint8_t((bpp == 32 ? 8 : 0) | (topDown ? 0x20 : 0)));
    b.insert(b.end(), {'i', 'd', '!'});
    std::vector<uint32_t> order;
    for (int i = 0; i < H; ++i)
        for (int x = 0; x < W; ++x) order.push_back(PICTURE[StoredRow(i, topDown) * W + x]);
    for (size_t i = 0; i < order.size();) {
        if (!rle) {
            PutPixel(b, order[i++], bpp / 8);
            continue;
        }
        // Runs of equal pixels as run packets, everything else as raw packets of one pixel.
        size_t run = 1;
        while (i + run < order.size() && order[i + run] == order[i]) ++run;
        b.push_back(uint8_t(run > 1 ? 0x80 | (run - 1) : 0));
        PutPixel(b, order[i], bpp / 8);
        i += run;
    }
    return b;
}

TEST(BmpTgaDecode, KindsGiveThePictureAndItsAlphaFlag) {
    struct Case { const char* name; std::vector<uint8_t> bytes; bool hasAlpha; };
    const Case cases[] = {
        {"BMP 24-bit bottom-up", Bmp(24, false), false},
        {"BMP 24-bit top-down", Bmp(24, true), false},
        {"BMP 32-bit with alpha", Bmp(32, false), true},
        {"BMP 32-bit, fourth byte unused", Bmp(32, true, true), false},
        {"BMP 8-bit palette", Bmp(8, false), false},
        {"TGA 24-bit raw, bottom-up", Tga(false, 24, false), false},
        {"TGA 32-bit raw, top-down", Tga(false, 32, true), true},
        {"TGA 24-bit RLE", Tga(true, 24, true), false},
        {"TGA 32-bit RLE, bottom-up", Tga(true, 32, false), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = gfx::DecodePixmap(c.bytes);
        ASSERT_TRUE(p);
        ASSERT_EQ(std::pair(p->width, p->height), std::pair(W, H));
        EXPECT_EQ(p->hasAlpha, c.hasAlpha);
        for (int i = 0; i < W * H; ++i) {
            const uint32_t expected = c.hasAlpha ? PICTURE[i] : PICTURE[i] | 0xFF000000;
            EXPECT_EQ(gfx::ReadPixel(*p, i % W, i / W), expected) << "pixel " << i;
        }
    }
}

}  // namespace
