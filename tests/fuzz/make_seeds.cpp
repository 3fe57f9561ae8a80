// Writes the picture fuzzer's seeds into the folder given: small PNG, JPEG, BMP and TGA files of
// the kinds cameras, editors and paint programs write, and broken ones. Each file starts with the
// byte that picks the picture's name in the fuzzer (see picture_fuzzer.cpp).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/gfx.h"
#include "tests/support/picture_files.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// The name byte: the ending, and whether the name starts with "Puzzle".
enum Ending { PNG = 0, JPG = 1, JPEG = 2, PNG_UPPER = 3, JPG_UPPER = 4 };
uint8_t Name(Ending ending, bool prefixed) { return uint8_t(ending * 2 + (prefixed ? 1 : 0)); }

fs::path folder;

void Seed(const std::string& file, uint8_t name, const Bytes& picture) {
    std::ofstream out(folder / file, std::ios::binary);
    out.put(char(name));
    out.write(reinterpret_cast<const char*>(picture.data()), std::streamsize(picture.size()));
    if (!out) {
        std::fprintf(stderr, "can't write %s\n", file.c_str());
        std::exit(1);
    }
}

// Some texture, so that the pictures don't compress to nothing.
int Sample(int x, int y, int channel) { return (x * 37 + y * 91 + channel * 53 + (x ^ y) * 7) & 0xFF; }

//------------------------------------------------------------------------------------------------
// PNG and JPEG of the kinds the game's encoders never write, textured with Sample.
//------------------------------------------------------------------------------------------------
struct PngSeed {
    int width = 8, height = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    bool interlaced = false;
    bool transparency = false;  // a tRNS chunk (palette alpha or one transparent colour)
};

int Channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;  // grey, or an index into the palette
    }
}

Bytes Write(const PngSeed& seed) {
    testpictures::PngFile f;
    f.width = seed.width, f.height = seed.height, f.colorType = seed.colourType, f.bitDepth = seed.depth;
    f.interlaced = seed.interlaced;
    const int entries = 1 << seed.depth;
    if (seed.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < entries; ++i)
            f.palette.push_back({png_byte(i * 80), png_byte(255 - i * 40), png_byte(i * 15)});
        if (seed.transparency)
            for (int i = 0; i < entries; ++i) f.paletteAlpha.push_back(png_byte(i * 255 / (entries - 1)));
    } else if (seed.transparency) {
        png_color_16 colour{};
        colour.gray = 1;
        colour.red = 2, colour.green = 3, colour.blue = 4;
        f.transparent = colour;
    }

    const int channels = Channels(seed.colourType);
    const int maximum = (1 << seed.depth) - 1;
    const size_t rowBytes = (size_t(seed.width) * channels * seed.depth + 7) / 8;
    for (int y = 0; y < seed.height; ++y) {
        Bytes row(rowBytes);
        for (int x = 0; x < seed.width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const int value = Sample(x, y, c) * maximum / 255;
                const size_t bit = (size_t(x) * channels + c) * seed.depth;
                if (seed.depth == 16) {
                    row[bit / 8] = uint8_t(value >> 8);
                    row[bit / 8 + 1] = uint8_t(value);
                } else {
                    row[bit / 8] |= uint8_t(value << (8 - seed.depth - bit % 8));
                }
            }
        }
        f.rows.push_back(std::move(row));
    }
    return testpictures::WritePng(f);
}

struct JpegSeed {
    int width = 24, height = 16;
    int components = 3;  // 1 grey, 3 RGB, 4 CMYK
    bool progressive = false;
    bool arithmetic = false;
    bool fullColourDetail = false;  // no chroma subsampling
    int restartRows = 0;
    bool adobeMarker = true;        // CMYK only
    Bytes exif;                     // an APP1 block
    bool flat = false;              // one colour: a large picture in few bytes
};

Bytes Write(const JpegSeed& seed) {
    testpictures::JpegFile f;
    f.width = seed.width, f.height = seed.height, f.components = seed.components, f.quality = 85;
    f.adobeMarker = seed.adobeMarker, f.progressive = seed.progressive, f.arithmetic = seed.arithmetic;
    f.fullColourDetail = seed.fullColourDetail, f.restartRows = seed.restartRows, f.exif = seed.exif;
    for (int y = 0; y < seed.height; ++y)
        for (int x = 0; x < seed.width; ++x)
            for (int c = 0; c < seed.components; ++c)
                f.samples.push_back(uint8_t(seed.flat ? 90 + c * 40 : Sample(x, y, c)));
    return testpictures::WriteJpeg(f);
}

