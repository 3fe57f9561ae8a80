// JPEG pictures: the colour kinds cameras and editors write, upright turning by the EXIF
// orientation, scaled decoding, the scan limit, and writing JPEG files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gfx/gfx.h"
#include "tests/support/picture_files.h"

namespace {

namespace fs = std::filesystem;
using testpictures::JpegFile;
using testpictures::WriteJpeg;

JpegFile Flat(int components, std::vector<uint8_t> sample, int width = 16, int height = 16) {
    JpegFile f;
    f.width = width, f.height = height, f.components = components;
    for (int i = 0; i < width * height; ++i) f.samples.insert(f.samples.end(), sample.begin(), sample.end());
    return f;
}

gfx::Pixmap FlatPixmap(int width, int height, uint32_t argb) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) gfx::WritePixel(p, x, y, argb);
    return p;
}

// Largest difference of any colour channel from `rgb` over the whole picture.
int Deviation(const gfx::Pixmap& p, uint32_t rgb) {
    int worst = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint32_t v = gfx::ReadPixel(p, x, y);
            for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int(v >> shift & 255) - int(rgb >> shift & 255)));
        }
    return worst;
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(JpegDecode, ColourKindsComeOutAsRgb) {
    JpegFile progressive = Flat(3, {30, 160, 220});
    progressive.progressive = true;
    // Ink amounts C 0, M 128, Y 255, K 64 are the RGB colour (191, 95, 0).
    JpegFile cmyk = Flat(4, {0, 128, 255, 64});
    cmyk.adobeMarker = false;
    const JpegFile adobeCmyk = Flat(4, {255, 127, 0, 191});  // the same inks as Adobe's files store them

    struct Case { const char* name; std::vector<uint8_t> bytes; uint32_t rgb; };
    const Case cases[] = {
        {"RGB", gfx::EncodeJPeg(FlatPixmap(16, 16, 0xFFC83214), 95), 0xC83214},
        {"grey", WriteJpeg(Flat(1, {100})), 0x646464},
        {"CMYK", WriteJpeg(cmyk), 0xBF5F00},
        {"inverted CMYK with the Adobe marker", WriteJpeg(adobeCmyk), 0xBF5F00},
        {"progressive", WriteJpeg(progressive), 0x1EA0DC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = gfx::DecodePixmap(c.bytes);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->width, 16);
        EXPECT_EQ(p->height, 16);
        EXPECT_FALSE(p->hasAlpha);
        EXPECT_EQ(gfx::ReadPixel(*p, 5, 5) >> 24, 0xFFu);
        EXPECT_LE(Deviation(*p, c.rgb), 3);
    }
}

TEST(JpegDecode, JpegUnderAPngNameLoadsByContent) {
    const fs::path dir = fs::temp_directory_path() / "kz_jpeg_name_test";
    fs::create_directories(dir);
    WriteFile(dir / "Puzzlecat.png", gfx::EncodeJPeg(FlatPixmap(32, 16, 0xFF2080F0), 90));
    const auto p = gfx::LoadPixmap((dir / "Puzzlecat.png").string());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 32);
    EXPECT_LE(Deviation(*p, 0x2080F0), 3);
    fs::remove_all(dir);
}

TEST(JpegDecode, ProgressiveFileWithTooManyScansIsRefused) {
    JpegFile many = Flat(1, {90}, 8, 8);
    many.refinements = 9;  // 1 + 63 * 10 = 631 scans
    EXPECT_FALSE(gfx::DecodePixmap(WriteJpeg(many)));
    many.refinements = 2;  // 190 scans: unusual but fine
    EXPECT_TRUE(gfx::DecodePixmap(WriteJpeg(many)));
    // Each scan is a pass over the whole picture: 190 of them over 12 megapixels would hold up the
    // start for most of a second, and a 100-megapixel file of a few hundred kilobytes for many.
    JpegFile large = Flat(1, {90}, 4000, 3000);
    large.refinements = 2;
    EXPECT_FALSE(gfx::DecodePixmap(WriteJpeg(large)));
}

