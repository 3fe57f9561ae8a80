#include "tests/support/picture_files.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace testpictures {

namespace {

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

}  // namespace

std::vector<uint8_t> WritePng(const PngFile& f) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_IHDR(png, info, png_uint_32(f.width), png_uint_32(f.height), f.bitDepth, f.colorType,
                 f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!f.palette.empty()) png_set_PLTE(png, info, f.palette.data(), int(f.palette.size()));
    if (!f.paletteAlpha.empty()) png_set_tRNS(png, info, f.paletteAlpha.data(), int(f.paletteAlpha.size()), nullptr);
    if (f.transparent) png_set_tRNS(png, info, nullptr, 0, &*f.transparent);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& r : f.rows) rows.push_back(const_cast<png_bytep>(r.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> WriteJpeg(const JpegFile& f) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(f.width);
    cinfo.image_height = JDIMENSION(f.height);
    cinfo.input_components = f.components;
    cinfo.in_color_space = f.components == 1 ? JCS_GRAYSCALE : f.components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, f.quality, TRUE);
    if (f.components == 4) {
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
        cinfo.write_Adobe_marker = f.adobeMarker;
    }
    if (f.progressive) jpeg_simple_progression(&cinfo);
    cinfo.arith_code = f.arithmetic;
    cinfo.restart_in_rows = f.restartRows;
    if (f.fullColourDetail) {
        for (int c = 0; c < cinfo.num_components; ++c) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
    }
    std::vector<jpeg_scan_info> script;
    if (f.refinements >= 0) {
        // Every coefficient of the one grey component in scans of its own, each then refined bit by bit.
        script.push_back({1, {0}, 0, 0, 0, 0});
        for (int k = 1; k < 64; ++k) {
            script.push_back({1, {0}, k, k, 0, f.refinements});
            for (int al = f.refinements - 1; al >= 0; --al) script.push_back({1, {0}, k, k, al + 1, al});
        }
        cinfo.scan_info = script.data();
        cinfo.num_scans = int(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    if (!f.exif.empty()) jpeg_write_marker(&cinfo, JPEG_APP0 + 1, f.exif.data(), unsigned(f.exif.size()));
    const size_t stride = size_t(f.width) * size_t(f.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(&f.samples[cinfo.next_scanline * stride]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace testpictures
