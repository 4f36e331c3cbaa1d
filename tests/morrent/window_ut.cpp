#include <gtest/gtest.h>

#include "tests/morrent/fixture.h"

using namespace morrenttest;
using testsupport::ReadBytes;

namespace {

// A picture from rows of characters: "m" magenta, anything else a colour.
plat::RegionHandle RegionOf(const std::vector<std::string>& rows, plat::PictureBox& box) {
    const int w = int(rows[0].size()), h = int(rows.size());
    std::vector<std::uint8_t> pixels;
    for (const auto& row : rows)
        for (char c : row) {
            if (c == 'm') pixels.insert(pixels.end(), {255, 0, 255});
            else pixels.insert(pixels.end(), {10, std::uint8_t(c), 200});
        }
    portable::SetBoxPicture(box, w, h, pixels);
    return morrent::MakeWindowRegion(box);
}

TEST(MakeWindowRegion, OneRectanglePerRunAndEveryMergedRegionDeleted) {
    plat::PictureBox box;
    const int live = portable::LiveRegions;
    EXPECT_EQ(RegionOf({"mmmm", "mmmm"}, box), 0u);
    EXPECT_EQ(portable::LiveRegions, live);

    plat::RegionHandle full = RegionOf({"abcd"}, box);
    ASSERT_NE(full, 0u);
    ASSERT_EQ(portable::RegionRects(full).size(), 1u);
    EXPECT_EQ(portable::RegionRects(full)[0].left, 0);
    EXPECT_EQ(portable::RegionRects(full)[0].right, 4);
    plat::DeleteRegion(full);

    // Magenta 0xFF00FF only: a near-magenta pixel ("n" would be 255,110,10?) is kept.
    plat::RegionHandle split = RegionOf({"aammbmab", "mmmmmmmm", "xmmmmmmm"}, box);
    const auto& rects = portable::RegionRects(split);
    ASSERT_EQ(rects.size(), 4u);
    const int expected[4][4] = {{0, 0, 2, 1}, {4, 0, 5, 1}, {6, 0, 8, 1}, {0, 2, 1, 3}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rects[i].left, expected[i][0]);
        EXPECT_EQ(rects[i].top, expected[i][1]);
        EXPECT_EQ(rects[i].right, expected[i][2]);
        EXPECT_EQ(rects[i].bottom, expected[i][3]);
    }
    EXPECT_EQ(portable::LiveRegions, live + 1);  // only the result is left
    plat::DeleteRegion(split);
}

TEST(HotSpots, BoundsAreInclusiveAndTestedInOrder) {
    using morrent::HotSpot;
    struct Case {
        double x, y;
        HotSpot spot;
    } cases[] = {
        {240, 90, HotSpot::Patch},    {315, 110, HotSpot::Patch},   {239, 100, HotSpot::Drag},
        {316, 100, HotSpot::Drag},    {250, 115, HotSpot::Drag},    {230, 120, HotSpot::Restore},
        {325, 140, HotSpot::Restore}, {245, 155, HotSpot::Quit},    {310, 175, HotSpot::Quit},
        {244, 160, HotSpot::Drag},    {0, 0, HotSpot::Drag},        {315.5, 100, HotSpot::Drag},
    };
    for (const Case& c : cases) EXPECT_EQ(morrent::HitTest(c.x, c.y), c.spot) << c.x << "," << c.y;
}

using Window = MorrentTest;

TEST_F(Window, PressesDuringAPassStartNothingAndQuitDoesNotClose) {
    gamegen::WriteGame(game, {});
    ASSERT_TRUE(Start());
    bool quitClosed = true;
    int pressesSeen = 0;
    portable::OnPendingMessages = [&] {
        if (pressesSeen++ != 10) return;
        EXPECT_TRUE(morrent::MouseDown(250, 100));  // PATCH
        EXPECT_TRUE(morrent::MouseDown(260, 130));  // RESTORE
        quitClosed = !morrent::MouseDown(260, 165); // QUIT
        morrent::MouseDown(5, 5);                   // a drag still works
    };
    portable::Answers().push_back(plat::kIdYes);
    ASSERT_TRUE(morrent::MouseDown(250, 100));
    EXPECT_FALSE(quitClosed);
    EXPECT_EQ(Texts().size(), 2u);  // the question and "Done!" only
    EXPECT_EQ(pv::Drags, 1);
    EXPECT_FALSE(morrent::PassRunning);
    EXPECT_FALSE(morrent::MouseDown(260, 165));  // QUIT when idle closes
}

