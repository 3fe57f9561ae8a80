// The files carried inside the program: the cursor exactly as drawn, the three buttons, the font.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <span>
#include <string>

#include "gfx/gfx.h"
#include "resources/resources.h"
#include "tests/support/driver.h"

namespace {

// The cursor picture: . magenta (see-through), o white, a b c greys.
const char* const CURSOR[20] = {
    "....................", ".oo.................", ".oooo...............", ".aoaaoo.............",
    "..o..aaoo...........", "..ao...aaoo.........", "...o.....aoo........", "...ao....ooa........",
    "....o...ooa.........", "....ao.oooo.........", ".....ooooooo........", ".....aoaaoooo.......",
    "......a..aooo..cc...", "..........aoabcbbba.", "...........a.cbooba.", "............cbooobca",
    "............cboobbca", ".............bbbbca.", ".............aaccaa.", "...............aa...",
};

uint32_t CursorRgb(char c) {
    switch (c) {
    case 'o': return 0xFFFFFF;
    case 'a': return 0x9B9B9B;
    case 'b': return 0xDFDFDF;
    case 'c': return 0xCECECE;
    default: return 0xFF00FF;
    }
}

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterResources(); }
};

uint32_t Le(std::span<const uint8_t> b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

TEST_F(Resources, CursorIsTheTwentyRowPictureStoredBottomUp) {
    const auto bytes = gfx::IncBinData("Cursor.bmp");
    ASSERT_TRUE(bytes);
    const std::span<const uint8_t> b = *bytes;
    ASSERT_EQ(b.size(), 1254u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le(b, 10, 4), 54u);   // pixels right after the headers
    EXPECT_EQ(Le(b, 18, 4), 20u);   // width
    EXPECT_EQ(Le(b, 22, 4), 20u);   // positive height: bottom row first
    EXPECT_EQ(Le(b, 28, 2), 24u);   // bits per pixel
    EXPECT_EQ(Le(b, 30, 4), 0u);    // uncompressed

    const auto decoded = gfx::LoadPixmap("incbin::Cursor.bmp");
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width, 20);
    ASSERT_EQ(decoded->height, 20);
    for (int row = 0; row < 20; ++row) {
        for (int col = 0; col < 20; ++col) {
            const uint32_t want = CursorRgb(CURSOR[row][col]);
            const size_t stored = 54 + size_t(19 - row) * 60 + size_t(col) * 3;  // B G R
            const uint32_t raw = uint32_t(b[stored + 2]) << 16 | b[stored + 1] << 8 | b[stored];
            EXPECT_EQ(raw, want) << "stored row " << row << " col " << col;
            EXPECT_EQ(gfx::ReadPixel(*decoded, col, row) & 0xFFFFFF, want) << "row " << row << " col " << col;
        }
    }
}

struct ButtonCase {
    const char* name;
    int width, height;
    int arrow;  // -1 left, 0 none, +1 right
};

// Of the black pixels, the column holding the most: the base of the arrowhead.
int TallestBlackColumn(const gfx::Pixmap& p) {
    int best = -1, bestCount = 0;
    for (int x = 0; x < p.width; ++x) {
        int count = 0;
        for (int y = 0; y < p.height; ++y) {
            const uint32_t px = gfx::ReadPixel(p, x, y);
            if ((px >> 24) == 255 && (px & 0xFFFFFF) < 0x303030) ++count;
        }
        if (count > bestCount) best = x, bestCount = count;
    }
    return best;
}

TEST_F(Resources, ButtonsAreOpaqueInsideWithSoftEdges) {
    const ButtonCase cases[] = {
        {"Archive\\Buttonunbeschriftet.png", 200, 100, 0},
        {"Archive\\ButtonL.png", 120, 50, -1},
        {"Archive\\ButtonR.png", 120, 50, +1},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = gfx::LoadPixmap(std::string("incbin::") + c.name);
        ASSERT_TRUE(p);
        ASSERT_EQ(p->width, c.width);
        ASSERT_EQ(p->height, c.height);
        EXPECT_TRUE(p->hasAlpha);

        EXPECT_EQ(gfx::ReadPixel(*p, 0, 0) >> 24, 0u) << "rounded corner";
        EXPECT_EQ(gfx::ReadPixel(*p, c.width / 2, c.height / 2) >> 24, 255u);
        EXPECT_EQ(gfx::ReadPixel(*p, c.width / 4, c.height - 8) >> 24, 255u);
        // Along the middle row the edge fades in over a pixel or two on both sides.
        int partial = 0;
        for (int x : {0, 1, 2, c.width - 3, c.width - 2, c.width - 1}) {
            const uint32_t a = gfx::ReadPixel(*p, x, c.height / 2) >> 24;
            if (a > 0 && a < 255) ++partial;
        }
        EXPECT_GE(partial, 2);

        if (c.arrow == 0) {
            // Black labels go over the middle: it must stay light.
            long sum = 0, count = 0;
            for (int y = 30; y < 65; ++y)
                for (int x = 20; x < 180; ++x, ++count) sum += (gfx::ReadPixel(*p, x, y) >> 8) & 0xFF;
            EXPECT_GT(sum / count, 140);
        } else {
            const int head = TallestBlackColumn(*p);
            ASSERT_GE(head, 0) << "no arrow drawn";
            EXPECT_EQ(head > c.width / 2, c.arrow > 0) << "arrowhead base at column " << head;
        }
    }
}

TEST_F(Resources, FontHasTheUmlautsAndFitsTheButtons) {
    const auto bytes = gfx::IncBinData("Fonts\\CONTF___.ttf");
    ASSERT_TRUE(bytes);
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Memory_Face(library, bytes->data(), FT_Long(bytes->size()), 0, &face), 0);
    for (FT_ULong ch : {0xC4u, 0xD6u, 0xDCu, 0xE4u, 0xF6u, 0xFCu, 0xDFu})
        EXPECT_NE(FT_Get_Char_Index(face, ch), 0u) << "no glyph for U+" << std::hex << ch;
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    drive::OpenWindow();
    const gfx::ImageFont before = gfx::GetImageFont();
    const gfx::ImageFont font = gfx::LoadImageFont("incbin::Fonts\\CONTF___.ttf", 30, 4);
    ASSERT_TRUE(font);
    gfx::SetImageFont(font);
    // The longest labels still leave a margin on a 200-pixel button.
    for (const char* label : {"Spiel starten", "Ab ins Menue...", "Nee, weiter!", "Neues Motiv", "Ja, aufhören!"}) {
        EXPECT_GT(gfx::TextWidth(label), 100) << label;
        EXPECT_LT(gfx::TextWidth(label), 186) << label;
    }
    gfx::SetImageFont(before);
}

}  // namespace
