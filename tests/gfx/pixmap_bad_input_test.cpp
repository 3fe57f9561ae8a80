// Damaged, truncated and hostile picture files are refused (none), never a crash, never a
// half-decoded picture, and never a giant allocation.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "gfx/gfx.h"

namespace {

namespace fs = std::filesystem;

gfx::Pixmap Noise(int width, int height) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, false);
    uint32_t seed = 12345;
    for (size_t i = 0; i < p.pixels.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        if (i % 4 != 3) p.pixels[i] = uint8_t(seed >> 16);
    }
    return p;
}

std::vector<uint8_t> Half(std::vector<uint8_t> bytes) {
    bytes.resize(bytes.size() / 2);
    return bytes;
}

// A PNG whose header claims another size, its checksum mended so only the size is wrong.
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
    std::vector<uint8_t> b = gfx::EncodePNG(Noise(4, 4));
    for (int i = 0; i < 4; ++i) {
        b[16 + size_t(i)] = uint8_t(width >> (24 - 8 * i));
        b[20 + size_t(i)] = uint8_t(height >> (24 - 8 * i));
    }
    const uint32_t crc = uint32_t(crc32(0, &b[12], 17));
    for (int i = 0; i < 4; ++i) b[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
    return b;
}

// A JPEG whose frame header claims another size.
std::vector<uint8_t> JpegClaiming(uint16_t width, uint16_t height) {
    std::vector<uint8_t> b = gfx::EncodeJPeg(Noise(16, 16));
    for (size_t i = 2; i + 9 < b.size(); ++i) {
        if (b[i] == 0xFF && b[i + 1] == 0xC0) {
            b[i + 5] = uint8_t(height >> 8), b[i + 6] = uint8_t(height);
            b[i + 7] = uint8_t(width >> 8), b[i + 8] = uint8_t(width);
            break;
        }
    }
    return b;
}

// A well-formed black 1-bit PNG of this size: small as a file, huge in memory.
std::vector<uint8_t> BlackPng(int width, int height) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t length) {
            auto* o = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + length);
        },
        nullptr);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t(width + 7) / 8, 0);
    for (int y = 0; y < height; ++y) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> b;
    for (int v : values) b.push_back(uint8_t(v));
    return b;
}

TEST(BadPictures, AreRefusedWithoutCrashing) {
    gfx::Pixmap photo = Noise(64, 64);
    const std::vector<uint8_t> png = gfx::EncodePNG(photo);
    const std::vector<uint8_t> jpeg = gfx::EncodeJPeg(photo, 90);
    std::vector<uint8_t> damagedJpeg = jpeg;
    // A marker in the middle of the picture data, as a broken download or copy leaves it.
    damagedJpeg[damagedJpeg.size() / 2] = 0xFF;
    damagedJpeg[damagedJpeg.size() / 2 + 1] = 0xD9;

    std::vector<uint8_t> bmpTooShort = {'B', 'M'};
    bmpTooShort.resize(54, 0);
    bmpTooShort[10] = 54, bmpTooShort[14] = 40, bmpTooShort[18] = 100, bmpTooShort[22] = 100;
    bmpTooShort[26] = 1, bmpTooShort[28] = 24;  // 100x100 24-bit, but no pixel data
    std::vector<uint8_t> bmpHuge = bmpTooShort;
    bmpHuge[20] = 0x7F, bmpHuge[24] = 0x7F;  // 8 million pixels a side

    struct Case { const char* name; std::vector<uint8_t> bytes; };
    const Case cases[] = {
        {"empty", {}},
        {"text", Bytes({'h', 'e', 'l', 'l', 'o', ' ', 'p', 'u', 'z', 'z', 'l', 'e', ' ', 'f', 'a', 'n', 's', '!', '!', '!'})},
        {"PNG signature only", std::vector<uint8_t>(png.begin(), png.begin() + 8)},
        {"truncated PNG", Half(png)},
        {"JPEG start marker only", Bytes({0xFF, 0xD8, 0xFF})},
        {"truncated JPEG", Half(jpeg)},
        {"JPEG with damaged data", damagedJpeg},
        {"PNG claiming 20000x20000", PngClaiming(20000, 20000)},
        {"PNG claiming 4000000000 wide", PngClaiming(4000000000u, 1)},
        {"JPEG claiming 60000x60000", JpegClaiming(60000, 60000)},
        {"BMP without pixel data", bmpTooShort},
        {"BMP claiming 8 million a side", bmpHuge},
        {"TGA cut short", Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0, 1, 2, 3})},
        {"TGA RLE cut short", Bytes({0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0, 0x85, 1, 2, 3})},
        {"TGA without size", Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0})},
    };
    for (const Case& c : cases) EXPECT_FALSE(gfx::DecodePixmap(c.bytes)) << c.name;
}

TEST(BadPictures, WellFormedPicturesBeyondTheLimitsAreRefused) {
    // Real pixel data, so only the limits stand between them and a decode.
    EXPECT_FALSE(gfx::DecodePixmap(BlackPng(40000, 1))) << "side over the limit";
    EXPECT_FALSE(gfx::DecodePixmap(BlackPng(10001, 10000))) << "just over 100 megapixels";
    EXPECT_TRUE(gfx::DecodePixmap(BlackPng(32768, 2))) << "longest side allowed";
    EXPECT_FALSE(gfx::DecodePixmap(gfx::EncodeJPeg(gfx::CreatePixmap(40000, 8, false))));
}

TEST(BadPictures, FoldersAndMissingFilesGiveNone) {
    const fs::path dir = fs::temp_directory_path() / "kz_bad_files_test";
    fs::remove_all(dir);
    fs::create_directories(dir / "x.png");
    std::ofstream(dir / "empty.jpg").close();
    for (const fs::path& path : {dir / "x.png", dir / "missing.png", dir / "empty.jpg"}) {
        EXPECT_FALSE(gfx::LoadPixmap(path.string())) << path;
        EXPECT_FALSE(gfx::LoadPixmapPNG(path.string())) << path;
        EXPECT_FALSE(gfx::LoadPixmapJPeg(path.string(), 512)) << path;
    }
    EXPECT_FALSE(gfx::LoadPixmap("incbin::Nothing\\here.png"));
    fs::remove_all(dir);
}

}  // namespace
