#include "scaling.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace core {

namespace {
std::size_t BytesPerPixel(const ImageBuffer& image) {
    return image.BitsPerPixel == 24 ? 3 : image.BitsPerPixel == 8 ? 1 : 0;
}

// Round to nearest, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t RoundHalfEven(double v) {
    double r = std::floor(v);
    double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return std::int64_t(r);
}
}  // namespace

void FlipImage(ImageBuffer& image) {
    const std::size_t bpp = BytesPerPixel(image);
    if (bpp == 0 || image.Width <= 0 || image.Height <= 0) return;
    const std::size_t rowBytes = std::size_t(image.Width) * bpp;
    const std::size_t rows = std::size_t(image.Height);
    if (image.Pixels.size() < rowBytes * rows) return;  // a caller's error; touch nothing
    std::vector<std::uint8_t> work(rowBytes * rows);
    for (std::size_t r = 0; r < rows; ++r)
        std::memcpy(work.data() + (rows - 1 - r) * rowBytes, image.Pixels.data() + r * rowBytes,
                    rowBytes);
    std::memcpy(image.Pixels.data(), work.data(), work.size());
}

void ResizeImage(ImageBuffer& image, std::int32_t newWidth, std::int32_t newHeight) {
    const std::size_t bpp = BytesPerPixel(image);
    if (bpp == 0 || newWidth <= 0 || newHeight <= 0) return;
    if (std::int64_t(newWidth) * newHeight * std::int64_t(bpp) > kMaxPixelBytes) return;
    const double xRatio = double(image.Width) / newWidth;
    const double yRatio = double(image.Height) / newHeight;
    // Source column of every output column, computed once for all rows.
    std::vector<std::int64_t> sourceX(static_cast<std::size_t>(newWidth));
    for (std::int32_t x = 0; x < newWidth; ++x) sourceX[std::size_t(x)] = RoundHalfEven(x * xRatio);
    std::vector<std::uint8_t> work(std::size_t(newWidth) * std::size_t(newHeight) * bpp, 0);
    const std::int64_t size = std::int64_t(image.Pixels.size());
    std::uint8_t* out = work.data();
    for (std::int32_t y = 0; y < newHeight; ++y) {
        const std::int64_t sy = RoundHalfEven(y * yRatio);
        for (std::int32_t x = 0; x < newWidth; ++x, out += bpp) {
            const std::int64_t from = (sy * image.Width + sourceX[std::size_t(x)]) * std::int64_t(bpp);
            if (from < 0 || from + std::int64_t(bpp) > size) continue;  // skipped: stays 0
            std::memcpy(out, image.Pixels.data() + from, bpp);
        }
    }
    image.Pixels = std::move(work);
    image.Width = newWidth;
    image.Height = newHeight;
}

}  // namespace core
