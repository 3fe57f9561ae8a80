// Resizing pictures to the motive size: exact size, area averaging down, bilinear up.
#include <gtest/gtest.h>

#include "gfx/gfx.h"

namespace {

// A one-row or one-column pixmap of grey levels, opaque.
gfx::Pixmap Greys(std::vector<int> levels, bool row = true) {
    const int n = int(levels.size());
    gfx::Pixmap p = gfx::CreatePixmap(row ? n : 1, row ? 1 : n, false);
    for (int i = 0; i < n; ++i)
        gfx::WritePixel(p, row ? i : 0, row ? 0 : i, 0xFF000000u | uint32_t(levels[size_t(i)]) * 0x010101u);
    return p;
}

std::vector<int> Levels(const gfx::Pixmap& p) {
    std::vector<int> v;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) v.push_back(int(gfx::ReadPixel(p, x, y) & 255));
    return v;
}

TEST(Resize, UniformColourStaysUniformAtAnySize) {
    gfx::Pixmap p = gfx::CreatePixmap(37, 23, true);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) gfx::WritePixel(p, x, y, 0xC8C86432);
    for (auto [w, h] : {std::pair{512, 512}, {5, 3}, {1, 1}, {37, 23}, {10, 200}, {200, 10}}) {
        const gfx::Pixmap r = gfx::ResizePixmap(p, w, h);
        ASSERT_EQ(std::pair(r.width, r.height), std::pair(w, h));
        ASSERT_EQ(r.pixels.size(), size_t(w) * size_t(h) * 4);
        EXPECT_TRUE(r.hasAlpha);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(gfx::ReadPixel(r, x, y), 0xC8C86432u) << w << "x" << h << " at " << x << "," << y;
    }
}

TEST(Resize, ShrinkingAveragesTheCoveredArea) {
    // A checker of 2x2 cells halved: every output pixel covers exactly one cell.
    gfx::Pixmap checker = gfx::CreatePixmap(4, 4, false);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) gfx::WritePixel(checker, x, y, ((x / 2 + y / 2) % 2) ? 0xFFFFFFFF : 0xFF000000);
    EXPECT_EQ(Levels(gfx::ResizePixmap(checker, 2, 2)), (std::vector<int>{0, 255, 255, 0}));
    // A checker of single pixels to one pixel: the mean grey.
    gfx::Pixmap fine = gfx::CreatePixmap(2, 2, false);
    gfx::WritePixel(fine, 0, 0, 0xFFFFFFFF);
    gfx::WritePixel(fine, 1, 1, 0xFFFFFFFF);
    EXPECT_EQ(Levels(gfx::ResizePixmap(fine, 1, 1)), (std::vector<int>{128}));

    // Three pixels to two: each output takes one and a half source pixels.
    struct Case { std::vector<int> from; int to; std::vector<int> expected; };
    const Case cases[] = {
        {{0, 255, 0}, 2, {85, 85}},
        {{90, 0, 30}, 2, {60, 20}},
        {{10, 20, 30, 40, 50, 60}, 3, {15, 35, 55}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Levels(gfx::ResizePixmap(Greys(c.from), c.to, 1)), c.expected);
        EXPECT_EQ(Levels(gfx::ResizePixmap(Greys(c.from, false), 1, c.to)), c.expected) << "down a column";
    }
}

TEST(Resize, EnlargingInterpolatesBetweenPixelCentres) {
    EXPECT_EQ(Levels(gfx::ResizePixmap(Greys({0, 255}), 4, 1)), (std::vector<int>{0, 64, 191, 255}));
    EXPECT_EQ(Levels(gfx::ResizePixmap(Greys({0, 255}, false), 1, 4)), (std::vector<int>{0, 64, 191, 255}));
    EXPECT_EQ(Levels(gfx::ResizePixmap(Greys({77}), 3, 2)), (std::vector<int>(6, 77)));
}

TEST(Resize, AxesAreIndependent) {
    // Wide and short to square: the width shrinks by area, the height grows by interpolation.
    gfx::Pixmap p = gfx::CreatePixmap(4, 2, false);
    for (int x = 0; x < 4; ++x) {
        gfx::WritePixel(p, x, 0, x < 2 ? 0xFF000000 : 0xFFFFFFFF);
        gfx::WritePixel(p, x, 1, 0xFF000000);
    }
    const gfx::Pixmap r = gfx::ResizePixmap(p, 2, 4);
    EXPECT_EQ(Levels(r), (std::vector<int>{0, 255, 0, 191, 0, 64, 0, 0}));
}

TEST(Resize, AlphaIsResampledAndKept) {
    gfx::Pixmap p = gfx::CreatePixmap(2, 1, true);
    gfx::WritePixel(p, 0, 0, 0xFF204060);
    gfx::WritePixel(p, 1, 0, 0x00204060);
    const gfx::Pixmap r = gfx::ResizePixmap(p, 1, 1);
    EXPECT_TRUE(r.hasAlpha);
    EXPECT_EQ(gfx::ReadPixel(r, 0, 0), 0x80204060u);
}

TEST(Resize, EmptySourceOrSizeGivesNoPixelsInsteadOfACrash) {
    EXPECT_TRUE(gfx::ResizePixmap(gfx::Pixmap{}, 4, 4).pixels.size() == 64);
    EXPECT_TRUE(gfx::ResizePixmap(Greys({1, 2}), 0, 4).pixels.empty());
}

}  // namespace
