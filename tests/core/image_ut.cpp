#include "core/image.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "tests/support/testdir.h"

using namespace core;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

ImageBuffer Picture(int w, int h) {
    ImageBuffer image;
    image.Width = w;
    image.Height = h;
    image.BitsPerPixel = 24;
    image.Pixels = testsupport::PatternPixels(w, h);
    return image;
}

std::vector<std::uint8_t> TgaFile(int type, int bits, int w, int h, const std::vector<std::uint8_t>& rows,
                                  std::uint8_t idLength = 0, std::uint8_t descriptor = 0) {
    std::vector<std::uint8_t> b(18 + rows.size(), 0);
    b[0] = idLength;
    b[2] = std::uint8_t(type);
    b[12] = std::uint8_t(w), b[13] = std::uint8_t(w >> 8);
    b[14] = std::uint8_t(h), b[15] = std::uint8_t(h >> 8);
    b[16] = std::uint8_t(bits);
    b[17] = descriptor;
    std::copy(rows.begin(), rows.end(), b.begin() + 18);
    return b;
}

TEST(SaveTGA, TwoByTwoGivesTheThirtyBytesOfTheFormat) {
    TempDir dir;
    ImageBuffer image = Picture(2, 2);
    SaveTGA(dir / "a.tga", image);
    std::vector<std::uint8_t> expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 0x18, 0x20};
    expected.insert(expected.end(), image.Pixels.begin(), image.Pixels.end());
    EXPECT_EQ(ReadBytes(dir / "a.tga"), expected);
}

TEST(SaveTGA, ReplacesALongerFileWhole) {
    TempDir dir;
    WriteBytes(dir / "a.tga", std::vector<std::uint8_t>(5000, 0x77));
    SaveTGA(dir / "a.tga", Picture(4, 3));
    EXPECT_EQ(ReadBytes(dir / "a.tga").size(), 18u + 4 * 3 * 3);
}

TEST(SaveTGA, SizesBeyondInt16AreAnOverflow) {
    TempDir dir;
    ImageBuffer image;
    image.Width = 40000;
    image.Height = 1;
    image.BitsPerPixel = 24;
    try {
        SaveTGA(dir / "a.tga", image);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, err::Overflow);
    }
}

TEST(SaveTGA, EightBitPicturesExpandThroughThePalette) {
    TempDir dir;
    ImageBuffer image;
    image.Width = 3;
    image.Height = 2;
    image.BitsPerPixel = 8;
    image.Palette.resize(256);
    image.Palette[1] = {10, 20, 30, 0};
    image.Palette[2] = {40, 50, 60, 0};
    image.Pixels = {1, 2, 1, 2, 2, 0};
    SaveTGA(dir / "a.tga", image);
    auto bytes = ReadBytes(dir / "a.tga");
    ASSERT_EQ(bytes.size(), 18u + 18);
    EXPECT_EQ(bytes[16], 24);
    std::vector<std::uint8_t> rows(bytes.begin() + 18, bytes.end());
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{10, 20, 30, 40, 50, 60, 10, 20, 30,  //
                                               40, 50, 60, 40, 50, 60, 0, 0, 0}));
}

TEST(IsTGA24, LooksOnlyAtTypeAndDepth) {
    struct Case {
        int type, bits;
        std::uint8_t idLength, descriptor;
        bool expected;
    } cases[] = {
        {2, 24, 0, 0, true}, {2, 24, 9, 0x28, true}, {10, 24, 0, 0, false},
        {2, 32, 0, 0, false}, {1, 8, 0, 0, false},   {3, 24, 0, 0, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir / "a.tga", TgaFile(c.type, c.bits, 1, 1, {1, 2, 3}, c.idLength, c.descriptor));
        EXPECT_EQ(IsTGA24(dir / "a.tga"), c.expected) << c.type << "/" << c.bits;
    }
}

