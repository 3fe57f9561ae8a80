// Text: the game's German texts drawn with the embedded font, widths, scaled and upside-down
// text, and the strict reading of UTF-8.
#include "gfx/text_internal.h"
#include "resources/resources.h"
#include "tests/gfx/layer_fixture.h"

using namespace gfx;
using drive::RGB;

namespace {

class Text : public Layer {
protected:
    void SetUp() override {
        Layer::SetUp();
        static bool registered = false;
        if (!registered) {
            RegisterResources();
            registered = true;
        }
        font = LoadImageFont("incbin::Fonts\\CONTF___.ttf", 30, 4);
        ASSERT_NE(font, nullptr);
        SetImageFont(font);
        SetBlend(ALPHABLEND);
    }
    ImageFont font;
};

// The frame's pixels in a box, as one string of lit ('#') and dark ('.') pixels.
std::string Ink(int x0, int y0, int x1, int y1) {
    std::string ink;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) ink += (FramePixel(x, y) & 0xFFFFFF) ? '#' : '.';
    return ink;
}

TEST_F(Text, GermanTextsDrawTheirUmlautsInsideTheirLine) {
    const struct {
        std::string text, withoutUmlaut;
    } cases[] = {
        {"AUFGELÖST", "AUFGELOST"},
        {"Verschönerungstipps:", "Verschonerungstipps:"},
        {"Ja, aufhören!", "Ja, aufhoren!"},
    };
    const int height = TextHeight("");
    ASSERT_GT(height, 25);
    ASSERT_LT(height, 45);
    for (const auto& c : cases) {
        const int width = TextWidth(c.text);
        EXPECT_GT(width, int(c.text.size()) * 5) << c.text;
        EXPECT_LT(width, int(c.text.size()) * 30) << c.text;

        Cls();
        DrawText(c.text, 100, 100);
        const std::string drawn = Ink(90, 90, 110 + width, 110 + height);
        EXPECT_GT(LitPixels(100, 100, 100 + width, 100 + height), width) << c.text;
        EXPECT_EQ(LitPixels(90, 90, 110 + width, 100), 0) << c.text << ": nothing above the line";
        EXPECT_EQ(LitPixels(90, 100 + height, 110 + width, 110 + height), 0) << c.text << ": nothing below";

        // The umlaut's dots are ink the plain vowel does not have, and it is not a '?'.
        Cls();
        DrawText(c.withoutUmlaut, 100, 100);
        EXPECT_NE(drawn, Ink(90, 90, 110 + width, 110 + height)) << c.text;
    }
}

TEST_F(Text, TextIsTintedAndWidthIgnoresTheScale) {
    SetColor(255, 0, 0);
    DrawText("I", 50, 50);
    int reddish = 0;
    for (int y = 50; y < 80; ++y)
        for (int x = 50; x < 70; ++x) {
            const RGB c = drive::Pixel(x, y);
            if (c.r > 200) ++reddish;
            EXPECT_EQ(c.g, 0);
            EXPECT_EQ(c.b, 0);
        }
    EXPECT_GT(reddish, 10);

    const int width = TextWidth("Neues Motiv");
    SetScale(2, 2);
    EXPECT_EQ(TextWidth("Neues Motiv"), width);
}

TEST_F(Text, ScaledTextGrowsFromItsCornerAndNegativeHeightTurnsItUpsideDownAboveIt) {
    const std::string text = "Kachelzauber";
    const int width = TextWidth(text), height = TextHeight(text);

    SetScale(2, 2);
    DrawText(text, 10, 10);
    EXPECT_GT(LitPixels(10 + width, 10, 10 + 2 * width, 10 + 2 * height), 0) << "twice as wide";
    EXPECT_EQ(LitPixels(10 + 2 * width + 2, 0, 800, 10 + 2 * height), 0);

    Cls();
    SetScale(1, 1);
    DrawText(text, 100, 300);
    const std::string upright = Ink(100, 300, 100 + width, 300 + height);
    Cls();
    SetScale(1, -1);
    DrawText(text, 100, 300);
    EXPECT_EQ(LitPixels(0, 300, 800, 600), 0) << "nothing at or below y";
    EXPECT_GT(LitPixels(100, 300 - height, 100 + width, 300), width);
    // Row r of the upright text is row r above y, read downwards from y - 1.
    std::string flipped;
    for (int r = 0; r < height; ++r) flipped += Ink(100, 299 - r, 100 + width, 300 - r);
    EXPECT_EQ(flipped, upright);
}

TEST_F(Text, CharactersBeyondLatinOneAreMadeWhenFirstUsedAndNoFontDrawsNothing) {
    DrawText("\xE2\x82\xAC", 10, 10);   // the euro sign
    EXPECT_GT(LitPixels(0, 0, 60, 60), 10);
    EXPECT_GT(TextWidth("\xE2\x82\xAC"), 5);

    Cls();
    SetImageFont(nullptr);
    DrawText("Hallo", 10, 10);
    EXPECT_EQ(LitPixels(0, 0, 200, 60), 0);
    EXPECT_EQ(TextWidth("Hallo"), 0);
    EXPECT_EQ(LoadImageFont("incbin::no such font", 30), nullptr);
    EXPECT_EQ(LoadImageFont("incbin::Cursor.bmp", 30), nullptr) << "not a font";
}

TEST(Utf8, BrokenSequencesBecomeOneQuestionMarkEach) {
    const struct {
        const char* what;
        std::string bytes;
        std::u32string expected;
    } cases[] = {
        {"plain", "Ab1", U"Ab1"},
        {"two bytes", "\xC3\x96", U"Ö"},
        {"three bytes", "\xE2\x82\xAC", U"€"},
        {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
        {"highest", "\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
        {"overlong two", "\xC0\xAFz", U"??z"},
        {"overlong three", "\xE0\x80\xAF", U"???"},
        {"overlong four", "\xF0\x80\x80\x80", U"????"},
        {"surrogate", "\xED\xA0\x80", U"???"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", U"????"},
        {"lone continuation", "a\x80z", U"a?z"},
        {"cut short", "\xE2\x82", U"?"},
        {"cut short before text", "\xE2\x82z", U"?z"},
        {"not a lead", "\xFF\xFE", U"??"},
    };
    for (const auto& c : cases) EXPECT_EQ(detail::DecodeUtf8(c.bytes), c.expected) << c.what;
}

}  // namespace