TEST(JpegDecode, ProgressiveFileCutOffIsRefused) {
    // Cut after its first scans, it would otherwise come back blurred or grey.
    JpegFile photo;
    photo.width = 64, photo.height = 64, photo.progressive = true;
    for (int i = 0; i < 64 * 64 * 3; ++i) photo.samples.push_back(uint8_t(i * 2654435761u >> 24));
    const std::vector<uint8_t> jpeg = WriteJpeg(photo);
    ASSERT_TRUE(gfx::DecodePixmap(jpeg));
    for (size_t cut : {jpeg.size() - 2, jpeg.size() * 3 / 4, jpeg.size() / 3})
        EXPECT_FALSE(gfx::DecodePixmap(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + long(cut)))) << cut;
}

//------------------------------------------------------------------------------------------------
// EXIF orientation
//------------------------------------------------------------------------------------------------

// A 48x32 grey photo with a red 16x16 corner at its top left as stored.
std::vector<uint8_t> MarkedPhoto() {
    gfx::Pixmap p = FlatPixmap(48, 32, 0xFF808080);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) gfx::WritePixel(p, x, y, 0xFFFF0000);
    return gfx::EncodeJPeg(p, 95);
}

// The photo with an APP1 segment holding `payload` right after the start marker.
std::vector<uint8_t> WithApp1(std::vector<uint8_t> jpeg, const std::vector<uint8_t>& payload) {
    const size_t length = payload.size() + 2;
    std::vector<uint8_t> segment = {0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

// An EXIF block whose first directory holds only the orientation tag.
std::vector<uint8_t> Exif(int orientation, bool bigEndian) {
    auto u16 = [&](int v) {
        return bigEndian ? std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v)} : std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8)};
    };
    auto u32 = [&](uint32_t v) {
        std::vector<uint8_t> b = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        if (!bigEndian) std::reverse(b.begin(), b.end());
        return b;
    };
    std::vector<uint8_t> e = {'E', 'x', 'i', 'f', 0, 0};
    auto add = [&](const std::vector<uint8_t>& b) { e.insert(e.end(), b.begin(), b.end()); };
    e.push_back(bigEndian ? 'M' : 'I');
    e.push_back(bigEndian ? 'M' : 'I');
    add(u16(42));
    add(u32(8));                                           // the directory follows the header
    add(u16(1));                                           // one entry
    add(u16(0x0112)), add(u16(3)), add(u32(1));            // orientation, SHORT, one value
    add(u16(orientation)), add(u16(0));
    add(u32(0));                                           // no further directory
    return e;
}

enum Corner { TopLeft, TopRight, BottomRight, BottomLeft };

TEST(JpegExif, OrientationTurnsThePhotoUpright) {
    struct Case { int orientation; int width, height; Corner red; };
    const Case cases[] = {
        {1, 48, 32, TopLeft},     {2, 48, 32, TopRight},  {3, 48, 32, BottomRight}, {4, 48, 32, BottomLeft},
        {5, 32, 48, TopLeft},     {6, 32, 48, TopRight},  {7, 32, 48, BottomRight}, {8, 32, 48, BottomLeft},
    };
    const std::vector<uint8_t> photo = MarkedPhoto();
    for (const Case& c : cases) {
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE("orientation " + std::to_string(c.orientation) + (bigEndian ? " MM" : " II"));
            const auto p = gfx::DecodePixmap(WithApp1(photo, Exif(c.orientation, bigEndian)));
            ASSERT_TRUE(p);
            ASSERT_EQ(p->width, c.width);
            ASSERT_EQ(p->height, c.height);
            const int left = 8, right = c.width - 8, top = 8, bottom = c.height - 8;
            const std::pair<int, int> corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
            for (int k = 0; k < 4; ++k) {
                const uint32_t v = gfx::ReadPixel(*p, corners[k].first, corners[k].second);
                const bool red = (v >> 16 & 255) > 200 && (v >> 8 & 255) < 60;
                EXPECT_EQ(red, k == c.red) << "corner " << k;
            }
        }
    }
}

