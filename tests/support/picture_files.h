// PNG and JPEG files written with the full libpng and libjpeg APIs, for the kinds of picture the
// game's own encoders never write: every PNG colour type and depth, grey and CMYK JPEGs,
// progressive and arithmetic coding, restart markers, EXIF blocks.
#pragma once

#include <png.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace testpictures {

struct PngFile {
    int width = 0, height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;          // tRNS for palette pictures
    std::optional<png_color_16> transparent;    // tRNS colour key for grey and RGB pictures
    std::vector<std::vector<uint8_t>> rows;     // packed as the file stores them
};

std::vector<uint8_t> WritePng(const PngFile& f);

struct JpegFile {
    int width = 16, height = 16;
    int components = 3;            // 1 grey, 3 RGB, 4 CMYK
    std::vector<uint8_t> samples;  // width * height * components, row by row
    int quality = 98;
    bool adobeMarker = true;       // CMYK only
    bool progressive = false;
    int refinements = -1;          // >= 0: a progressive script with this many refinement scans per coefficient (grey only)
    bool arithmetic = false;
    bool fullColourDetail = false; // no chroma subsampling
    int restartRows = 0;
    std::vector<uint8_t> exif;     // an APP1 block
};

std::vector<uint8_t> WriteJpeg(const JpegFile& f);

}  // namespace testpictures
