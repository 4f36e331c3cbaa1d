#include <gtest/gtest.h>

#include "core/image.h"
#include "core/scaling.h"
#include "inserter/vellix.h"
#include "patcher/placeholders.h"
#include "tests/morrent/fixture.h"

using namespace morrenttest;
using testsupport::ReadBytes;

namespace {

const std::string kQuestion =
    "This program is going to patch the Mechwarrior4 Vengeance files to allow quick skinning.\n"
    "The program will backup the current files into a *.mw4b file for restoration.  This backup\n"
    "will require 250 Megabytes free on the drive that Mechwarrior4 Vengeance is installed.\n"
    "This is an unauthorized patch and is not supported by Microsoft or the Mech4 team.\n"
    "Install this patch at your own risk.\n"
    "Do you wish to continue to patch?";

// The skin a directory name stands for: slot and side (0 when none of slots 9..37).
std::pair<int, int> SkinOf(const std::string& name) {
    for (int slot = 9; slot <= 37; ++slot) {
        for (int m = 0; m < 6; ++m)
            if (core::NameMatches(name, core::SkinTextureName(slot, m))) return {slot, 512 >> m};
        if (core::NameMatches(name, core::LobbySkinName(slot))) return {slot, 32};
    }
    return {0, 0};
}

// The placeholder picture of a slot as the loader delivers it, top row first.
std::vector<std::uint8_t> Placeholder(int slot, const testsupport::TempDir& dir) {
    const auto blob = ReadBytes(SourceBlob());
    const int piece = slot - 8;
    std::vector<std::uint8_t> bytes(blob.begin() + morrent::kPieceStarts[std::size_t(piece - 1)],
                                    blob.begin() + morrent::kPieceStarts[std::size_t(piece)]);
    testsupport::WriteBytes(dir / "piece.jpg", bytes);
    plat::PictureBox box;
    plat::LoadPicture(box, dir / "piece.jpg");
    core::ImageBuffer image;
    core::CaptureImage(box, image);
    core::FlipImage(image);
    return image.Pixels;
}

class Patching : public MorrentTest {
public:
    // The patched layout of one archive against its backup.
    void ExpectPatched(const std::string& name, std::map<int, std::vector<std::uint8_t>>* mip0 = nullptr) {
        const auto archive = ReadBytes(Resource(name));
        const auto backup = ReadBytes(Resource(name + "b"));
        core::ReadArchiveDirectory(Resource(name + "b"));
        const core::ArchiveHeader before = core::Header;
        const std::vector<core::ArchiveEntry> old = core::Directory;
        core::ReadArchiveDirectory(Resource(name));
        EXPECT_EQ(0, std::memcmp(archive.data(), backup.data(), 20)) << name << ": header";
        ASSERT_EQ(core::Directory.size(), old.size());
        std::int64_t at = std::int64_t(core::DirectoryEnd(core::Directory));
        for (std::size_t p = 0; p < old.size(); ++p) {
            const auto& e = core::Directory[p];
            const auto& o = old[p];
            EXPECT_EQ(e.Name, o.Name);
            EXPECT_EQ(e.EntryNumber, o.EntryNumber);
            EXPECT_EQ(e.OpaqueBytes, o.OpaqueBytes);
            ASSERT_EQ(core::EntryDataPosition(core::Header, e), at) << name << " entry " << p << ": not contiguous";
            const auto data = archive.begin() + at;
            at += e.StoredSize;
            const auto [slot, side] = SkinOf(e.Name);
            if (slot == 0) {
                EXPECT_EQ(e.StoredSize, o.StoredSize);
                EXPECT_EQ(e.ContentSize, o.ContentSize);
                EXPECT_TRUE(std::equal(data, data + e.StoredSize, backup.begin() + core::EntryDataPosition(before, o)))
                    << name << " entry " << p << " (" << e.Name << ") is not the backup's";
                continue;
            }
            ASSERT_EQ(e.StoredSize, 18 + side * side * 3) << e.Name;
            EXPECT_EQ(e.ContentSize, e.StoredSize);
            const std::vector<std::uint8_t> head(data, data + 18);
            EXPECT_EQ(head, (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, std::uint8_t(side),
                                                       std::uint8_t(side >> 8), std::uint8_t(side),
                                                       std::uint8_t(side >> 8), 24, 32}));
            if (!mip0) continue;
            if (!mip0->count(slot)) (*mip0)[slot] = Placeholder(slot, dir);
            const auto& source = (*mip0)[slot];
            const int k = 512 / side;
            for (int y = 0; y < side; y += 7)
                for (int x = 0; x < side; x += 5)
                    ASSERT_TRUE(std::equal(data + 18 + (y * side + x) * 3, data + 18 + (y * side + x) * 3 + 3,
                                           source.begin() + (std::ptrdiff_t(k * y) * 512 + k * x) * 3))
                        << e.Name << " pixel " << x << "," << y;
        }
        EXPECT_EQ(std::uint64_t(at), archive.size()) << name;
    }
};

