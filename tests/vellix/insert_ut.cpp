#include <gtest/gtest.h>

#include "core/scaling.h"
#include "tests/vellix/fixture.h"

using namespace vellixtest;
using testsupport::ReadBytes;

namespace {

const std::string kNotPatched = "The Morrent is required to use the Vellix tool!";

class Insert : public VellixTest {
public:
    void SetUp() override {
        VellixTest::SetUp();
        game_ = MakeGame();
    }
    void Load() {
        testsupport::WriteBytes(dir / "skin.bmp", testsupport::Bmp24(512, 512, testsupport::PatternPixels(512, 512)));
        pv::DialogChoices.push_back(dir / "skin.bmp");
        ASSERT_TRUE(vellix::RunCommand(vellix::FileOpen));
        portable::Messages().clear();
        pv::Repaints.clear();
    }
    bool Run(int slot) {
        vellix::SkinClick(slot);
        return vellix::RunCommand(vellix::InsertSkin);
    }
    // The data of the entry at a position, read independently of the core.
    std::vector<std::uint8_t> EntryData(const std::string& archive, std::size_t position) {
        auto bytes = ReadBytes(Resource(archive));
        core::ReadArchiveDirectory(Resource(archive));
        const auto& e = core::Directory[position];
        auto start = bytes.begin() + core::EntryDataPosition(core::Header, e);
        return {start, start + e.StoredSize};
    }
    gamegen::Game game_;
};

// The TGA that an entry of side s must hold: header, then pixel (x, y) = source (k x, k y).
std::vector<std::uint8_t> ExpectedTga(int side) {
    const auto source = testsupport::PatternPixels(512, 512);
    std::vector<std::uint8_t> t = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, std::uint8_t(side), std::uint8_t(side >> 8),
                                   std::uint8_t(side), std::uint8_t(side >> 8), 24, 0x20};
    const int k = 512 / side;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            for (int c = 0; c < 3; ++c) t.push_back(source[(std::size_t(k * y) * 512 + std::size_t(k * x)) * 3 + std::size_t(c)]);
    return t;
}

TEST_F(Insert, WithoutAPictureAsksForOne) {
    Started();
    EXPECT_TRUE(Run(20));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Load a 512x512 image to use for a skin"});
    EXPECT_EQ(portable::Messages()[0].title, "Vellix");
    EXPECT_TRUE(portable::ShellCopies().empty());
    EXPECT_FALSE(std::filesystem::exists(Resource("textures.mw4b")));
}

TEST_F(Insert, UnpatchedArchivesGetOnlyTheTexturesBackup) {
    Started();
    Load();
    const auto textures = ReadBytes(Resource("textures.mw4"));
    const auto props = ReadBytes(Resource("props.mw4"));
    EXPECT_TRUE(Run(20));
    ASSERT_EQ(portable::Messages().size(), 1u);
    EXPECT_EQ(portable::Messages()[0].text, kNotPatched);
    EXPECT_EQ(portable::Messages()[0].title, "textures.mw4 not patched!");
    EXPECT_EQ(portable::Messages()[0].style, 0u);
    EXPECT_FALSE(portable::HourglassShown);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4b")), textures);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures);
    EXPECT_EQ(ReadBytes(Resource("props.mw4")), props);
    EXPECT_FALSE(std::filesystem::exists(Resource("props.mw4b")));
    EXPECT_EQ(pv::Repaints, std::vector<std::string>{"Backing up resource\\textures.mw4"});
}

TEST_F(Insert, WritesTheSevenPicturesInPlaceAndNothingElse) {
    Prepare();
    Started();
    Load();
    const auto texturesBefore = ReadBytes(Resource("textures.mw4"));
    const auto propsBefore = ReadBytes(Resource("props.mw4"));
    EXPECT_TRUE(Run(20));
    EXPECT_TRUE(portable::Messages().empty()) << Texts()[0];
    EXPECT_EQ(pv::StatusText, "Done.");
    EXPECT_EQ(pv::Repaints, (std::vector<std::string>{"Backing up resource\\textures.mw4",
                                                      "Backing up resource\\props.mw4",
                                                      "Quick Patching resource\\props.mw4", "Done."}));
    EXPECT_EQ(vellix::LastStep, "props SaveTGA 20");
    EXPECT_FALSE(portable::HourglassShown);
    EXPECT_EQ(ReadBytes(Resource("textures.mw4b")), texturesBefore);
    EXPECT_EQ(ReadBytes(Resource("props.mw4b")), propsBefore);

    // The seven entries hold the TGAs; every other byte is as it was.
    auto textures = ReadBytes(Resource("textures.mw4"));
    auto props = ReadBytes(Resource("props.mw4"));
    ASSERT_EQ(textures.size(), texturesBefore.size());
    ASSERT_EQ(props.size(), propsBefore.size());
    core::ReadArchiveDirectory(Resource("textures.mw4"));
    for (int k = 0; k < 6; ++k) {
        const auto& e = core::Directory[std::size_t(core::TextureIndex[20][std::size_t(k)])];
        const auto at = std::size_t(core::EntryDataPosition(core::Header, e));
        const auto expected = ExpectedTga(512 >> k);
        ASSERT_EQ(std::size_t(e.StoredSize), expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), textures.begin() + std::ptrdiff_t(at))) << k;
        std::copy(texturesBefore.begin() + std::ptrdiff_t(at), texturesBefore.begin() + std::ptrdiff_t(at + expected.size()),
                  textures.begin() + std::ptrdiff_t(at));
    }
    EXPECT_EQ(textures, texturesBefore);
    const auto lobby = EntryData("props.mw4", std::size_t(core::LobbyIndex[20]));
    EXPECT_EQ(lobby, ExpectedTga(32));
    EXPECT_EQ(lobby, EntryData("textures.mw4", std::size_t(core::TextureIndex[20][4])));
    core::ReadArchiveDirectory(Resource("props.mw4"));
    const auto at = std::size_t(core::EntryDataPosition(core::Header, core::Directory[std::size_t(core::LobbyIndex[20])]));
    std::copy(propsBefore.begin() + std::ptrdiff_t(at), propsBefore.begin() + std::ptrdiff_t(at + 3090),
              props.begin() + std::ptrdiff_t(at));
    EXPECT_EQ(props, propsBefore);

    // "c:\test.tga" holds the 512x512 picture.
    EXPECT_EQ(ReadBytes(dir / "drives/c/test.tga"), ExpectedTga(512));
    EXPECT_EQ(vellix::WorkImage.Width, 32);
}

