// The portable picture loader and the capture of a picture box.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/error.h"
#include "core/image.h"
#include "core/platform_portable.h"
#include "core/scaling.h"
#include "tools/pictures/jpegwrite.h"
#include "tests/support/picture.h"
#include "tests/support/testdir.h"

using namespace core;
using testsupport::TempDir;

namespace {

using testsupport::Captured;

TEST(PictureLoader, BmpIsCapturedPixelExactTopRowFirstAfterFlip) {
    for (auto [w, h] : {std::pair{512, 512}, std::pair{5, 3}, std::pair{7, 2}}) {
        TempDir dir;
        const auto pixels = testsupport::PatternPixels(w, h);
        testsupport::WriteBytes(dir / "a.bmp", testsupport::Bmp24(w, h, pixels));
        ImageBuffer image = Captured(dir / "a.bmp");
        EXPECT_EQ(image.Width, w);
        EXPECT_EQ(image.Height, h);
        EXPECT_EQ(image.BitsPerPixel, 24);
        EXPECT_EQ(image.Pixels, pixels) << w << "x" << h;  // rows not a multiple of 4 are repacked
    }
}

TEST(PictureLoader, JpegIsRecognisedByContentWhateverTheName) {
    TempDir dir;
    // Flat colour blocks survive JPEG coding almost exactly.
    std::vector<std::uint8_t> rgb(512 * 512 * 3);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            std::uint8_t* p = rgb.data() + (std::size_t(y) * 512 + std::size_t(x)) * 3;
            p[0] = x < 256 ? 200 : 20;   // red
            p[1] = y < 256 ? 100 : 180;  // green
            p[2] = 40;                   // blue
        }
    testsupport::WriteBytes(dir / "picture.bmp", pictures::EncodeJpeg(512, 512, rgb, 95));
    ImageBuffer image = Captured(dir / "picture.bmp");
    ASSERT_EQ(image.Width, 512);
    ASSERT_EQ(image.Height, 512);
    // Top-left pixel: blue, green, red.
    EXPECT_NEAR(image.Pixels[0], 40, 4);
    EXPECT_NEAR(image.Pixels[1], 100, 4);
    EXPECT_NEAR(image.Pixels[2], 200, 4);
    const std::uint8_t* bottomRight = image.Pixels.data() + (511 * 512 + 511) * 3;
    EXPECT_NEAR(bottomRight[1], 180, 4);
    EXPECT_NEAR(bottomRight[2], 20, 4);
}

TEST(PictureLoader, AnythingElseIsAnInvalidPicture) {
    TempDir dir;
    std::vector<std::uint8_t> bmp = testsupport::Bmp24(4, 4, testsupport::PatternPixels(4, 4));
    std::vector<std::uint8_t> jpeg = pictures::EncodeJpeg(8, 8, std::vector<std::uint8_t>(192, 9), 80);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"TGA", {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3}},
        {"BMP cut short", std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 30)},
        {"JPEG cut short", std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 20)},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
    };
    for (const Case& c : cases) {
        testsupport::WriteBytes(dir / "x.jpg", c.bytes);
        plat::PictureBox box;
        try {
            plat::LoadPicture(box, dir / "x.jpg");
            ADD_FAILURE() << c.what;
        } catch (const Error& e) {
            EXPECT_EQ(e.number, err::InvalidPicture) << c.what;
        }
        EXPECT_FALSE(plat::portable::HasPicture(box)) << c.what;
    }
    plat::PictureBox box;
    EXPECT_THROW(plat::LoadPicture(box, dir / "missing.bmp"), Error);
}

}  // namespace
