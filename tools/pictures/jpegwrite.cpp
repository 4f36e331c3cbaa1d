#include "tools/pictures/jpegwrite.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace pictures {

std::vector<std::uint8_t> EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb,
                                     int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;  // same bytes every run, smaller pieces
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() +
                                            std::size_t(cinfo.next_scanline) * std::size_t(width) * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

std::vector<std::uint8_t> EncodeBmp(int width, int height, const std::vector<std::uint8_t>& rgb) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::vector<std::uint8_t> b(54 + stride * std::size_t(height), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, std::uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    b[26] = 1, b[28] = 24;
    put32(34, std::uint32_t(stride * std::size_t(height)));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
        std::uint8_t* dst = b.data() + 54 + std::size_t(height - 1 - y) * stride;  // bottom row first
        for (int x = 0; x < width; ++x) {
            dst[x * 3] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3];
        }
    }
    return b;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace pictures
