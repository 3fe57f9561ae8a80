// JPEG pictures: decoding (scaled down on request, turned upright) and encoding at a quality.
//
// libjpeg reports errors by longjmp. Every call into it, and the setjmp, therefore live in two
// plain functions below whose locals are plain data; buffers belong to their C++ callers, and a
// failure comes back as a return value.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csetjmp>
#include <filesystem>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

#include "gfx/codecs.h"
#include "gfx/gfx.h"

namespace gfx {

namespace {

// A progressive file can carry any number of scans, each one a full pass over the picture;
// thousands of them would stall the game. Cameras and editors write about ten. On large pictures
// the passes themselves add up: scans times pixels stays below a budget of about half a second of
// decoding, which still leaves 20 scans at the pixel limit.
constexpr int MAX_PROGRESSIVE_SCANS = 500;
constexpr long long MAX_SCAN_PIXELS = 2'000'000'000;
// No picture within the pixel limit needs more working memory than this.
constexpr long MAX_DECODER_MEMORY = 1024L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf escape;
};

[[noreturn]] void ExitOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

// Warnings (level -1) mostly mean damaged picture data, which libjpeg would paint grey. A picture
// that comes back half grey must not pass for a good one, so those warnings end the decode.
void FailOnDamage(j_common_ptr cinfo, int msg_level) {
    if (msg_level != -1) return;
    const int code = cinfo->err->msg_code;
    // These concern only metadata; the pixels are sound.
    if (code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM || code == JWRN_BOGUS_ICC) return;
    ExitOnError(cinfo);
}

void LimitScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor) {
        const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        const long long pixels = std::max(1LL, (long long)d->image_width * d->image_height);
        const long long limit = std::min<long long>(MAX_PROGRESSIVE_SCANS, MAX_SCAN_PIXELS / pixels);
        if (d->input_scan_number > limit) ExitOnError(cinfo);
    }
}

void SetUpErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ExitOnError;
    errors.pub.emit_message = FailOnDamage;
}

uint16_t Read16(const uint8_t* p, bool bigEndian) {
    return bigEndian ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
}

