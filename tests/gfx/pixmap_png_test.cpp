// PNG pictures of every kind a player's folder may hold decode to the right pixels, and the
// PNG encoder keeps alpha.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "gfx/gfx.h"
#include "tests/support/picture_files.h"

namespace {

using testpictures::PngFile;
using testpictures::WritePng;

PngFile Kind(int width, int height, int colorType, int bitDepth = 8, bool interlaced = false) {
    PngFile f;
    f.width = width, f.height = height, f.colorType = colorType, f.bitDepth = bitDepth, f.interlaced = interlaced;
    return f;
}

std::string Hex(uint32_t v) {
    char s[16];
    std::snprintf(s, sizeof s, "%08X", v);
    return s;
}

struct PngCase {
    const char* name;
    std::function<PngFile()> make;
    bool hasAlpha;
    std::vector<uint32_t> expected;  // ARGB, row by row
};

TEST(PngDecode, EveryKindGivesTheRightPixelsAndAlphaFlag) {
    const std::vector<PngCase> cases = {
        {"palette",
         [] {
             PngFile f = Kind(3, 1, PNG_COLOR_TYPE_PALETTE);
             f.palette = {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}};
             f.rows = {{2, 0, 1}};
             return f;
         },
         false, {0xFF010203, 0xFFFF0000, 0xFF008000}},
        {"palette, 4 bits",
         [] {
             PngFile f = Kind(3, 1, PNG_COLOR_TYPE_PALETTE, 4);
             f.palette = {{255, 0, 0}, {0, 0, 255}};
             f.rows = {{0x10, 0x10}};
             return f;
         },
         false, {0xFF0000FF, 0xFFFF0000, 0xFF0000FF}},
        {"palette with tRNS",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_PALETTE);
             f.palette = {{255, 0, 0}, {0, 0, 255}};
             f.paletteAlpha = {0, 128};
             f.rows = {{0, 1}};
             return f;
         },
         true, {0x00FF0000, 0x800000FF}},
        {"grey",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_GRAY);
             f.rows = {{0, 200}};
             return f;
         },
         false, {0xFF000000, 0xFFC8C8C8}},
        {"grey with tRNS",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_GRAY);
             f.transparent = png_color_16{0, 0, 0, 0, 200};
             f.rows = {{100, 200}};
             return f;
         },
         true, {0xFF646464, 0x00C8C8C8}},
        {"grey and alpha",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA);
             f.rows = {{50, 255, 150, 64}};
             return f;
         },
         true, {0xFF323232, 0x40969696}},
        {"16-bit RGB",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_RGB, 16);
             // 0x8080 is 128/255 of full scale, so 8-bit 128: the values are not linear light.
             f.rows = {{0x80, 0x80, 0x00, 0x00, 0xFF, 0xFF, 0x40, 0x40, 0x20, 0x20, 0xC0, 0xC0}};
             return f;
         },
         false, {0xFF8000FF, 0xFF4020C0}},
        {"16-bit RGBA",
         [] {
             PngFile f = Kind(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16);
             f.rows = {{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x80, 0x80}};
             return f;
         },
         true, {0x80FF0000}},
        {"RGB with tRNS",
         [] {
             PngFile f = Kind(2, 1, PNG_COLOR_TYPE_RGB);
             f.transparent = png_color_16{0, 255, 0, 255, 0};
             f.rows = {{255, 0, 255, 10, 20, 30}};
             return f;
         },
         true, {0x00FF00FF, 0xFF0A141E}},
        {"interlaced",
         [] {
             // Larger than one 8x8 interlace block, so every pass holds pixels.
             PngFile f = Kind(11, 9, PNG_COLOR_TYPE_RGB, 8, true);
             for (int y = 0; y < 9; ++y) {
                 std::vector<uint8_t> row;
                 for (int x = 0; x < 11; ++x) row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 25), 77});
                 f.rows.push_back(row);
             }
             return f;
         },
         false, {}},
    };
    for (const PngCase& c : cases) {
        SCOPED_TRACE(c.name);
        PngFile file = c.make();
        const std::vector<uint8_t> bytes = WritePng(file);
        const auto p = gfx::DecodePixmap(bytes);
        ASSERT_TRUE(p);
        ASSERT_EQ(p->width, file.width);
        ASSERT_EQ(p->height, file.height);
        EXPECT_EQ(p->hasAlpha, c.hasAlpha);
        std::vector<uint32_t> expected = c.expected;
        if (expected.empty()) {  // the interlaced picture: a gradient
            for (int y = 0; y < file.height; ++y)
                for (int x = 0; x < file.width; ++x)
                    expected.push_back(0xFF000000u | uint32_t(x * 20) << 16 | uint32_t(y * 25) << 8 | 77);
        }
        for (int i = 0; i < int(expected.size()); ++i)
            EXPECT_EQ(Hex(gfx::ReadPixel(*p, i % file.width, i / file.width)), Hex(expected[size_t(i)]))
                << "pixel " << i;
    }
}

TEST(PngEncode, RoundTripKeepsPixelsAndAlpha) {
    gfx::Pixmap p = gfx::CreatePixmap(3, 2, true);
    const uint32_t colours[] = {0xFF102030, 0x00FFFFFF, 0x80FF0000, 0xFF000000, 0x01020304, 0xFFFFFFFF};
    for (int i = 0; i < 6; ++i) gfx::WritePixel(p, i % 3, i / 3, colours[i]);
    const auto back = gfx::DecodePixmap(gfx::EncodePNG(p));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->hasAlpha);
    EXPECT_EQ(back->pixels, p.pixels);

    gfx::Pixmap opaque = gfx::CreatePixmap(2, 2, false);
    gfx::WritePixel(opaque, 1, 1, 0xFF123456);
    const auto plain = gfx::DecodePixmap(gfx::EncodePNG(opaque));
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->hasAlpha);
    EXPECT_EQ(plain->pixels, opaque.pixels);
}

TEST(PngDecode, PngLoaderTakesOnlyPngData) {
    const auto dir = std::filesystem::temp_directory_path() / "kz_png_only_test";
    std::filesystem::create_directories(dir);
    const gfx::Pixmap p = gfx::CreatePixmap(4, 4, false);
    const std::vector<uint8_t> jpeg = gfx::EncodeJPeg(p);
    const std::vector<uint8_t> png = gfx::EncodePNG(p);
    const auto jpegAsPng = (dir / "photo.png").string(), realPng = (dir / "real.png").string();
    std::ofstream(jpegAsPng, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
    std::ofstream(realPng, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));

    EXPECT_FALSE(gfx::LoadPixmapPNG(jpegAsPng));
    EXPECT_TRUE(gfx::LoadPixmapPNG(realPng));
    EXPECT_FALSE(gfx::LoadPixmapJPeg(realPng));
    std::filesystem::remove_all(dir);
}

}  // namespace
