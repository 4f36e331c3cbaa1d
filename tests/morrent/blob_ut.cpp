// The placeholder pack as it ships.
#include <gtest/gtest.h>

#include <set>

#include "core/image.h"
#include "patcher/placeholders.h"
#include "tests/morrent/fixture.h"

using namespace morrenttest;

namespace {

TEST(PlaceholderPack, EveryPieceIsA512PictureFillingItsPieceExactly) {
    const auto blob = testsupport::ReadBytes(SourceBlob());
    ASSERT_EQ(blob.size(), 3272299u);
    testsupport::TempDir dir;
    std::set<std::vector<std::uint8_t>> distinct;
    for (int piece = 1; piece <= 29; ++piece) {
        const auto begin = blob.begin() + morrent::kPieceStarts[std::size_t(piece - 1)];
        const auto end = blob.begin() + morrent::kPieceStarts[std::size_t(piece)];
        // A baseline JPEG: start marker, a baseline frame, the end marker, and
        // only padding behind it.
        ASSERT_EQ(begin[0], 0xFF);
        ASSERT_EQ(begin[1], 0xD8);
        const std::vector<std::uint8_t> sof0 = {0xFF, 0xC0};
        EXPECT_NE(std::search(begin, end, sof0.begin(), sof0.end()), end) << piece;
        const std::vector<std::uint8_t> eoi = {0xFF, 0xD9};
        auto last = std::find_end(begin, end, eoi.begin(), eoi.end());
        ASSERT_NE(last, end) << piece;
        EXPECT_TRUE(std::all_of(last + 2, end, [](std::uint8_t b) { return b == 0; })) << piece;

        testsupport::WriteBytes(dir / "piece.jpg", std::vector<std::uint8_t>(begin, end));
        plat::PictureBox box;
        plat::LoadPicture(box, dir / "piece.jpg");
        EXPECT_EQ(plat::BoxInnerWidth(box), 512) << piece;
        EXPECT_EQ(plat::BoxInnerHeight(box), 512) << piece;
        core::ImageBuffer image;
        core::CaptureImage(box, image);
        distinct.insert(image.Pixels);
    }
    EXPECT_EQ(distinct.size(), 29u);
}

TEST(PlaceholderPack, ReadPlaceholderTakesEachPieceFromTheCurrentFolder) {
    testsupport::TempDir dir;
    const auto previous = fs::current_path();
    fs::copy_file(SourceBlob(), dir.path() / "blob.blb");
    fs::current_path(dir.path());
    morrent::ReadPlaceholder(1);
    EXPECT_EQ(morrent::PlaceholderBytes.size(), 75342u);
    morrent::ReadPlaceholder(29);
    EXPECT_EQ(morrent::PlaceholderBytes.size(), 3272299u - 2485813u);
    EXPECT_EQ(morrent::PlaceholderBytes[0], 0xFF);
    fs::current_path(previous);
}

}  // namespace