TEST(JpegExif, DamagedExifBlockIsIgnored) {
    std::vector<uint8_t> pointsOutside = Exif(6, true);
    pointsOutside[13] = 0xF0;  // directory offset far beyond the block
    std::vector<uint8_t> manyEntries = Exif(6, false);
    manyEntries[14] = 0xFF, manyEntries[15] = 0xFF;  // 65535 entries in a block of 32 bytes,
    manyEntries[16] = 0x10;                          // none of them the orientation
    std::vector<uint8_t> badValue = Exif(9, true);
    std::vector<uint8_t> longType = Exif(6, true);
    longType[19] = 4;  // orientation stored as LONG
    std::vector<uint8_t> truncated = Exif(6, true);
    truncated.resize(22);
    const std::vector<uint8_t> junk = {'E', 'x', 'i', 'f', 0, 0, 'X', 'Y', 1, 2};
    const std::vector<uint8_t> bare = {'E', 'x', 'i', 'f', 0, 0};

    const std::vector<uint8_t> photo = MarkedPhoto();
    for (const auto& block : {pointsOutside, manyEntries, badValue, longType, truncated, junk, bare}) {
        const auto p = gfx::DecodePixmap(WithApp1(photo, block));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->width, 48);
        EXPECT_GT(gfx::ReadPixel(*p, 8, 8) >> 16 & 255, 200u) << "picture left as stored";
    }
}

//------------------------------------------------------------------------------------------------
// Scaled decoding
//------------------------------------------------------------------------------------------------

TEST(JpegScale, SmallestFastScaleThatKeepsBothSidesAtLeastMinSide) {
    const fs::path dir = fs::temp_directory_path() / "kz_jpeg_scale_test";
    fs::create_directories(dir);
    const std::string path = (dir / "p.jpg").string();
    WriteFile(path, gfx::EncodeJPeg(FlatPixmap(64, 48, 0xFF4060A0)));
    struct Case { int minSide, width, height; };
    const Case cases[] = {
        {0, 64, 48}, {100, 64, 48}, {25, 64, 48}, {24, 32, 24}, {13, 32, 24}, {12, 16, 12}, {7, 16, 12}, {6, 8, 6}, {1, 8, 6},
    };
    for (const Case& c : cases) {
        const auto p = gfx::LoadPixmapJPeg(path, c.minSide);
        ASSERT_TRUE(p);
        EXPECT_EQ(std::pair(p->width, p->height), std::pair(c.width, c.height)) << "minSide " << c.minSide;
        EXPECT_LE(Deviation(*p, 0x4060A0), 3);
    }
    fs::remove_all(dir);
}

//------------------------------------------------------------------------------------------------
// Writing
//------------------------------------------------------------------------------------------------

TEST(JpegSave, WritesAPictureThatReadsBack) {
    const fs::path path = fs::temp_directory_path() / "kz_jpeg_save_test.png";  // the ending doesn't matter
    gfx::Pixmap p = FlatPixmap(40, 24, 0xFF3070B0);
    gfx::WritePixel(p, 0, 0, 0x00FFFFFF);  // alpha is dropped
    ASSERT_TRUE(gfx::SavePixmapJPeg(p, path.string(), 75));
    const auto back = gfx::LoadPixmapJPeg(path.string());
    ASSERT_TRUE(back);
    EXPECT_EQ(std::pair(back->width, back->height), std::pair(40, 24));
    EXPECT_FALSE(back->hasAlpha);
    EXPECT_EQ(gfx::ReadPixel(*back, 20, 12) >> 24, 0xFFu);
    fs::remove(path);
}

TEST(JpegSave, FailureIsReportedAndLeavesNoFile) {
    const gfx::Pixmap p = FlatPixmap(8, 8, 0xFF000000);
    const fs::path dir = fs::temp_directory_path() / "kz_jpeg_save_fail";
    fs::remove_all(dir);
    fs::create_directories(dir / "taken.jpg");
    EXPECT_FALSE(gfx::SavePixmapJPeg(p, (dir / "missing" / "x.jpg").string()));
    EXPECT_FALSE(gfx::SavePixmapJPeg(p, (dir / "taken.jpg").string()));
    EXPECT_TRUE(fs::is_directory(dir / "taken.jpg"));
    EXPECT_FALSE(gfx::SavePixmapJPeg(gfx::Pixmap{}, (dir / "empty.jpg").string()));
    EXPECT_FALSE(fs::exists(dir / "empty.jpg"));

    // A disk that fills up mid-write: the file size limit makes the write fail.
    gfx::Pixmap noisy = gfx::CreatePixmap(256, 256, false);
    for (size_t i = 0; i < noisy.pixels.size(); ++i) noisy.pixels[i] = uint8_t(i * 2654435761u >> 24);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = gfx::SavePixmapJPeg(noisy, (dir / "full.jpg").string(), 95);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(fs::exists(dir / "full.jpg")) << "no half-written picture stays behind";
    fs::remove_all(dir);
}

}  // namespace