TEST_F(Insert, ASecondInsertMakesNoNewBackups) {
    Prepare();
    Started();
    Load();
    EXPECT_TRUE(Run(20));
    EXPECT_EQ(portable::ShellCopies().size(), 2u);
    EXPECT_TRUE(Run(37));
    EXPECT_TRUE(Run(9));
    EXPECT_EQ(portable::ShellCopies().size(), 2u);
    EXPECT_EQ(EntryData("textures.mw4", std::size_t(core::TextureIndex[37][0])), ExpectedTga(512));
    EXPECT_EQ(EntryData("props.mw4", std::size_t(core::LobbyIndex[9])), ExpectedTga(32));
}

TEST_F(Insert, UnpatchedPropsStopsAfterTheTextures) {
    gamegen::MakePrepared(Resource("textures.mw4"));
    Started();
    Load();
    const auto props = ReadBytes(Resource("props.mw4"));
    EXPECT_TRUE(Run(20));
    EXPECT_EQ(Texts(), std::vector<std::string>{kNotPatched});
    EXPECT_EQ(portable::Messages()[0].title, "props.mw4 not patched!");
    EXPECT_EQ(ReadBytes(Resource("props.mw4b")), props);
    EXPECT_EQ(ReadBytes(Resource("props.mw4")), props);
    EXPECT_EQ(EntryData("textures.mw4", std::size_t(core::TextureIndex[20][5])), ExpectedTga(16));
}

TEST_F(Insert, OneWrongLengthOrAStalePositionMeansNotPatched) {
    struct Case {
        const char* what;
        std::function<void(Insert&)> change;
    } cases[] = {
        {"mip 3 of another length",
         [](Insert& t) {
             core::BinFile f(t.Resource("textures.mw4"), core::OpenMode::ReadWrite);
             core::ReadArchiveDirectory(f);
             core::Directory[std::size_t(core::TextureIndex[20][3])].StoredSize -= 1;
             core::WriteArchiveDirectory(f, core::Header, core::Directory);
             f.Close();
         }},
        {"an archive replaced by one with fewer entries",
         [](Insert& t) {
             gamegen::Options o;
             o.missingSlots = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25};
             testsupport::TempDir other;
             gamegen::WriteGame(other.path().string(), o);
             std::filesystem::copy_file(other / "resource/textures.mw4", t.Resource("textures.mw4"),
                                        std::filesystem::copy_options::overwrite_existing);
             for (auto& slot : core::TextureIndex) slot.fill(30000);  // far past its end
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        Prepare();
        Started();
        Load();
        c.change(*this);
        const auto textures = ReadBytes(Resource("textures.mw4"));
        EXPECT_TRUE(Run(20)) << c.what;
        EXPECT_EQ(Texts(), std::vector<std::string>{kNotPatched}) << c.what;
        EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures) << c.what;
    }
}

TEST_F(Insert, NoRightToWriteTestTgaDoesNotStopTheInsert) {
    Prepare();
    Started();
    Load();
    std::filesystem::remove_all(dir.path() / "drives" / "c");  // "c:\" cannot be written
    EXPECT_TRUE(Run(20));
    EXPECT_TRUE(portable::Messages().empty());
    EXPECT_EQ(pv::StatusText, "Done.");
    EXPECT_EQ(EntryData("props.mw4", std::size_t(core::LobbyIndex[20])), ExpectedTga(32));
}

TEST_F(Insert, AnErrorShowsNumberDescriptionAndStepThenEnds) {
    struct Case {
        const char* archive;
        std::string step;
    } cases[] = {
        {"textures.mw4", "Before Open "},
        {"props.mw4", "Open File "},
    };
    for (const Case& c : cases) {
        SetUp();
        Prepare();
        Started();
        Load();
        vellix::RunCommand(vellix::InsertSkin);  // backups made; both archives patched
        portable::Messages().clear();
        std::filesystem::permissions(Resource(c.archive), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_FALSE(Run(21)) << c.archive;
        ASSERT_EQ(portable::Messages().size(), 1u) << c.archive;
        const std::string path = core::GamePath(std::string("resource\\") + c.archive);
        EXPECT_EQ(portable::Messages()[0].text, "Error 75\nPath/File access error: " + path + "\n" + c.step + path);
        EXPECT_EQ(portable::Messages()[0].style, 0u);
        EXPECT_EQ(portable::Messages()[0].title, "Vellix");
        EXPECT_TRUE(portable::HourglassShown);  // not reset before that box
        std::filesystem::permissions(Resource(c.archive), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
}

TEST_F(Insert, MissingArchiveClosesTheWindow) {
    Prepare();
    Started();
    Load();
    std::filesystem::remove(Resource("props.mw4"));
    EXPECT_FALSE(Run(20));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Mechwarrior path is invalid!"});
    EXPECT_EQ(portable::Messages()[0].style, 16u);
    EXPECT_TRUE(pv::Closed);
}

}  // namespace
