// Vellix's indexer with pictures missing: its message boxes, in order.
#include "core/skins.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "core/locator.h"
#include "core/platform_portable.h"
#include "core/program.h"
#include "tests/support/testdir.h"
#include "tools/gamegen/gamegen.h"

using namespace core;
namespace portable = plat::portable;

namespace {

TEST(IndexSkins, MissingPicturesKeepTheirCellsAndShowOneBoxEach) {
    testsupport::TempDir dir;
    gamegen::Options options;
    options.missingSlots = {1, 25};
    options.mixedCaseNames = true;
    options.spacedNames = true;
    options.duplicateSlot = 12;
    gamegen::Game game = gamegen::WriteGame(dir.path().string(), options);
    MechPath = dir.path().string();
    MechSep = "\\";
    ProgramName = "Vellix";
    portable::Reset();
    for (auto& slot : TextureIndex) slot.fill(-7);
    LobbyIndex.fill(-7);
    // Count the texture boxes before the first lobby search reads the props archive.
    int texturesBoxesBeforeProps = -1;
    portable::OnMessage = [&](const portable::MessageRecord&) {
        if (Directory.size() == game.textures.directory.size())
            texturesBoxesBeforeProps = int(portable::Messages().size());
    };
    IndexSkins();
    ASSERT_EQ(portable::Messages().size(), 12u + 2u);
    EXPECT_EQ(texturesBoxesBeforeProps, 12);
    for (const auto& m : portable::Messages()) {
        EXPECT_EQ(m.text, "error getting skins");
        EXPECT_EQ(m.style, 0u);
        EXPECT_EQ(m.title, "Vellix");
    }
    for (int m = 0; m < 6; ++m) {
        EXPECT_EQ(TextureIndex[1][m], -7);
        EXPECT_EQ(TextureIndex[25][m], -7);
    }
    EXPECT_EQ(LobbyIndex[1], -7);
    EXPECT_EQ(LobbyIndex[25], -7);
    // The first of two entries with the same name wins; names match trimmed and lower-cased.
    int first = -1;
    for (std::size_t p = 0; p < game.textures.directory.size() && first < 0; ++p)
        if (NameMatches(game.textures.directory[p].Name, SkinTextureName(12, 0))) first = int(p);
    EXPECT_EQ(TextureIndex[12][0], first);
    EXPECT_NE(TextureIndex[37][5], -7);
    EXPECT_NE(LobbyIndex[37], -7);
}

}  // namespace
