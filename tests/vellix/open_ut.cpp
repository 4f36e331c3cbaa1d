#include <gtest/gtest.h>

#include "core/image.h"
#include "core/scaling.h"
#include "inserter/view.h"
#include "tests/vellix/fixture.h"
#include "tools/pictures/jpegwrite.h"

using namespace vellixtest;
using testsupport::WriteBytes;

namespace {

const std::string kWrongSize = "Skin file isn't 512x512!";

std::vector<std::uint8_t> Tga(int type, int bits, int w, int h, bool fill = true) {
    std::vector<std::uint8_t> b(18, 0);
    b[2] = std::uint8_t(type);
    b[12] = std::uint8_t(w), b[13] = std::uint8_t(w >> 8), b[14] = std::uint8_t(h), b[15] = std::uint8_t(h >> 8);
    b[16] = std::uint8_t(bits);
    if (fill && w > 0 && h > 0) {
        // File rows bottom row first: the file's pixel order flipped.
        auto top = testsupport::PatternPixels(w, h);
        for (int y = h - 1; y >= 0; --y)
            b.insert(b.end(), top.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(w) * 3),
                     top.begin() + std::ptrdiff_t(std::size_t(y + 1) * std::size_t(w) * 3));
    }
    return b;
}

class Open : public VellixTest {
protected:
    void SetUp() override {
        VellixTest::SetUp();
        MakeGame();
        Started();
    }
    void Choose(const std::string& path) {
        pv::DialogChoices.push_back(path);
        ASSERT_TRUE(vellix::RunCommand(vellix::FileOpen));
    }
    void ExpectLoaded(const std::vector<std::uint8_t>* exactPixels) {
        EXPECT_TRUE(portable::Messages().empty()) << (Texts().empty() ? "" : Texts()[0]);
        EXPECT_EQ(vellix::LoadedImage.BitsPerPixel, 24);
        EXPECT_EQ(vellix::LoadedImage.Width, 512);
        EXPECT_EQ(vellix::LoadedImage.Height, 512);
        if (exactPixels) {
            EXPECT_EQ(vellix::LoadedImage.Pixels, *exactPixels);
        }
        EXPECT_EQ(vellix::WorkImage.Pixels, vellix::LoadedImage.Pixels);
        EXPECT_EQ(pv::StatusText, "Texture Loaded ready to insert");
        EXPECT_TRUE(portable::HasPicture(vellix::view::Picture1()));
        EXPECT_EQ(plat::BoxInnerWidth(vellix::view::Picture1()), 512);
        // The preview shows the loaded picture, top row at the top.
        core::ImageBuffer shown;
        core::CaptureImage(vellix::view::Picture1(), shown);
        core::FlipImage(shown);
        EXPECT_EQ(shown.Pixels, vellix::LoadedImage.Pixels);
    }
};

TEST_F(Open, AcceptsA512PictureOfEachKind) {
    const auto pixels = testsupport::PatternPixels(512, 512);
    WriteBytes(dir / "skin.bmp", testsupport::Bmp24(512, 512, pixels));
    Choose(dir / "skin.bmp");
    ExpectLoaded(&pixels);
    EXPECT_EQ(pv::DialogsShown.back().title, "Open 512x512 Skin");
    EXPECT_EQ(pv::DialogsShown.back().filter,
              "All Formats|*.bmp;*.tga;*.jpg|*.bmp Windows Bitmap|*.bmp|*.jpg Jpeg File|*.jpg|*.tga Targa File|*.tga");
    EXPECT_EQ(pv::DialogsShown.back().defaultExtension, "*.bmp;*.tga;*.jpg");
    EXPECT_EQ(pv::DialogsShown.back().flags, 6148u);

    SetUp();
    WriteBytes(dir / "skin.tga", Tga(2, 24, 512, 512));
    Choose(dir / "skin.tga");
    ExpectLoaded(&pixels);  // stored bottom row first, shown upright

    SetUp();
    std::vector<std::uint8_t> rgb(512 * 512 * 3, 90);
    WriteBytes(dir / "Skin.JPG", pictures::EncodeJpeg(512, 512, rgb, 90));
    Choose(dir / "Skin.JPG");
    ExpectLoaded(nullptr);
    EXPECT_NEAR(vellix::LoadedImage.Pixels[0], 90, 3);

    SetUp();
    // The kind is the last three letters of the path: "notabmp" goes to the loader.
    WriteBytes(dir / "notabmp", testsupport::Bmp24(512, 512, pixels));
    Choose(dir / "notabmp");
    ExpectLoaded(&pixels);
}