TEST_F(Window, StartupTestsTempThenTheGame) {
    gamegen::WriteGame(game, {});
    ASSERT_TRUE(Start());
    EXPECT_EQ(pv::Caption, "Morrent [2.0.0]");
    EXPECT_EQ(morrent::TempSep, "\\");
    EXPECT_EQ(portable::RemovedFiles, std::vector<std::string>{(dir / "temp") + "\\test.out"});

    struct Case {
        std::string temp, sep;
        morrent::StartResult result;
    } cases[] = {
        {(dir / "temp") + "\\", "", morrent::StartResult::Ready},
        {"", "\\", morrent::StartResult::Ready},  // "\test.out": the current drive's root
        {dir / "no/such/folder", "\\", morrent::StartResult::EndNow},
    };
    for (const Case& c : cases) {
        portable::Messages().clear();
        setenv("TEMP", c.temp.c_str(), 1);
        EXPECT_EQ(morrent::Startup(), c.result) << c.temp;
        EXPECT_EQ(morrent::TempSep, c.sep) << c.temp;
        if (c.result == morrent::StartResult::EndNow) {
            ASSERT_EQ(portable::Messages().size(), 1u);
            EXPECT_EQ(portable::Messages()[0].text, "Your Temp path is invalid!\nFix it!");
            EXPECT_EQ(portable::Messages()[0].title, c.temp);
            EXPECT_EQ(portable::Messages()[0].style, 0u);
        }
    }
    EXPECT_FALSE(fs::exists(dir.path() / "drives" / "c" / "test.out"));

    setenv("TEMP", (dir / "temp").c_str(), 1);
    portable::ClearRegistry();
    portable::Messages().clear();
    EXPECT_EQ(morrent::Startup(), morrent::StartResult::CloseWindow);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Problem getting Mechwarrior Path!"});
}

TEST_F(Window, RestoreChecksBothBackupsFirst) {
    gamegen::WriteGame(game, {});
    ASSERT_TRUE(Start());
    const auto textures = ReadBytes(Resource("textures.mw4"));
    const std::string prefix = core::MechPath + core::MechSep;
    EXPECT_TRUE(morrent::MouseDown(260, 130));
    EXPECT_EQ(Texts(), std::vector<std::string>{prefix + "textures.mw4b is missing can't restore!"});
    testsupport::WriteBytes(Resource("textures.mw4b"), {1, 2});
    portable::Messages().clear();
    EXPECT_TRUE(morrent::MouseDown(260, 130));
    EXPECT_EQ(Texts(), std::vector<std::string>{prefix + "props.mw4b is missing can't restore!"});
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);  // nothing restored alone

    testsupport::WriteBytes(Resource("props.mw4b"), {3});
    portable::Messages().clear();
    portable::Answers().push_back(plat::kIdNo);
    EXPECT_TRUE(morrent::MouseDown(260, 130));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Restore from backup?"});
    EXPECT_EQ(portable::Messages()[0].style, 52u);
    EXPECT_EQ(portable::Messages()[0].title, "Are you sure?");
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);

    portable::Answers().push_back(plat::kIdYes);
    EXPECT_TRUE(morrent::MouseDown(260, 130));
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(ReadBytes(Resource("props.mw4")), (std::vector<std::uint8_t>{3}));
    EXPECT_TRUE(fs::exists(Resource("props.mw4b")));
    for (const auto& copy : portable::ShellCopies()) EXPECT_EQ(copy.title, std::string("Backing Up\0\0", 12));
}

}  // namespace
