#include <gtest/gtest.h>

#include "tests/vellix/fixture.h"

using namespace vellixtest;
using testsupport::ReadBytes;

namespace {

const std::string kCreated = "An index of the skins must be created to be patch independent.";
const std::string kChanged = "A change has been detected in your files, the index must be recreated now.";

using Startup = VellixTest;

TEST_F(Startup, FirstRunIndexesOnceAndWritesBothFiles) {
    gamegen::Game g = MakeGame();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Texts(), std::vector<std::string>{kCreated});
    EXPECT_EQ(portable::Messages()[0].style, 0u);
    EXPECT_EQ(portable::Messages()[0].title, "Vellix");
    EXPECT_TRUE(pv::Shown);  // shown behind the message
    EXPECT_EQ(pv::Repaints, (std::vector<std::string>{"Indexing Skins", "Ready to load texture."}));
    EXPECT_FALSE(portable::HourglassShown);
    EXPECT_EQ(pv::Caption, "Vellix [1.1.18]");
    EXPECT_EQ(vellix::CurrentSlot, 9);
    for (int i = 9; i <= 37; ++i) EXPECT_EQ(pv::Checked[std::size_t(i)], i == 9) << i;

    auto textures = ReadBytes(Resource("textures.inx"));
    auto props = ReadBytes(Resource("props.inx"));
    ASSERT_EQ(textures.size(), 444u);
    ASSERT_EQ(props.size(), 74u);
    // (slot, m) at ((slot - 1) * 6 + m) * 2, little-endian.
    for (int slot : {1, 9, 37}) {
        for (int m : {0, 5}) {
            std::size_t at = std::size_t(((slot - 1) * 6 + m) * 2);
            int stored = textures[at] | textures[at + 1] << 8;
            EXPECT_TRUE(core::NameMatches(g.textures.directory[std::size_t(stored)].Name,
                                          core::SkinTextureName(slot, m)));
        }
        int lobby = props[std::size_t(slot - 1) * 2] | props[std::size_t(slot - 1) * 2 + 1] << 8;
        EXPECT_TRUE(core::NameMatches(g.props.directory[std::size_t(lobby)].Name, core::LobbySkinName(slot)));
    }
}

TEST_F(Startup, LaterRunsTrustValidIndexFilesEvenAfterPreparing) {
    MakeGame();
    ASSERT_TRUE(Start());
    const auto textures = ReadBytes(Resource("textures.inx"));
    Prepare();  // the patcher keeps every position
    SetUp();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(portable::Messages().empty());
    EXPECT_FALSE(pv::Shown);
    EXPECT_EQ(ReadBytes(Resource("textures.inx")), textures);
    EXPECT_EQ(vellix::CurrentSlot, 9);
}

TEST_F(Startup, IndexFilesThatNoLongerFitAreRebuilt) {
    struct Case {
        const char* what;
        std::function<void(VellixTest&)> damage;
    } cases[] = {
        {"from another installation",
         [](VellixTest& t) {
             testsupport::TempDir other;
             gamegen::Options options;
             options.seed = 99;
             gamegen::WriteGame(other.path().string(), options);
             std::filesystem::copy_file(other / "resource/textures.mw4", t.Resource("textures.mw4"),
                                        std::filesystem::copy_options::overwrite_existing);
         }},
        {"a texture index file cut short",
         [](VellixTest& t) { std::filesystem::resize_file(t.Resource("textures.inx"), 300); }},
        {"a lobby position past the last entry",
         [](VellixTest& t) {
             auto bytes = ReadBytes(t.Resource("props.inx"));
             bytes[20] = 0xFF, bytes[21] = 0x7F;
             testsupport::WriteBytes(t.Resource("props.inx"), bytes);
         }},
        {"a negative texture position",
         [](VellixTest& t) {
             auto bytes = ReadBytes(t.Resource("textures.inx"));
             bytes[443] = 0x80;
             testsupport::WriteBytes(t.Resource("textures.inx"), bytes);
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        MakeGame();
        ASSERT_TRUE(Start());
        c.damage(*this);
        SetUp();
        ASSERT_TRUE(Start()) << c.what;
        EXPECT_EQ(Texts(), std::vector<std::string>{kChanged}) << c.what;
        EXPECT_EQ(ReadBytes(Resource("textures.inx")).size(), 444u);
        SetUp();
        ASSERT_TRUE(Start());
        EXPECT_TRUE(portable::Messages().empty()) << c.what << ": the rebuilt index holds";
    }
}

TEST_F(Startup, MissingLobbyIndexRebuildsBothTables) {
    MakeGame();
    ASSERT_TRUE(Start());
    std::filesystem::remove(Resource("props.inx"));
    auto textures = ReadBytes(Resource("textures.inx"));
    textures[0] = 0x33;  // a value the rebuild replaces
    testsupport::WriteBytes(Resource("textures.inx"), textures);
    SetUp();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Texts(), std::vector<std::string>{kCreated});
    EXPECT_NE(ReadBytes(Resource("textures.inx"))[0], 0x33);
    EXPECT_EQ(ReadBytes(Resource("props.inx")).size(), 74u);
}

TEST_F(Startup, MissingPictureIndexesEveryTimeWithItsBoxes) {
    gamegen::Options options;
    options.missingSlots = {1};
    MakeGame(options);
    ASSERT_TRUE(Start());
    std::vector<std::string> once(7, "error getting skins");
    std::vector<std::string> expected = {kCreated};
    expected.insert(expected.end(), once.begin(), once.end());
    expected.push_back(kChanged);  // cell value 0 never matches
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(Texts(), expected);
    SetUp();
    ASSERT_TRUE(Start());
    expected.erase(expected.begin(), expected.begin() + 8);
    EXPECT_EQ(Texts(), expected);
}

TEST_F(Startup, GameNotFoundClosesTheWindowWithoutTouchingIndexFiles) {
    MakeGame();
    portable::ClearRegistry();
    EXPECT_FALSE(Start());
    EXPECT_TRUE(pv::Closed);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Problem getting Mechwarrior Path!"});
    EXPECT_FALSE(std::filesystem::exists(Resource("textures.inx")));
    EXPECT_EQ(vellix::CurrentSlot, 0);
}

TEST_F(Startup, DamagedArchiveEndsTheProgramWithItsError) {
    MakeGame();
    std::filesystem::resize_file(Resource("props.mw4"), 100);
    EXPECT_FALSE(Start());
    ASSERT_EQ(portable::Messages().size(), 2u);
    EXPECT_EQ(portable::Messages()[1].style, 16u);
    EXPECT_NE(portable::Messages()[1].text.find("Run-time error '321'"), std::string::npos);
    EXPECT_NE(portable::Messages()[1].text.find("props.mw4"), std::string::npos);
}

}  // namespace
