// The Skin menu and the preview box.
#include <cstring>
#include <vector>

#include "core/binfile.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

void SkinClick(int index) {
    for (int i = 9; i <= 37; ++i) view::SetSkinChecked(i, i == index);
    CurrentSlot = std::int16_t(index);
}

void RefreshPicture() {
    plat::ResizeBox(view::Picture1(), LoadedImage.Width, LoadedImage.Height);
    DrawImage(view::Picture1(), LoadedImage);
}

void DrawImage(plat::PictureBox& box, const core::ImageBuffer& image) {
    // The BITMAPINFO is kept between calls, as the colour table can be large.
    static std::uint8_t info[40 + 1024];
    std::memset(info, 0, 40);
    core::PutU32(info, 40);
    core::PutU32(info + 4, std::uint32_t(image.Width));
    core::PutU32(info + 8, std::uint32_t(-image.Height));  // negative: top row first
    core::PutU16(info + 12, 1);
    core::PutU16(info + 14, image.BitsPerPixel);
    if (image.BitsPerPixel == 8) {
        for (std::size_t i = 0; i < 256 && i < image.Palette.size(); ++i) {
            info[40 + i * 4] = image.Palette[i].Blue;
            info[40 + i * 4 + 1] = image.Palette[i].Green;
            info[40 + i * 4 + 2] = image.Palette[i].Red;
            info[40 + i * 4 + 3] = image.Palette[i].Reserved;
        }
    }
    if (image.Width <= 0 || image.Height <= 0) return;
    const std::size_t depth = image.BitsPerPixel == 24 ? 3 : image.BitsPerPixel == 8 ? 1 : 0;
    if (depth == 0) return;
    const std::size_t rowBytes = std::size_t(image.Width) * depth;
    const std::size_t padded = (rowBytes + 3) & ~std::size_t(3);
    if (image.Pixels.size() < rowBytes * std::size_t(image.Height)) return;
    if (padded == rowBytes) {
        plat::DrawDIBits(box, image.Width, image.Height, image.Pixels.data(), info);
        return;
    }
    // A DIB's rows start at multiples of 4 bytes: draw from padded rows, so
    // that the drawing never reads past the end of Pixels.
    std::vector<std::uint8_t> rows(padded * std::size_t(image.Height), 0);
    for (std::size_t y = 0; y < std::size_t(image.Height); ++y)
        std::memcpy(rows.data() + y * padded, image.Pixels.data() + y * rowBytes, rowBytes);
    plat::DrawDIBits(box, image.Width, image.Height, rows.data(), info);
}

}  // namespace vellix