TEST_F(Patching, RebuildsBothArchivesInThePatchedLayout) {
    MakeGame();
    const auto textures = ReadBytes(Resource("textures.mw4"));
    const auto props = ReadBytes(Resource("props.mw4"));
    ASSERT_TRUE(Start());
    portable::RemovedFiles.clear();  // the start-up's test.out
    ASSERT_TRUE(Patch());
    EXPECT_EQ(Texts(), (std::vector<std::string>{kQuestion, "Done!"}));
    EXPECT_EQ(portable::Messages()[0].style, 52u);
    EXPECT_EQ(portable::Messages()[0].title, "Continue to patch?");
    EXPECT_EQ(portable::Messages()[1].style, 0u);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4b")), textures);
    EXPECT_EQ(ReadBytes(Resource("props.mw4b")), props);
    std::map<int, std::vector<std::uint8_t>> mip0;
    ExpectPatched("textures.mw4", &mip0);
    ExpectPatched("props.mw4", &mip0);

    // Progress ends at 100% in both passes; afterwards the label is empty and
    // the caption is the program's again.
    const auto& r = pv::Repaints;
    EXPECT_NE(std::find(r.begin(), r.end(), "(1/2) 100%"), r.end());
    EXPECT_EQ(r[r.size() - 2], "(2/2) 100%");
    EXPECT_EQ(r.back(), "");
    EXPECT_NE(std::find(pv::Captions.begin(), pv::Captions.end(), "Patching (1/2) 37%"), pv::Captions.end());
    EXPECT_EQ(pv::Caption, "Morrent [2.0.0]");
    EXPECT_FALSE(portable::HourglassShown);
    EXPECT_GE(portable::PendingMessageRounds, 522 + 157);  // once per entry

    // Temporary pictures 1.jpg to 174.jpg, then 1.jpg to 29.jpg, all deleted.
    std::vector<std::string> expected;
    for (int j = 1; j <= 174; ++j) expected.push_back(morrent::TempPath + "\\" + std::to_string(j) + ".jpg");
    for (int j = 1; j <= 29; ++j) expected.push_back(morrent::TempPath + "\\" + std::to_string(j) + ".jpg");
    EXPECT_EQ(portable::RemovedFiles, expected);
    EXPECT_TRUE(fs::is_empty(dir.path() / "temp"));

    // Vellix's patched test passes for every slot.
    portable::Messages().clear();
    core::IndexSkins();
    EXPECT_TRUE(portable::Messages().empty());
    for (int slot = 9; slot <= 37; ++slot) {
        vellix::CurrentSlot = std::int16_t(slot);
        EXPECT_TRUE(vellix::TexturesPatched()) << slot;
        EXPECT_TRUE(vellix::PropsPatched()) << slot;
    }
}

TEST_F(Patching, ASecondRunGivesTheSameBytes) {
    MakeGame();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Patch());
    const auto textures = ReadBytes(Resource("textures.mw4"));
    const auto props = ReadBytes(Resource("props.mw4"));
    ASSERT_TRUE(Patch());
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);
    EXPECT_EQ(ReadBytes(Resource("props.mw4")), props);
    EXPECT_EQ(portable::ShellCopies().size(), 2u);  // the backups only once
}

TEST_F(Patching, NoChangesNothing) {
    MakeGame();
    const auto textures = ReadBytes(Resource("textures.mw4"));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Patch(plat::kIdNo));
    EXPECT_EQ(Texts(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);
    EXPECT_FALSE(fs::exists(Resource("textures.mw4b")));
    EXPECT_EQ(pv::Captions, std::vector<std::string>{"Morrent [2.0.0]"});
}