TEST_F(Open, RefusesEveryOtherPicture) {
    const auto bmp512 = testsupport::Bmp24(512, 512, testsupport::PatternPixels(512, 512));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::string message;
        bool emptiesPixels;
    } cases[] = {
        {"small.bmp", testsupport::Bmp24(256, 256, testsupport::PatternPixels(256, 256)), kWrongSize, true},
        {"skin.jpeg", bmp512, "Unsupported format!", false},
        {"skin.png", bmp512, "Unsupported format!", false},
        {"rle.tga", Tga(10, 24, 512, 512), "Targa file must be 24-bit Uncompressed!", false},
        {"deep.tga", Tga(2, 32, 512, 512), "Targa file must be 24-bit Uncompressed!", false},
        {"wide.tga", Tga(2, 24, 3, 2), kWrongSize, true},  // drawn first, rows not a multiple of 4
        {"zero.tga", Tga(2, 24, 0, 512), kWrongSize, true},
        {"negative.tga", Tga(2, 24, 512, 0x8200, false), kWrongSize, true},
        {"huge.tga", Tga(2, 24, 32767, 32767, false), kWrongSize, true},
        {"broken.bmp", std::vector<std::uint8_t>(bmp512.begin(), bmp512.begin() + 40), "This picture file can't be read!", false},
        {"text.jpg", {'n', 'o', 'p', 'e'}, "This picture file can't be read!", false},
    };
    const auto good = testsupport::PatternPixels(512, 512);
    for (const Case& c : cases) {
        SetUp();
        WriteBytes(dir / "good.bmp", bmp512);
        Choose(dir / "good.bmp");  // a refusal after a success
        portable::Messages().clear();
        WriteBytes(dir / c.name, c.bytes);
        Choose(dir / c.name);
        EXPECT_EQ(Texts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(portable::Messages()[0].style, 0u);
        EXPECT_EQ(portable::Messages()[0].title, "Vellix");
        EXPECT_EQ(vellix::LoadedImage.BitsPerPixel, 0) << c.name;
        EXPECT_EQ(vellix::LoadedImage.Pixels.empty(), c.emptiesPixels) << c.name;
        EXPECT_EQ(vellix::WorkImage.Pixels, good) << c.name;  // the accepted picture stays there
        EXPECT_FALSE(portable::HasPicture(vellix::view::Picture1())) << c.name;
        EXPECT_EQ(pv::StatusText, "Texture Loaded ready to insert") << c.name;
    }
}

TEST_F(Open, MissingFileIsRefusedToo) {
    Choose(dir / "gone.tga");
    EXPECT_EQ(Texts(), std::vector<std::string>{"This picture file can't be read!"});
    Choose(dir / "gone.bmp");
    EXPECT_EQ(vellix::LoadedImage.BitsPerPixel, 0);
}

TEST_F(Open, CancelChangesNothing) {
    const auto pixels = testsupport::PatternPixels(512, 512);
    WriteBytes(dir / "skin.bmp", testsupport::Bmp24(512, 512, pixels));
    Choose(dir / "skin.bmp");
    pv::DialogChoices.push_back(std::nullopt);
    ASSERT_TRUE(vellix::RunCommand(vellix::FileOpen));
    ExpectLoaded(&pixels);
}

}  // namespace
