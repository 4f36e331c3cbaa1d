#include "core/skins.h"

#include <gtest/gtest.h>

#include <set>

#include "core/archive.h"
#include "core/locator.h"
#include "tests/support/testdir.h"
#include "tools/gamegen/gamegen.h"

using namespace core;
using testsupport::TempDir;

namespace {

TEST(SkinNames, FollowTheCatalogue) {
    EXPECT_EQ(SkinChar(0), "0");
    EXPECT_EQ(SkinChar(9), "9");
    EXPECT_EQ(SkinChar(10), "a");
    EXPECT_EQ(SkinChar(35), "z");
    struct Case {
        int slot, mip;
        const char* texture;
    } cases[] = {
        {1, 0, "textures\\skin00.tga"}, {1, 5, "textures\\skin05.tga"}, {9, 0, "textures\\skin80.tga"},
        {10, 3, "textures\\skin93.tga"}, {11, 5, "textures\\skina5.tga"}, {36, 2, "textures\\skinz2.tga"},
        {37, 0, "textures\\skin_0.tga"}, {37, 5, "textures\\skin_5.tga"},
    };
    for (const Case& c : cases) EXPECT_EQ(SkinTextureName(c.slot, c.mip), c.texture);
    const std::string lobby = "shellscripts\\graphics\\multiplayer\\lobbyskins\\skin";
    EXPECT_EQ(LobbySkinName(1), lobby + "04.tga");
    EXPECT_EQ(LobbySkinName(36), lobby + "z4.tga");
    EXPECT_EQ(LobbySkinName(37), lobby + "_4.tga");
}

TEST(SkinNames, MatchIgnoringCaseAndSurroundingSpaces) {
    EXPECT_TRUE(NameMatches("TEXTURES\\Skin80.TGA", "textures\\skin80.tga"));
    EXPECT_TRUE(NameMatches("  textures\\skin80.tga   ", "textures\\skin80.tga"));
    EXPECT_FALSE(NameMatches("textures\\skin80.tga.bak", "textures\\skin80.tga"));
    EXPECT_FALSE(NameMatches("textures\\ skin80.tga", "textures\\skin80.tga"));
}

struct GameFolder {
    TempDir dir;
    gamegen::Game game;
    explicit GameFolder(const gamegen::Options& options = {}) {
        game = gamegen::WriteGame(dir.path().string(), options);
        MechPath = dir.path().string();
        MechSep = "\\";
    }
};

int PositionOf(const gamegen::Archive& archive, const std::string& resourceName, int nth = 0) {
    for (std::size_t p = 0; p < archive.directory.size(); ++p)
        if (NameMatches(archive.directory[p].Name, resourceName) && nth-- == 0) return int(p);
    return -1;
}

TEST(IndexSkins, FindsEveryPictureOfAllSlots) {
    GameFolder g;
    TextureIndex = {};
    LobbyIndex = {};
    IndexSkins();
    for (int slot = 1; slot <= 37; ++slot) {
        for (int m = 0; m < 6; ++m)
            EXPECT_EQ(TextureIndex[slot][m], PositionOf(g.game.textures, SkinTextureName(slot, m)));
        EXPECT_EQ(LobbyIndex[slot], PositionOf(g.game.props, LobbySkinName(slot)));
    }
    // Header and Directory are the props archive's afterwards.
    EXPECT_EQ(Directory.size(), g.game.props.directory.size());
}

TEST(ListSkins, RecordsSlotsNineToThirtySevenInDirectoryOrder) {
    GameFolder g;
    ListSkins();
    std::set<std::pair<int, int>> seen;
    for (int k = 1; k <= 174; ++k) {
        const SkinTextureRef& r = SkinTextureRefs[std::size_t(k)];
        EXPECT_EQ(PositionOf(g.game.textures, SkinTextureName(r.Slot, r.Mip)), r.EntryIndex);
        if (k > 1) {
            EXPECT_LT(SkinTextureRefs[std::size_t(k) - 1].EntryIndex, r.EntryIndex);
        }
        seen.insert({r.Slot, r.Mip});
    }
    EXPECT_EQ(seen.size(), 174u);
    EXPECT_EQ(SkinTextureRefs[0].EntryIndex, 0);
    for (int k = 1; k <= 29; ++k) {
        const LobbySkinRef& r = LobbySkinRefs[std::size_t(k)];
        EXPECT_GE(r.Slot, 9);
        EXPECT_EQ(PositionOf(g.game.props, LobbySkinName(r.Slot)), r.EntryIndex);
        if (k > 1) {
            EXPECT_LT(LobbySkinRefs[std::size_t(k) - 1].EntryIndex, r.EntryIndex);
        }
    }
}

TEST(ListSkins, TrimsTextureNamesButTestsTheLobbyPrefixUntrimmed) {
    gamegen::Options options;
    options.mixedCaseNames = true;
    options.spacedNames = true;  // textures get spaces on both sides, lobby names after
    GameFolder g(options);
    SkinTextureRefs = {};
    LobbySkinRefs = {};
    ListSkins();
    EXPECT_NE(SkinTextureRefs[174].Slot, 0);
    EXPECT_NE(LobbySkinRefs[29].Slot, 0);

    // A lobby name with a leading space fails the prefix test.
    GameFolder plain;
    ReadArchiveDirectory(plain.dir / "resource/props.mw4");
    BinFile file(plain.dir / "resource/props.mw4", OpenMode::ReadWrite);
    const int victim = PositionOf(plain.game.props, LobbySkinName(20));
    // Only the directory matters to the indexer; the data it shifts by one byte don't.
    ArchiveEntry& entry = Directory[std::size_t(victim)];
    entry.Name = " " + entry.Name;
    entry.NameLength = std::uint8_t(entry.Name.size());
    WriteArchiveDirectory(file, Header, Directory);
    file.Close();
    LobbySkinRefs = {};
    ListSkins();
    int recorded = 0;
    for (int k = 1; k <= 29; ++k) recorded += LobbySkinRefs[std::size_t(k)].Slot != 0;
    EXPECT_EQ(recorded, 28);
}

TEST(ListSkins, DuplicatesAreRecordedTwiceAndListsAreNotEmptied) {
    gamegen::Options options;
    options.duplicateSlot = 20;
    options.missingSlots = {37};  // room for the second record
    GameFolder g(options);
    SkinTextureRefs = {};
    ListSkins();
    int found = 0;
    for (int k = 1; k <= 174; ++k)
        if (SkinTextureRefs[std::size_t(k)].Slot == 20 && SkinTextureRefs[std::size_t(k)].Mip == 0) {
            EXPECT_EQ(SkinTextureRefs[std::size_t(k)].EntryIndex,
                      PositionOf(g.game.textures, SkinTextureName(20, 0), found));
            ++found;
        }
    EXPECT_EQ(found, 2);

    // A run on an archive with fewer slots leaves the later elements as they were.
    const auto before = SkinTextureRefs;
    gamegen::Options fewer;
    fewer.missingSlots = {30, 31, 32, 33, 34, 35, 36, 37};
    GameFolder small(fewer);
    ListSkins();
    for (std::size_t k = 1; k <= 126; ++k) {  // 21 slots x 6 records, written anew
        EXPECT_LE(SkinTextureRefs[k].Slot, 29);
        EXPECT_EQ(PositionOf(small.game.textures, SkinTextureName(SkinTextureRefs[k].Slot, SkinTextureRefs[k].Mip)),
                  SkinTextureRefs[k].EntryIndex);
    }
    for (std::size_t k = 127; k <= 174; ++k) {
        EXPECT_EQ(SkinTextureRefs[k].Slot, before[k].Slot);
        EXPECT_EQ(SkinTextureRefs[k].EntryIndex, before[k].EntryIndex);
    }
}

TEST(ListSkins, SkinInTheFirstAndLastEntryIsFound) {
    gamegen::Options options;
    options.skinFirstAndLast = true;
    options.missingSlots = {1, 2, 3, 4, 5, 6, 7, 8};
    GameFolder g(options);
    ListSkins();
    EXPECT_EQ(SkinTextureRefs[1].EntryIndex, 0);
    EXPECT_EQ(SkinTextureRefs[174].EntryIndex, std::int16_t(g.game.textures.directory.size() - 1));
    EXPECT_EQ(LobbySkinRefs[1].EntryIndex, 0);
    EXPECT_EQ(LobbySkinRefs[29].EntryIndex, std::int16_t(g.game.props.directory.size() - 1));
}

}  // namespace
