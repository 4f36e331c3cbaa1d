// A Vellix run on a fixture game folder: the portable platform and window
// stand-ins reset, the registry pointing at the folder, "c:\" mapped to a
// folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive.h"
#include "core/locator.h"
#include "core/platform_portable.h"
#include "core/program.h"
#include "core/skins.h"
#include "inserter/vellix.h"
#include "inserter/view_portable.h"
#include "tests/support/messages.h"
#include "tests/support/testdir.h"
#include "tools/gamegen/gamegen.h"

namespace vellixtest {

namespace portable = plat::portable;
namespace pv = vellix::portable_view;

class VellixTest : public ::testing::Test {
public:
    void SetUp() override {
        portable::Reset();
        pv::Reset();
        core::ProgramName = "Vellix";
        core::MechPath = core::MechSep = core::CDPath = "";
        core::Header = {};
        core::Directory.clear();
        for (auto& slot : core::TextureIndex) slot.fill(0);
        core::LobbyIndex.fill(0);
        vellix::LoadedImage = {};
        vellix::WorkImage = {};
        vellix::CurrentSlot = 0;
        vellix::LastStep.clear();
        vellix::MainWindowClosed = false;
        std::filesystem::create_directories(dir.path() / "drives" / "c");
        portable::SetDriveRoot(dir / "drives");
        game = dir / "game";
        portable::SetRegistryText(core::kGameKey, "EXE Path", game);
        portable::SetRegistryText(core::kGameKey, "CDPath", "D:\\");
    }
    void TearDown() override { portable::SetDriveRoot(""); }

    gamegen::Game MakeGame(const gamegen::Options& options = {}) { return gamegen::WriteGame(game, options); }
    void Prepare() {
        gamegen::MakePrepared(Resource("textures.mw4"));
        gamegen::MakePrepared(Resource("props.mw4"));
    }
    std::string Resource(const std::string& name) const { return game + "/resource/" + name; }

    bool Start() { return vellix::RunCommand(vellix::Startup); }
    // Starts, then forgets the start-up's messages and repaints.
    void Started() {
        ASSERT_TRUE(Start());
        portable::Messages().clear();
        pv::Repaints.clear();
    }
    std::vector<std::string> Texts() const { return testsupport::MessageTexts(); }

    testsupport::TempDir dir;
    std::string game;
};

}  // namespace vellixtest
