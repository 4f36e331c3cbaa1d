#include "image.h"

#include <algorithm>
#include <cstring>

#include "error.h"
#include "locator.h"

namespace core {

namespace {

void DecodeTgaHeader(const std::uint8_t* b, TgaHeader& h) {
    h.IdLength = b[0];
    h.ColorMapType = b[1];
    h.ImageType = b[2];
    std::memcpy(h.ColorMapSpec, b + 3, 5);
    h.XOrigin = GetI16(b + 8);
    h.YOrigin = GetI16(b + 10);
    h.Width = GetI16(b + 12);
    h.Height = GetI16(b + 14);
    h.BitsPerPixel = b[16];
    h.Descriptor = b[17];
}

bool Passes(const TgaHeader& h) { return h.ImageType == 2 && h.BitsPerPixel == 24; }

bool ReadHeader(BinFile& file, TgaHeader& header) {
    std::uint8_t b[kTgaHeaderBytes];
    if (file.Read(b, sizeof b) != sizeof b) return false;
    DecodeTgaHeader(b, header);
    return true;
}

std::int16_t NarrowToInt16(std::int32_t v) {
    if (v < -32768 || v > 32767) Raise(err::Overflow, "Overflow");
    return std::int16_t(v);
}

// Header and rows into file; the row buffer keeps writes to one per row.
void WriteTgaBody(BinFile& file, const ImageBuffer& image) {
    std::uint8_t h[kTgaHeaderBytes] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutU16(h + 12, std::uint16_t(NarrowToInt16(image.Width)));
    PutU16(h + 14, std::uint16_t(NarrowToInt16(image.Height)));
    h[16] = 24;
    h[17] = 32;
    if (std::int64_t(image.Width) * image.Height * 3 > kMaxPixelBytes) Raise(err::Overflow, "Overflow");
    file.Write(h, sizeof h);
    if (image.BitsPerPixel != 24 && image.BitsPerPixel != 8) return;
    if (image.Width <= 0 || image.Height <= 0) return;
    const std::size_t w = std::size_t(image.Width);
    const std::size_t rowBytes = w * 3;
    std::vector<std::uint8_t> row(rowBytes);
    const std::size_t depth = image.BitsPerPixel == 24 ? 3 : 1;
    for (std::size_t y = 0; y < std::size_t(image.Height); ++y) {
        const std::size_t at = y * w * depth;
        if (depth == 3) {
            // A buffer smaller than its size says contributes zero bytes.
            std::fill(row.begin(), row.end(), 0);
            if (at < image.Pixels.size())
                std::memcpy(row.data(), image.Pixels.data() + at,
                            std::min(rowBytes, image.Pixels.size() - at));
        } else {
            // 8-bit: each index expands through the palette to blue, green, red,
            // rows in buffer order as the descriptor declares.
            for (std::size_t x = 0; x < w; ++x) {
                std::uint8_t index = at + x < image.Pixels.size() ? image.Pixels[at + x] : 0;
                PaletteEntry c = index < image.Palette.size() ? image.Palette[index] : PaletteEntry{};
                row[x * 3] = c.Blue;
                row[x * 3 + 1] = c.Green;
                row[x * 3 + 2] = c.Red;
            }
        }
        file.Write(row.data(), rowBytes);
    }
}

}  // namespace

bool ReadTgaHeader(const std::string& path, TgaHeader& header) {
    BinFile file(path, OpenMode::Read);
    bool whole = ReadHeader(file, header);
    file.Close();
    return whole;
}

bool IsTGA24(const std::string& path) {
    TgaHeader header;
    return ReadTgaHeader(path, header) && Passes(header);
}

void LoadTGA(const std::string& path, ImageBuffer& image) {
    BinFile file(path, OpenMode::Read);
    TgaHeader h;
    if (!ReadHeader(file, h) || !Passes(h)) return;
    // A hostile header must not make us allocate: no picture is empty, negative
    // or beyond the int32 byte count the system's pictures are limited to.
    if (h.Width <= 0 || h.Height <= 0) return;
    if (std::int64_t(h.Width) * h.Height * 3 > kMaxPixelBytes) return;
    const std::size_t rowBytes = std::size_t(h.Width) * 3;
    image.BitsPerPixel = 24;
    image.Width = h.Width;
    image.Height = h.Height;
    image.Palette.clear();
    image.Pixels.assign(rowBytes * std::size_t(h.Height), 0);
    std::vector<std::uint8_t> row(rowBytes);
    // The first row stored becomes the last row of the buffer.
    for (std::size_t r = 0; r < std::size_t(h.Height); ++r) {
        std::size_t got = file.Read(row.data(), rowBytes);
        if (got < rowBytes) std::fill(row.begin() + std::ptrdiff_t(got), row.end(), 0);
        std::memcpy(image.Pixels.data() + (std::size_t(h.Height) - 1 - r) * rowBytes, row.data(),
                    rowBytes);
    }
}

void SaveTGA(const std::string& path, const ImageBuffer& image) {
    // Delete first, so the new file never keeps bytes of an older, longer one.
    if (FileExists(path, 0)) plat::RemoveFile(path);
    BinFile file(path, OpenMode::Create);
    WriteTgaBody(file, image);
    file.Close();
}

void WriteTGA(BinFile& file, const ImageBuffer& image) { WriteTgaBody(file, image); }

void CaptureImage(const plat::PictureBox& box, ImageBuffer& image) {
    const int width = plat::BoxInnerWidth(box);
    const int height = plat::BoxInnerHeight(box);
    image.Width = width;
    image.Height = height;
    image.BitsPerPixel = 24;
    std::uint8_t info[1064] = {};
    PutU32(info + 0, 40);
    PutU32(info + 4, std::uint32_t(width));
    PutU32(info + 8, std::uint32_t(height));
    PutU16(info + 12, 1);
    PutU16(info + 14, 24);
    const std::size_t w = std::size_t(std::max(width, 0));
    const std::size_t h = std::size_t(std::max(height, 0));
    const std::size_t rowBytes = w * 3;
    image.Pixels.assign(rowBytes * h, 0);
    if (w == 0 || h == 0) return;
    const std::size_t padded = (rowBytes + 3) & ~std::size_t(3);
    if (padded == rowBytes) {
        plat::GetBoxDIBits(box, height, image.Pixels.data(), info);
        return;
    }
    // GetDIBits pads every row to 4 bytes: receive the padded rows and repack.
    std::vector<std::uint8_t> rows(padded * h);
    plat::GetBoxDIBits(box, height, rows.data(), info);
    for (std::size_t y = 0; y < h; ++y)
        std::memcpy(image.Pixels.data() + y * rowBytes, rows.data() + y * padded, rowBytes);
}

}  // namespace core
