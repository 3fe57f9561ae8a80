// Pixmaps in memory, embedded files and random numbers: what the motive import, the reflections
// and the shuffling build on.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <set>

#include "gfx/gfx.h"

namespace {

TEST(PixmapPixels, WriteThenReadKeepsArgbAndIgnoresOutsideCoordinates) {
    gfx::Pixmap p = gfx::CreatePixmap(3, 2);
    ASSERT_EQ(p.pixels.size(), 3u * 2 * 4);
    EXPECT_EQ(gfx::ReadPixel(p, 2, 1), 0u) << "a new pixmap is transparent black";

    gfx::WritePixel(p, 2, 1, 0x80112233);
    EXPECT_EQ(gfx::ReadPixel(p, 2, 1), 0x80112233u);
    // Stored as R G B A bytes, which is what the images upload.
    const uint8_t* px = &p.pixels[(1 * 3 + 2) * 4];
    EXPECT_EQ((std::vector<int>{px[0], px[1], px[2], px[3]}), (std::vector<int>{0x11, 0x22, 0x33, 0x80}));

    const std::vector<uint8_t> before = p.pixels;
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {INT_MIN, INT_MAX}}) {
        gfx::WritePixel(p, x, y, 0xFFFFFFFF);
        EXPECT_EQ(gfx::ReadPixel(p, x, y), 0u) << x << "," << y;
    }
    EXPECT_EQ(p.pixels, before);
}

TEST(PixmapPixels, PixmapWithoutAlphaStartsOpaque) {
    const gfx::Pixmap p = gfx::CreatePixmap(2, 2, false);
    EXPECT_FALSE(p.hasAlpha);
    EXPECT_EQ(gfx::ReadPixel(p, 1, 1), 0xFF000000u);
}

TEST(PixmapConvert, GivesAnAlphaChannelOpaqueWhereTheSourceHadNone) {
    gfx::Pixmap opaque = gfx::CreatePixmap(2, 1, false);
    opaque.pixels = {10, 20, 30, 0, 40, 50, 60, 7};  // the fourth byte means nothing without alpha
    const gfx::Pixmap a = gfx::ConvertPixmap(opaque, gfx::PF_RGBA8888);
    EXPECT_TRUE(a.hasAlpha);
    EXPECT_EQ(gfx::ReadPixel(a, 0, 0), 0xFF0A141Eu);
    EXPECT_EQ(gfx::ReadPixel(a, 1, 0), 0xFF28323Cu);

    gfx::Pixmap translucent = gfx::CreatePixmap(1, 1, true);
    gfx::WritePixel(translucent, 0, 0, 0x40FF0000);
    EXPECT_EQ(gfx::ReadPixel(gfx::ConvertPixmap(translucent, gfx::PF_RGBA8888), 0, 0), 0x40FF0000u);
}

TEST(PixmapFlip, ReversesTheRowsOnly) {
    gfx::Pixmap p = gfx::CreatePixmap(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) gfx::WritePixel(p, x, y, 0xFF000000u | uint32_t(y * 16 + x));
    const gfx::Pixmap f = gfx::YFlipPixmap(p);
    ASSERT_EQ(f.width, 2);
    ASSERT_EQ(f.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(gfx::ReadPixel(f, x, y), gfx::ReadPixel(p, x, 2 - y));
}

TEST(EmbeddedFiles, RegisteredBytesAreFoundUnderTheirIncbinName) {
    static const uint8_t bytes[] = {1, 2, 3};
    gfx::IncBin("Archive\\Test.bin", bytes);
    const auto data = gfx::IncBinData("Archive\\Test.bin");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(), bytes);
    EXPECT_EQ(gfx::ReadUrl("incbin::Archive\\Test.bin"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(gfx::ReadUrl("incbin::Archive/Test.bin"));
    EXPECT_FALSE(gfx::IncBinData("Unknown"));
}

TEST(EmbeddedFiles, PictureLoadsFromIncbinName) {
    gfx::Pixmap p = gfx::CreatePixmap(2, 1);
    gfx::WritePixel(p, 1, 0, 0xFF00FF00);
    static const std::vector<uint8_t> png = gfx::EncodePNG(p);
    gfx::IncBin("Archive\\Green.png", png);
    const auto loaded = gfx::LoadPixmap("incbin::Archive\\Green.png");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(gfx::ReadPixel(*loaded, 1, 0), 0xFF00FF00u);
}

TEST(ReadUrl, ReadsWholeFilesAndRefusesFoldersAndMissingFiles) {
    const auto dir = std::filesystem::temp_directory_path() / "kz_readurl_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "folder.png");
    std::ofstream(dir / "f.bin", std::ios::binary) << "abc";
    EXPECT_EQ(gfx::ReadUrl((dir / "f.bin").string()), (std::vector<uint8_t>{'a', 'b', 'c'}));
    EXPECT_FALSE(gfx::ReadUrl((dir / "folder.png").string()));
    EXPECT_FALSE(gfx::ReadUrl((dir / "missing.png").string()));
    // A huge file (sparse, so it costs no disk) is refused unread.
    std::ofstream(dir / "huge.jpg").close();
    std::filesystem::resize_file(dir / "huge.jpg", (uintmax_t(256) << 20) + 1);
    EXPECT_FALSE(gfx::ReadUrl((dir / "huge.jpg").string()));
    std::filesystem::remove_all(dir);
}

TEST(Random, RandCoversBothEndsAndNothingOutside) {
    gfx::SeedRnd(7);
    struct Case { int a, b, lo, hi; };
    for (const Case c : {Case{1, 6, 1, 6}, Case{6, 1, 1, 6}, Case{-3, -3, -3, -3}, Case{-2, 2, -2, 2}}) {
        std::set<int> seen;
        for (int i = 0; i < 500; ++i) {
            const int v = gfx::Rand(c.a, c.b);
            ASSERT_GE(v, c.lo);
            ASSERT_LE(v, c.hi);
            seen.insert(v);
        }
        EXPECT_EQ(int(seen.size()), c.hi - c.lo + 1) << "Rand(" << c.a << ", " << c.b << ")";
    }
    // The widest range must not overflow.
    for (int i = 0; i < 100; ++i) gfx::Rand(INT_MIN, INT_MAX);
}

TEST(Random, RndStaysBelowItsUpperEnd) {
    gfx::SeedRnd(11);
    double lowest = 1, highest = 0;
    for (int i = 0; i < 2000; ++i) {
        const double v = gfx::Rnd(0.0, 1.0);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        const double w = gfx::Rnd(-5.0, 5.0);
        ASSERT_GE(w, -5.0);
        ASSERT_LT(w, 5.0);
    }
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
}

TEST(Random, SameSeedGivesSameSequence) {
    auto sequence = [](int seed) {
        gfx::SeedRnd(seed);
        std::vector<double> v;
        for (int i = 0; i < 20; ++i) v.push_back(gfx::Rand(0, 1000) + gfx::Rnd());
        return v;
    };
    EXPECT_EQ(sequence(42), sequence(42));
    EXPECT_NE(sequence(42), sequence(43));
}

}  // namespace
