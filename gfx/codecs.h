// Picture decoders and encoders shared by the pixmap files of the layer (not for game code).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "gfx/gfx.h"

namespace gfx::codecs {

bool LooksLikePNG(std::span<const uint8_t> bytes);
bool LooksLikeJPEG(std::span<const uint8_t> bytes);
bool LooksLikeBMP(std::span<const uint8_t> bytes);

// Each gives none for data it can't decode completely.
std::optional<Pixmap> DecodePNG(std::span<const uint8_t> bytes);
std::optional<Pixmap> DecodeJPEG(std::span<const uint8_t> bytes, int minSide);
std::optional<Pixmap> DecodeBMP(std::span<const uint8_t> bytes);
std::optional<Pixmap> DecodeTGA(std::span<const uint8_t> bytes);

// True when a picture of this size may be allocated at all.
inline bool SizeAllowed(long long width, long long height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height <= MAX_PICTURE_PIXELS;
}

}  // namespace gfx::codecs
