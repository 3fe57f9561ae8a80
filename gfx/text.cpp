// Text: TrueType fonts rendered by FreeType into glyph surfaces, drawn like small images.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <unordered_map>

#include "gfx/render_internal.h"
#include "gfx/text_internal.h"

namespace gfx {

namespace {

struct Glyph {
    detail::Surface surface;   // empty for blank characters such as the space
    int left = 0, top = 0;     // bitmap offset from the pen position on the baseline
    int advance = 0;           // whole pixels
};

FT_Library FreeType() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

}  // namespace

struct FontData {
    std::vector<uint8_t> bytes;   // FreeType reads the face from here while the font lives
    FT_Face face = nullptr;
    bool smooth = true;
    int ascender = 0;             // baseline below the top of the line
    int height = 0;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> glyphs;

    FontData() = default;
    FontData(const FontData&) = delete;
    FontData& operator=(const FontData&) = delete;
    ~FontData() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

ImageFont& CurrentFont() {
    static ImageFont* font = new ImageFont;
    return *font;
}

// Renders a character on first use. A character the face lacks shows its missing-glyph box.
Glyph& GlyphOf(FontData& font, char32_t c) {
    auto found = font.glyphs.find(c);
    if (found != font.glyphs.end()) return *found->second;
    auto glyph = std::make_unique<Glyph>();
    const FT_UInt index = FT_Get_Char_Index(font.face, c);
    const FT_Int32 load = FT_LOAD_RENDER | (font.smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
    if (FT_Load_Glyph(font.face, index, load) == 0) {
        const FT_GlyphSlot slot = font.face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph->left = slot->bitmap_left;
        glyph->top = slot->bitmap_top;
        glyph->advance = int((slot->advance.x + 32) >> 6);
        if (bitmap.width > 0 && bitmap.rows > 0) {
            Pixmap pixels = CreatePixmap(int(bitmap.width), int(bitmap.rows), true);
            for (unsigned y = 0; y < bitmap.rows; ++y) {
                const unsigned char* row = bitmap.buffer + int(y) * bitmap.pitch;
                for (unsigned x = 0; x < bitmap.width; ++x) {
                    const uint8_t coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                                 ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0)
                                                 : row[x];
                    uint8_t* p = &pixels.pixels[(size_t(y) * bitmap.width + x) * 4];
                    p[0] = p[1] = p[2] = 255;
                    p[3] = coverage;
                }
            }
            glyph->surface.pixels = std::move(pixels);
            glyph->surface.filtered = true;
        }
    }
    return *font.glyphs.emplace(c, std::move(glyph)).first->second;
}

}  // namespace

namespace detail {

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    auto continuation = [&](size_t at) { return at < n && (uint8_t(text[at]) & 0xC0) == 0x80; };
    while (i < n) {
        const uint8_t lead = uint8_t(text[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t c = 0;
        uint8_t low = 0x80, high = 0xBF;   // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;    // overlong
            if (lead == 0xED) high = 0x9F;   // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07;
            if (lead == 0xF0) low = 0x90;    // overlong
            if (lead == 0xF4) high = 0x8F;   // past U+10FFFF
        }
        // Take the longest valid start of the sequence; a broken one counts as one '?'.
        size_t taken = 1;
        bool complete = length > 0;
        for (int k = 1; k < length && complete; ++k) {
            const size_t at = i + size_t(k);
            const uint8_t byte = at < n ? uint8_t(text[at]) : 0;
            const bool ok = continuation(at) && (k > 1 || (byte >= low && byte <= high));
            if (!ok) {
                complete = false;
                break;
            }
            c = (c << 6) | (byte & 0x3F);
            ++taken;
        }
        out.push_back(complete ? c : U'?');
        i += taken;
    }
    return out;
}

}  // namespace detail

ImageFont LoadImageFont(const std::string& url, int px, int style) {
    if (px <= 0 || px > 1000 || !FreeType()) return nullptr;
    std::optional<std::vector<uint8_t>> bytes = ReadUrl(url);
    if (!bytes || bytes->empty()) return nullptr;
    auto font = std::make_shared<FontData>();
    font->bytes = std::move(*bytes);
    if (FT_New_Memory_Face(FreeType(), font->bytes.data(), FT_Long(font->bytes.size()), 0, &font->face) != 0) {
        font->face = nullptr;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(font->face, 0, FT_UInt(px)) != 0) return nullptr;
    font->smooth = (style & 4) != 0;
    const FT_Size_Metrics& metrics = font->face->size->metrics;
    font->ascender = int((metrics.ascender + 63) >> 6);
    font->height = font->ascender + int((-metrics.descender + 63) >> 6);
    // The Latin-1 characters are made at once; anything else when first used.
    for (char32_t c = 0x20; c <= 0xFF; ++c)
        if (c < 0x7F || c >= 0xA0) GlyphOf(*font, c);
    return font;
}

void SetImageFont(const ImageFont& font) { CurrentFont() = font; }
ImageFont GetImageFont() { return CurrentFont(); }

void DrawText(const std::string& text, float x, float y) {
    FontData* font = CurrentFont().get();
    if (!font) return;
    const auto& s = detail::State();
    const float baseline = y + font->ascender * s.scaleY;
    float pen = x;
    for (char32_t c : detail::DecodeUtf8(text)) {
        if (c < 0x20) continue;   // control characters take no room
        Glyph& glyph = GlyphOf(*font, c);
        const int w = glyph.surface.pixels.width, h = glyph.surface.pixels.height;
        if (w > 0) {
            const float x0 = pen + glyph.left * s.scaleX;
            const float y0 = baseline - glyph.top * s.scaleY;
            detail::DrawSurface(glyph.surface, x0, y0, x0 + w * s.scaleX, y0 + h * s.scaleY);
        }
        pen += glyph.advance * s.scaleX;
    }
}

int TextWidth(const std::string& text) {
    FontData* font = CurrentFont().get();
    if (!font) return 0;
    int width = 0;
    for (char32_t c : detail::DecodeUtf8(text))
        if (c >= 0x20) width += GlyphOf(*font, c).advance;
    return width;
}

int TextHeight(const std::string&) {
    FontData* font = CurrentFont().get();
    return font ? font->height : 0;
}

}  // namespace gfx