uint32_t Read32(const uint8_t* p, bool bigEndian) {
    return bigEndian ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                     : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// The orientation a camera records in its EXIF block (1..8), or 1 when there is none or the
// block makes no sense.
int ExifOrientation(const uint8_t* data, size_t size) {
    if (size < 6 || std::memcmp(data, "Exif\0\0", 6) != 0) return 1;
    const uint8_t* tiff = data + 6;
    const size_t tiffSize = size - 6;
    if (tiffSize < 8) return 1;
    bool bigEndian;
    if (tiff[0] == 'I' && tiff[1] == 'I') bigEndian = false;
    else if (tiff[0] == 'M' && tiff[1] == 'M') bigEndian = true;
    else return 1;
    if (Read16(tiff + 2, bigEndian) != 42) return 1;
    const uint32_t ifd = Read32(tiff + 4, bigEndian);
    if (ifd > tiffSize || tiffSize - ifd < 2) return 1;
    const uint32_t entries = Read16(tiff + ifd, bigEndian);
    for (uint32_t i = 0; i < entries; ++i) {
        const size_t at = size_t(ifd) + 2 + size_t(i) * 12;
        if (at + 12 > tiffSize) return 1;
        const uint8_t* entry = tiff + at;
        if (Read16(entry, bigEndian) != 0x0112) continue;
        const uint16_t type = Read16(entry + 2, bigEndian);
        const uint32_t count = Read32(entry + 4, bigEndian);
        if (type != 3 || count != 1) return 1;
        const uint16_t value = Read16(entry + 8, bigEndian);
        return (value >= 1 && value <= 8) ? value : 1;
    }
    return 1;
}

// What the plain decoder tells its caller, and the caller's buffer for the pixels.
struct JpegDecode {
    // in
    const uint8_t* data;
    size_t size;
    int minSide;
    uint8_t* (*allocate)(void* context, int width, int height);  // width*height*4 bytes, or null
    void* context;
    // out
    int width;
    int height;
    int orientation;
};

// Fills the caller's buffer with RGBA rows. Returns false when the data is no complete picture.
bool DecodeJpegPlain(JpegDecode* job) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    JSAMPROW rows[16];

    cinfo.err = &errors.pub;
    SetUpErrors(errors);
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = MAX_DECODER_MEMORY;
    progress.progress_monitor = LimitScans;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, job->data, static_cast<unsigned long>(job->size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);

    if (!codecs::SizeAllowed(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    job->orientation = 1;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0) {
            job->orientation = ExifOrientation(m->data, m->data_length);
            break;
        }
    }

    // CMYK can't be turned into RGB by the library; it comes out as CMYK and is converted below.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;

    // The smallest of the fast DCT scales that keeps both sides at least minSide.
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    if (job->minSide > 0) {
        static const unsigned denoms[] = {8, 4, 2};
        for (unsigned denom : denoms) {
            cinfo.scale_denom = denom;
            jpeg_calc_output_dimensions(&cinfo);
            if (cinfo.output_width >= unsigned(job->minSide) && cinfo.output_height >= unsigned(job->minSide)) break;
            cinfo.scale_denom = 1;
        }
    }
    jpeg_calc_output_dimensions(&cinfo);
    job->width = int(cinfo.output_width);
    job->height = int(cinfo.output_height);
    uint8_t* pixels = job->allocate(job->context, job->width, job->height);
    if (!pixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * 4;
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        JDIMENSION count = cinfo.output_height - first;
        if (count > 16) count = 16;
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels + (size_t(first) + i) * stride;
        jpeg_read_scanlines(&cinfo, rows, count);
    }

    if (cmyk) {
        // Adobe's files store the inks inverted.
        const bool inverted = cinfo.saw_Adobe_marker;
        const size_t total = stride * cinfo.output_height;
        for (size_t i = 0; i < total; i += 4) {
            int c = pixels[i], m = pixels[i + 1], y = pixels[i + 2], k = pixels[i + 3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            pixels[i] = uint8_t((c * k + 127) / 255);
            pixels[i + 1] = uint8_t((m * k + 127) / 255);
            pixels[i + 2] = uint8_t((y * k + 127) / 255);
            pixels[i + 3] = 255;
        }
    }

    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct JpegEncode {
    // in
    const uint8_t* pixels;  // RGBA rows
    int width;
    int height;
    int quality;
    // out: allocated by the library with malloc; the caller frees it
    unsigned char* bytes;
    unsigned long size;
};

bool EncodeJpegPlain(JpegEncode* job) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    JSAMPROW row[1];

    cinfo.err = &errors.pub;
    SetUpErrors(errors);
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job->bytes, &job->size);
    cinfo.image_width = JDIMENSION(job->width);
    cinfo.image_height = JDIMENSION(job->height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_RGBA;  // the alpha byte is skipped
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job->quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = size_t(job->width) * 4;
    while (cinfo.next_scanline < cinfo.image_height) {
        row[0] = const_cast<uint8_t*>(job->pixels + size_t(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

uint8_t* AllocatePixmap(void* context, int width, int height) {
    Pixmap& p = *static_cast<Pixmap*>(context);
    try {
        p.width = width;
        p.height = height;
        p.pixels.resize(size_t(width) * size_t(height) * 4);
        return p.pixels.data();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The pixmap turned as the camera's orientation asks, so that it shows upright.
Pixmap ApplyOrientation(Pixmap in, int orientation) {
    if (orientation <= 1 || orientation > 8) return in;
    const int w = in.width, h = in.height;
    const bool swapsSides = orientation >= 5;
    Pixmap out;
    out.width = swapsSides ? h : w;
    out.height = swapsSides ? w : h;
    out.hasAlpha = in.hasAlpha;
    out.pixels.resize(in.pixels.size());
    const uint8_t* src = in.pixels.data();
    uint8_t* dst = out.pixels.data();
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
                case 2: sx = w - 1 - x; break;                      // mirrored
                case 3: sx = w - 1 - x; sy = h - 1 - y; break;      // upside down
                case 4: sy = h - 1 - y; break;                      // mirrored upside down
                case 5: sx = y; sy = x; break;                      // transposed
                case 6: sx = y; sy = h - 1 - x; break;              // turned a quarter clockwise
                case 7: sx = w - 1 - y; sy = h - 1 - x; break;      // transversed
                case 8: sx = w - 1 - y; sy = x; break;              // turned a quarter anticlockwise
            }
            const size_t from = (size_t(sy) * size_t(w) + size_t(sx)) * 4;
            std::memcpy(dst + (size_t(y) * size_t(out.width) + size_t(x)) * 4, src + from, 4);
        }
    }
    return out;
}

}  // namespace

namespace codecs {

bool LooksLikeJPEG(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<Pixmap> DecodeJPEG(std::span<const uint8_t> bytes, int minSide) {
    if (!LooksLikeJPEG(bytes)) return std::nullopt;
    Pixmap p;
    JpegDecode job{};
    job.data = bytes.data();
    job.size = bytes.size();
    job.minSide = minSide;
    job.allocate = AllocatePixmap;
    job.context = &p;
    if (!DecodeJpegPlain(&job)) return std::nullopt;
    return ApplyOrientation(std::move(p), job.orientation);
}

}  // namespace codecs

std::optional<Pixmap> LoadPixmapJPeg(const std::string& url, int minSide) {
    const std::optional<std::vector<uint8_t>> bytes = ReadUrl(url);
    if (!bytes) return std::nullopt;
    return codecs::DecodeJPEG(*bytes, minSide);
}

std::vector<uint8_t> EncodeJPeg(const Pixmap& pixmap, int quality) {
    if (pixmap.width <= 0 || pixmap.height <= 0 ||
        pixmap.pixels.size() < size_t(pixmap.width) * size_t(pixmap.height) * 4)
        return {};
    JpegEncode job{};
    job.pixels = pixmap.pixels.data();
    job.width = pixmap.width;
    job.height = pixmap.height;
    job.quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
    const bool ok = EncodeJpegPlain(&job);
    std::vector<uint8_t> out;
    if (ok) out.assign(job.bytes, job.bytes + job.size);
    std::free(job.bytes);
    return out;
}

bool SavePixmapJPeg(const Pixmap& pixmap, const std::string& path, int quality) {
    const std::vector<uint8_t> bytes = EncodeJPeg(pixmap, quality);
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    // A half-written picture is worse than none; a device such as /dev/full is left alone.
    std::error_code error;
    if (!ok && std::filesystem::is_regular_file(path, error)) std::remove(path.c_str());
    return ok;
}

}  // namespace gfx