// An EXIF block holding only the orientation tag, in either byte order.
Bytes Exif(int orientation, bool bigEndian) {
    Bytes b = {'E', 'x', 'i', 'f', 0, 0};
    auto put16 = [&](int v) {
        if (bigEndian) b.insert(b.end(), {uint8_t(v >> 8), uint8_t(v)});
        else b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
    };
    auto put32 = [&](uint32_t v) {
        if (bigEndian) b.insert(b.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
        else b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    };
    b.insert(b.end(), bigEndian ? std::initializer_list<uint8_t>{'M', 'M'} : std::initializer_list<uint8_t>{'I', 'I'});
    put16(42);
    put32(8);             // the first directory right after the header
    put16(2);             // two entries: a resolution unit, then the orientation
    put16(0x0128), put16(3), put32(1), put16(2), put16(0);
    put16(0x0112), put16(3), put32(1), put16(orientation), put16(0);
    put32(0);             // no further directory
    return b;
}

//------------------------------------------------------------------------------------------------
// BMP and TGA, laid out by hand.
//------------------------------------------------------------------------------------------------
void Put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

struct BmpFile {
    int width = 7, height = 5;  // a negative height: rows top-down
    int bpp = 24;
    uint32_t headerSize = 40;   // 12 (the oldest kind), 40, 108 (with masks)
    uint32_t compression = 0;   // 0 plain, 3 bit fields
    uint32_t masks[4] = {0, 0, 0, 0};
};

Bytes Write(const BmpFile& f) {
    const bool core = f.headerSize == 12;
    const int colours = f.bpp <= 8 ? 1 << f.bpp : 0;
    const uint32_t entrySize = core ? 3 : 4;
    const bool masksAfterHeader = f.compression == 3 && f.headerSize == 40;
    const uint32_t dataOffset = 14 + f.headerSize + (masksAfterHeader ? 12 : 0) + uint32_t(colours) * entrySize;
    const int rows = f.height < 0 ? -f.height : f.height;
    const uint32_t stride = (uint32_t(f.width) * uint32_t(f.bpp) + 31) / 32 * 4;

    Bytes b = {'B', 'M'};
    Put32(b, dataOffset + stride * uint32_t(rows));
    Put32(b, 0);
    Put32(b, dataOffset);
    Put32(b, f.headerSize);
    if (core) {
        Put16(b, uint32_t(f.width)), Put16(b, uint32_t(f.height)), Put16(b, 1), Put16(b, uint32_t(f.bpp));
    } else {
        Put32(b, uint32_t(f.width)), Put32(b, uint32_t(f.height)), Put16(b, 1), Put16(b, uint32_t(f.bpp));
        Put32(b, f.compression), Put32(b, stride * uint32_t(rows)), Put32(b, 2835), Put32(b, 2835);
        Put32(b, uint32_t(colours)), Put32(b, 0);
        if (f.headerSize >= 108) {
            for (uint32_t m : f.masks) Put32(b, m);
            Put32(b, 0x73524742);  // sRGB
            b.resize(14 + f.headerSize, 0);
        }
        if (masksAfterHeader) Put32(b, f.masks[0]), Put32(b, f.masks[1]), Put32(b, f.masks[2]);
    }
    for (int i = 0; i < colours; ++i) {
        b.insert(b.end(), {uint8_t(i * 3), uint8_t(255 - i), uint8_t(i * 7)});
        if (!core) b.push_back(0);
    }
    for (int y = 0; y < rows; ++y) {
        Bytes line(stride, 0);
        for (int x = 0; x < f.width; ++x) {
            const size_t bit = size_t(x) * size_t(f.bpp);
            if (f.bpp <= 8) {
                line[bit / 8] |= uint8_t((Sample(x, y, 0) % colours) << (8 - f.bpp - bit % 8));
            } else {
                for (int k = 0; k < f.bpp / 8; ++k) line[bit / 8 + size_t(k)] = uint8_t(Sample(x, y, k));
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

struct TgaFile {
    int width = 6, height = 4;
    int type = 2;          // 2 colour, 3 grey, 10 and 11 the same run-length coded
    int depth = 24;
    int descriptor = 0;    // 0x20 rows top-down, 0x10 columns right to left, low bits alpha
    int mapLength = 0;     // a colour map that is skipped
    std::string id;
};

Bytes Write(const TgaFile& f) {
    Bytes b = {uint8_t(f.id.size()), uint8_t(f.mapLength ? 1 : 0), uint8_t(f.type)};
    Put16(b, 0), Put16(b, uint32_t(f.mapLength)), b.push_back(f.mapLength ? 24 : 0);
    Put16(b, 0), Put16(b, 0), Put16(b, uint32_t(f.width)), Put16(b, uint32_t(f.height));
    b.push_back(uint8_t(f.depth)), b.push_back(uint8_t(f.descriptor));
    b.insert(b.end(), f.id.begin(), f.id.end());
    b.insert(b.end(), size_t(f.mapLength) * 3, 0x42);
    const int bytesPerPixel = f.depth / 8;
    const bool rle = f.type >= 10;
    for (int y = 0; y < f.height; ++y) {
        int x = 0;
        while (x < f.width) {
            if (rle && x % 3 == 0 && x + 2 < f.width) {
                b.push_back(0x80 | 2);  // one pixel three times
                for (int k = 0; k < bytesPerPixel; ++k) b.push_back(uint8_t(Sample(x, y, k)));
                x += 3;
                continue;
            }
            if (rle) b.push_back(0);  // one literal pixel
            for (int k = 0; k < bytesPerPixel; ++k) b.push_back(uint8_t(Sample(x, y, k)));
            ++x;
        }
    }
    return b;
}

// The checksum PNG chunks end with.
uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

Bytes Cut(Bytes b, size_t keep) {
    b.resize(keep < b.size() ? keep : b.size());
    return b;
}

// A picture whose pixels change in every corner, with an alpha channel that is partly clear.
gfx::Pixmap Texture(int width, int height) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, true);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            gfx::WritePixel(p, x, y, uint32_t((x + y) % 5 ? 0xFF : 0x00) << 24 | uint32_t(Sample(x, y, 0)) << 16 |
                                         uint32_t(Sample(x, y, 1)) << 8 | uint32_t(Sample(x, y, 2)));
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    folder = argv[1];
    std::error_code error;
    fs::create_directories(folder, error);

    // PNG: the game's own encoder, then the kinds of other programs.
    Seed("png-rgba", Name(PNG, false), gfx::EncodePNG(Texture(9, 7)));
    Seed("png-prefixed-tall", Name(PNG, true), gfx::EncodePNG(Texture(12, 130)));
    Seed("png-wide", Name(PNG_UPPER, false), Write(PngSeed{.width = 600, .height = 3}));
    Seed("png-grey4-interlaced", Name(PNG, true),
         Write(PngSeed{.width = 11, .height = 9, .colourType = PNG_COLOR_TYPE_GRAY, .depth = 4, .interlaced = true}));
    Seed("png-palette2-alpha", Name(PNG, false),
         Write(PngSeed{.width = 10, .height = 6, .colourType = PNG_COLOR_TYPE_PALETTE, .depth = 2, .transparency = true}));
    Seed("png-greyalpha16", Name(PNG, false),
         Write(PngSeed{.width = 5, .height = 5, .colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .depth = 16}));
    Seed("png-rgb16-interlaced-key", Name(PNG_UPPER, true),
         Write(PngSeed{.width = 6, .height = 10, .depth = 16, .interlaced = true, .transparency = true}));
    const Bytes png = Write(PngSeed{.width = 16, .height = 16, .colourType = PNG_COLOR_TYPE_RGB_ALPHA});
    Seed("png-cut", Name(PNG, false), Cut(png, png.size() / 2));
    Bytes badCrc = png;
    badCrc[40] ^= 0x55;  // inside the picture data: the checksum no longer fits
    Seed("png-bad-checksum", Name(PNG, false), badCrc);
    Bytes huge = png;
    huge[17] = 0x01;  // 65536 + 16 wide, with the header's checksum made to fit
    const uint32_t crc = Crc32(&huge[12], 17);
    huge[29] = uint8_t(crc >> 24), huge[30] = uint8_t(crc >> 16), huge[31] = uint8_t(crc >> 8), huge[32] = uint8_t(crc);
    Seed("png-huge-claim", Name(PNG, false), huge);

    // JPEG: baseline, progressive, grey, CMYK, turned by EXIF, restart markers, arithmetic coding.
    Seed("jpeg-baseline", Name(JPG, false), Write(JpegSeed{}));
    Seed("jpeg-progressive", Name(JPEG, false), Write(JpegSeed{.width = 40, .height = 30, .progressive = true}));
    Seed("jpeg-grey", Name(JPG_UPPER, true), Write(JpegSeed{.width = 17, .height = 9, .components = 1}));
    Seed("jpeg-cmyk-adobe", Name(JPG, false), Write(JpegSeed{.width = 16, .height = 16, .components = 4}));
    Seed("jpeg-cmyk-plain", Name(JPEG, true),
         Write(JpegSeed{.width = 9, .height = 8, .components = 4, .adobeMarker = false}));
    Seed("jpeg-exif-quarter", Name(JPG, true), Write(JpegSeed{.width = 20, .height = 12, .exif = Exif(6, false)}));
    Seed("jpeg-exif-mirrored-tall", Name(JPG, false),
         Write(JpegSeed{.width = 140, .height = 30, .progressive = true, .exif = Exif(7, true)}));
    Seed("jpeg-restarts-444", Name(JPG, false),
         Write(JpegSeed{.width = 33, .height = 21, .fullColourDetail = true, .restartRows = 1}));
    Seed("jpeg-arithmetic", Name(JPEG, false), Write(JpegSeed{.width = 18, .height = 18, .arithmetic = true}));
    Seed("jpeg-large-scaled", Name(JPG, true),
         Write(JpegSeed{.width = 1100, .height = 1040, .components = 1, .flat = true}));
    Seed("jpeg-under-png-name", Name(PNG, false), Write(JpegSeed{.width = 14, .height = 10}));
    const Bytes jpeg = Write(JpegSeed{.width = 32, .height = 32});
    Seed("jpeg-cut", Name(JPG, false), Cut(jpeg, jpeg.size() * 2 / 3));
    Bytes damaged = jpeg;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 16; ++i) damaged[i] = 0xFF;
    Seed("jpeg-damaged", Name(JPG, false), damaged);

    // BMP: every depth, the oldest header, masks, rows top-down, a file cut short.
    Seed("bmp-24", Name(PNG, true), Write(BmpFile{}));
    Seed("bmp-8-core", Name(PNG, false), Write(BmpFile{.width = 9, .height = 3, .bpp = 8, .headerSize = 12}));
    Seed("bmp-4-topdown", Name(JPG, true), Write(BmpFile{.width = 5, .height = -4, .bpp = 4}));
    Seed("bmp-1", Name(PNG, true), Write(BmpFile{.width = 19, .height = 3, .bpp = 1}));
    Seed("bmp-16-565", Name(PNG, true),
         Write(BmpFile{.width = 6, .height = 6, .bpp = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}}));
    Seed("bmp-32-alpha", Name(PNG, true),
         Write(BmpFile{.width = 4, .height = 110, .bpp = 32, .headerSize = 108, .compression = 3,
                       .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}}));
    const Bytes bmp = Write(BmpFile{.width = 8, .height = 8});
    Seed("bmp-cut", Name(PNG, false), Cut(bmp, bmp.size() - 5));

    // TGA: plain and run-length, colour and grey, each origin, an id and a skipped colour map.
    Seed("tga-24", Name(PNG, true), Write(TgaFile{}));
    Seed("tga-32-rle-topright", Name(PNG, true),
         Write(TgaFile{.width = 7, .height = 5, .type = 10, .depth = 32, .descriptor = 0x38}));
    Seed("tga-grey-rle", Name(JPG, false), Write(TgaFile{.width = 8, .height = 3, .type = 11, .depth = 8}));
    Seed("tga-map-id", Name(PNG, false), Write(TgaFile{.width = 3, .height = 3, .mapLength = 4, .id = "kz"}));
    const Bytes tga = Write(TgaFile{.width = 9, .height = 9, .type = 10});
    Seed("tga-rle-cut", Name(PNG, true), Cut(tga, tga.size() - 4));

    Seed("empty", Name(PNG, false), {});
    return 0;
}