TEST(IsTGA24, ShortFileIsFalseAndMissingFileRaises) {
    TempDir dir;
    WriteBytes(dir / "short.tga", {0, 0, 2, 0, 0});
    EXPECT_FALSE(IsTGA24(dir / "short.tga"));
    EXPECT_THROW(IsTGA24(dir / "missing.tga"), Error);
    ImageBuffer image;
    EXPECT_THROW(LoadTGA(dir / "missing.tga", image), Error);
}

TEST(LoadTGA, FirstFileRowBecomesLastBufferRow) {
    TempDir dir;
    // Rows in the file: (1,2,3 4,5,6) then (7,8,9 10,11,12).
    WriteBytes(dir / "a.tga", TgaFile(2, 24, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0, 0x20));
    ImageBuffer image;
    image.Palette.resize(256);
    LoadTGA(dir / "a.tga", image);
    EXPECT_EQ(image.Width, 2);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.BitsPerPixel, 24);
    EXPECT_TRUE(image.Palette.empty());
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
    // Saved again, the rows come out in the opposite file order.
    SaveTGA(dir / "b.tga", image);
    auto b = ReadBytes(dir / "b.tga");
    EXPECT_EQ(b[17], 0x20);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 18, b.end()),
              (std::vector<std::uint8_t>{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
}

TEST(LoadTGA, OneRowPictureIsTheFilesPixels) {
    TempDir dir;
    WriteBytes(dir / "a.tga", TgaFile(2, 24, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    ImageBuffer image;
    LoadTGA(dir / "a.tga", image);
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(LoadTGA, RowsBeyondTheEndOfAShortFileAreZero) {
    TempDir dir;
    // Three rows declared, one and a third stored: the file's rows fill the
    // buffer from the bottom.
    WriteBytes(dir / "a.tga", TgaFile(2, 24, 1, 3, {1, 2, 3, 4}));
    ImageBuffer image;
    LoadTGA(dir / "a.tga", image);
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{0, 0, 0, 4, 0, 0, 1, 2, 3}));
}

TEST(LoadTGA, RefusedHeadersLeaveTheBufferUntouched) {
    struct Case {
        const char* what;
        int type, bits, w, h;
    } cases[] = {
        {"run-length encoded", 10, 24, 2, 2}, {"32 bits", 2, 32, 2, 2},
        {"zero width", 2, 24, 0, 5},          {"negative height", 2, 24, 4, 0x8000},
        {"pixels beyond any picture", 2, 24, 32767, 32767},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir / "a.tga", TgaFile(c.type, c.bits, c.w, c.h, {1, 2, 3}));
        ImageBuffer image = Picture(2, 1);
        image.Palette.resize(3);
        const ImageBuffer before = image;
        LoadTGA(dir / "a.tga", image);
        EXPECT_EQ(image.Width, before.Width) << c.what;
        EXPECT_EQ(image.Height, before.Height) << c.what;
        EXPECT_EQ(image.BitsPerPixel, before.BitsPerPixel) << c.what;
        EXPECT_EQ(image.Palette.size(), before.Palette.size()) << c.what;
        EXPECT_EQ(image.Pixels, before.Pixels) << c.what;
    }
}

TEST(WriteTGA, ChangesExactlyItsBytesAtTheCurrentPosition) {
    TempDir dir;
    const std::string path = dir / "archive";
    std::vector<std::uint8_t> original(200);
    for (std::size_t i = 0; i < original.size(); ++i) original[i] = std::uint8_t(i);
    WriteBytes(path, original);
    ImageBuffer image = Picture(3, 2);
    {
        BinFile file(path, OpenMode::ReadWrite);
        file.Seek(50);
        WriteTGA(file, image);
        EXPECT_EQ(file.Tell(), 50u + 18 + 18);
        file.Close();
    }
    auto after = ReadBytes(path);
    ASSERT_EQ(after.size(), original.size());
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 50, original.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 86, after.end(), original.begin() + 86));
    EXPECT_EQ(after[52], 2);
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + 68, after.begin() + 86), image.Pixels);
}

}  // namespace
