// Pictures in memory (ImageBuffer) and as uncompressed 24-bit TGA files, and
// the capture of a picture box's pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "binfile.h"
#include "platform.h"

namespace core {

struct PaletteEntry {
    std::uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
};

// 24-bit pixels are blue, green, red; rows top row first with no gap, so
// pixel (x, y) starts at (y * Width + x) * 3. BitsPerPixel 0: no picture.
struct ImageBuffer {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint8_t BitsPerPixel = 0;
    std::vector<PaletteEntry> Palette;  // 256 entries for 8-bit pictures, else empty
    std::vector<std::uint8_t> Pixels;
};

constexpr std::size_t kTgaHeaderBytes = 18;

// The 18 header bytes, Width and Height widened to int32.
struct TgaHeader {
    std::uint8_t IdLength = 0, ColorMapType = 0, ImageType = 0;
    std::uint8_t ColorMapSpec[5] = {};
    std::int16_t XOrigin = 0, YOrigin = 0;
    std::int32_t Width = 0, Height = 0;
    std::uint8_t BitsPerPixel = 0, Descriptor = 0;
};

// Reads the header; false when the file is shorter than 18 bytes. A missing
// file raises the platform's file error.
bool ReadTgaHeader(const std::string& path, TgaHeader& header);
// True for ImageType 2 with 24 bits; a file shorter than its header is false.
bool IsTGA24(const std::string& path);
// Fills image from a 24-bit uncompressed TGA (the file's first row becomes the
// buffer's last). A header that fails the test, or whose size is not positive
// or too large for any picture (see kMaxPixelBytes), leaves image untouched.
// Rows past the end of a short file read as zero bytes.
void LoadTGA(const std::string& path, ImageBuffer& image);
// Writes image as a new file (an existing one is deleted first).
void SaveTGA(const std::string& path, const ImageBuffer& image);
// The same bytes into an open file at its current position.
void WriteTGA(BinFile& file, const ImageBuffer& image);
// Copies the picture in box into image, bottom row first, 24 bits.
void CaptureImage(const plat::PictureBox& box, ImageBuffer& image);

// The largest pixel array a picture may have: its byte count must fit int32.
constexpr std::int64_t kMaxPixelBytes = 0x7FFFFFFF;

}  // namespace core
