#include "core/scaling.h"

#include <gtest/gtest.h>

#include "tests/support/testdir.h"

using namespace core;

namespace {

ImageBuffer Picture(int w, int h, std::uint8_t bits = 24) {
    ImageBuffer image;
    image.Width = w;
    image.Height = h;
    image.BitsPerPixel = bits;
    const std::size_t bpp = bits == 24 ? 3 : bits == 8 ? 1 : bits / 8;
    image.Pixels.resize(std::size_t(w) * std::size_t(h) * bpp);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = std::uint8_t(i * 7 + 1);
    return image;
}

const std::uint8_t* PixelAt(const ImageBuffer& image, int x, int y) {
    return image.Pixels.data() + (std::size_t(y) * std::size_t(image.Width) + std::size_t(x)) * 3;
}

TEST(FlipImage, ReversesRowsAndTwiceGivesTheStart) {
    ImageBuffer image = Picture(2, 3);
    const ImageBuffer start = image;
    FlipImage(image);
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(std::equal(PixelAt(image, 0, y), PixelAt(image, 0, y) + 6, PixelAt(start, 0, 2 - y)));
    FlipImage(image);
    EXPECT_EQ(image.Pixels, start.Pixels);
}

TEST(FlipImage, EightBitMovesIndicesOnlyAndOtherDepthsAreUntouched) {
    ImageBuffer eight = Picture(3, 2, 8);
    eight.Palette.resize(256, PaletteEntry{1, 2, 3, 4});
    FlipImage(eight);
    EXPECT_EQ(eight.Pixels, (std::vector<std::uint8_t>{22, 29, 36, 1, 8, 15}));
    EXPECT_EQ(eight.Palette[255].Red, 3);
    for (std::uint8_t bits : {std::uint8_t(16), std::uint8_t(32)}) {
        ImageBuffer image = Picture(2, 2, bits);
        const auto before = image.Pixels;
        FlipImage(image);
        EXPECT_EQ(image.Pixels, before) << int(bits);
    }
}

TEST(ResizeImage, PowerOfTwoReductionsSampleTheTopLeftOfEachCell) {
    const ImageBuffer source = [] {
        ImageBuffer image;
        image.Width = image.Height = 512;
        image.BitsPerPixel = 24;
        image.Pixels = testsupport::PatternPixels(512, 512);
        return image;
    }();
    for (int side : {256, 128, 64, 32, 16}) {
        ImageBuffer image = source;
        ResizeImage(image, side, side);
        ASSERT_EQ(image.Width, side);
        ASSERT_EQ(image.Height, side);
        ASSERT_EQ(image.Pixels.size(), std::size_t(side * side * 3));
        const int k = 512 / side;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_TRUE(std::equal(PixelAt(image, x, y), PixelAt(image, x, y) + 3,
                                       PixelAt(source, k * x, k * y)))
                    << side << ": " << x << "," << y;
    }
}

TEST(ResizeImage, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        int from, to;
        std::vector<int> columns;
    } cases[] = {
        {3, 2, {0, 2}},        // 1.5 rounds to 2
        {5, 2, {0, 2}},        // 2.5 rounds to 2
        {7, 2, {0, 4}},        // 3.5 rounds to 4
        {4, 4, {0, 1, 2, 3}},  // own size: identical
    };
    for (const Case& c : cases) {
        ImageBuffer image = Picture(c.from, 1);
        const ImageBuffer source = image;
        ResizeImage(image, c.to, 1);
        ASSERT_EQ(image.Width, c.to);
        for (int x = 0; x < c.to; ++x)
            EXPECT_TRUE(std::equal(PixelAt(image, x, 0), PixelAt(image, x, 0) + 3,
                                   PixelAt(source, c.columns[std::size_t(x)], 0)))
                << c.from << "->" << c.to << " column " << x;
    }
}

TEST(ResizeImage, EightBitScalesIndices) {
    ImageBuffer image = Picture(4, 2, 8);
    ResizeImage(image, 2, 1);
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{1, 15}));
}

TEST(ResizeImage, SourcesPastTheEndAreSkippedAndStayZero) {
    // Width 2 to 5: column 4 samples R(1.6) = 2, the first pixel of the next
    // row, which on the last row lies past the end of Pixels.
    ImageBuffer image = Picture(2, 2);
    const ImageBuffer source = image;
    ResizeImage(image, 5, 2);
    EXPECT_TRUE(std::equal(PixelAt(image, 4, 0), PixelAt(image, 4, 0) + 3, PixelAt(source, 0, 1)));
    EXPECT_EQ(std::vector<std::uint8_t>(PixelAt(image, 4, 1), PixelAt(image, 4, 1) + 3),
              (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(ResizeImage, OtherDepthsAndImpossibleSizesChangeNothing) {
    ImageBuffer image = Picture(4, 4, 32);
    const auto before = image.Pixels;
    ResizeImage(image, 2, 2);
    EXPECT_EQ(image.Width, 4);
    EXPECT_EQ(image.Pixels, before);
    ImageBuffer picture = Picture(4, 4);
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, -1}, std::pair{40000, 40000}}) {
        ImageBuffer copy = picture;
        ResizeImage(copy, w, h);
        EXPECT_EQ(copy.Width, 4);
        EXPECT_EQ(copy.Pixels, picture.Pixels);
    }
}

}  // namespace
