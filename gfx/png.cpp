// PNG pictures: decoding every colour type and encoding with alpha, through libpng's simple API.
#include <png.h>

#include <cstring>

#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx {

namespace codecs {

bool LooksLikePNG(std::span<const uint8_t> bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

std::optional<Pixmap> DecodePNG(std::span<const uint8_t> bytes) {
    if (!LooksLikePNG(bytes)) return std::nullopt;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
    // The header alone can claim any size: refuse absurd ones before allocating.
    if (!SizeAllowed(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    const bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // 16-bit files without colour information come from editors and scanners that store sRGB;
    // read as linear light they would come out washed pale.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    image.format = PNG_FORMAT_RGBA;

    Pixmap p;
    p.width = int(image.width);
    p.height = int(image.height);
    p.hasAlpha = hasAlpha;
    p.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return p;
}

}  // namespace codecs

std::optional<Pixmap> LoadPixmapPNG(const std::string& url) {
    const std::optional<std::vector<uint8_t>> bytes = ReadUrl(url);
    if (!bytes) return std::nullopt;
    return codecs::DecodePNG(*bytes);
}

std::vector<uint8_t> EncodePNG(const Pixmap& pixmap) {
    if (pixmap.width <= 0 || pixmap.height <= 0 ||
        pixmap.pixels.size() < size_t(pixmap.width) * size_t(pixmap.height) * 4)
        return {};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(pixmap.width);
    image.height = png_uint_32(pixmap.height);
    image.format = pixmap.hasAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;

    // Without alpha the encoder reads three bytes a pixel.
    std::vector<uint8_t> rgb;
    const void* source = pixmap.pixels.data();
    if (!pixmap.hasAlpha) {
        const size_t count = size_t(pixmap.width) * size_t(pixmap.height);
        rgb.resize(count * 3);
        for (size_t i = 0; i < count; ++i) std::memcpy(&rgb[i * 3], &pixmap.pixels[i * 4], 3);
        source = rgb.data();
    }

    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, source, 0, nullptr)) return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, source, 0, nullptr)) return {};
    out.resize(size);
    return out;
}

}  // namespace gfx