TEST_F(Patching, MissingFilesAreReported) {
    struct Case {
        const char* what;
        std::function<void(Patching&)> remove;
        std::vector<std::string> after;
        bool texturesPatched, propsPatched;
    } cases[] = {
        {"blob.blb", [](Patching&) { fs::remove("blob.blb"); }, {"Blob.blb is missing!"}, false, false},
        {"textures archive", [](Patching& t) { fs::remove(t.Resource("textures.mw4")); },
         {"Mechwarrior path is invalid!", "Done!"}, false, true},
        {"props archive", [](Patching& t) { fs::remove(t.Resource("props.mw4")); },
         {"Mechwarrior path is invalid!"}, true, false},
    };
    for (const Case& c : cases) {
        SetUp();
        MakeGame();
        ASSERT_TRUE(Start());
        c.remove(*this);
        ASSERT_TRUE(Patch()) << c.what;
        std::vector<std::string> texts = Texts();
        texts.erase(texts.begin());
        EXPECT_EQ(texts, c.after) << c.what;
        EXPECT_EQ(fs::exists(Resource("textures.mw4b")), c.texturesPatched) << c.what;
        EXPECT_EQ(fs::exists(Resource("props.mw4b")), c.propsPatched) << c.what;
        if (c.propsPatched) ExpectPatched("props.mw4");
        if (c.texturesPatched) ExpectPatched("textures.mw4");
        EXPECT_EQ(pv::Caption, "Morrent [2.0.0]");
        TearDown();
    }
}

TEST_F(Patching, FewerSlotsCopyEverythingAfterTheLastOne) {
    gamegen::Options options;
    options.missingSlots = {12, 30, 31, 32, 33, 34, 35, 36, 37};
    options.skinFirstAndLast = true;
    MakeGame(options);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Patch());
    EXPECT_EQ(Texts().back(), "Done!");
    ExpectPatched("textures.mw4");
    ExpectPatched("props.mw4");
    EXPECT_EQ(portable::RemovedFiles.size(), 1u + 20 * 6 + 20);  // test.out, then the pictures
}

TEST_F(Patching, AShortBackupLeavesTheArchiveUntouched) {
    MakeGame();
    const auto textures = ReadBytes(Resource("textures.mw4"));
    const auto props = ReadBytes(Resource("props.mw4"));
    ASSERT_TRUE(Start());
    portable::ShellCopyLimit = 1000000;  // the copy stops short, unnoticed
    ASSERT_TRUE(Patch());
    ASSERT_EQ(portable::Messages().size(), 2u);
    EXPECT_EQ(portable::Messages()[1].text,
              "resource\\textures.mw4b is incomplete, so resource\\textures.mw4 was left as it was.\n"
              "Delete the incomplete backup and patch again.");
    EXPECT_EQ(portable::Messages()[1].style, 16u);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);
    EXPECT_EQ(ReadBytes(Resource("props.mw4")), props);
    EXPECT_EQ(pv::Caption, "Morrent [2.0.0]");
    EXPECT_FALSE(portable::HourglassShown);
}

TEST_F(Patching, AMissingBackupEndsTheProgramBeforeTheArchiveIsTouched) {
    MakeGame();
    const auto textures = ReadBytes(Resource("textures.mw4"));
    ASSERT_TRUE(Start());
    portable::ShellCopyFails = true;
    EXPECT_FALSE(Patch());
    EXPECT_NE(Texts().back().find("Run-time error '53'"), std::string::npos);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);
}

TEST_F(Patching, ABadPieceStopsWithTheArchivePutBack) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"not a picture", std::vector<std::uint8_t>(1000, 0x41)},
        {"a 64x64 picture", testsupport::Bmp24(64, 64, testsupport::PatternPixels(64, 64))},
    };
    for (const Case& c : cases) {
        SetUp();
        MakeGame();
        const auto textures = ReadBytes(Resource("textures.mw4"));
        auto blob = ReadBytes("blob.blb");
        // Piece 5 (slot 13) replaced, the pack keeping its length.
        std::copy(c.bytes.begin(), c.bytes.end(), blob.begin() + morrent::kPieceStarts[4]);
        testsupport::WriteBytes("blob.blb", blob);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Patch()) << c.what;
        ASSERT_EQ(portable::Messages().size(), 2u) << c.what;
        EXPECT_EQ(portable::Messages()[1].text,
                  "Piece 5 of blob.blb is not a 512x512 picture.\nresource\\textures.mw4 was put back from its backup.");
        EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures) << c.what;
        EXPECT_FALSE(fs::exists(Resource("props.mw4b"))) << c.what;
        EXPECT_TRUE(fs::is_empty(dir.path() / "temp")) << c.what;
        TearDown();
    }
}

}  // namespace
