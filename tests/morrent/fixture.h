// A Morrent run on a fixture game folder: portable stand-ins reset, the
// registry pointing at the folder, TEMP a folder of the test's own, and the
// current folder holding "blob.blb" as beside the program.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/archive.h"
#include "core/locator.h"
#include "core/platform_portable.h"
#include "core/program.h"
#include "core/skins.h"
#include "patcher/morrent.h"
#include "patcher/view_portable.h"
#include "tests/support/messages.h"
#include "tests/support/testdir.h"
#include "tools/gamegen/gamegen.h"

namespace morrenttest {

namespace portable = plat::portable;
namespace pv = morrent::portable_view;
namespace fs = std::filesystem;

inline std::string SourceBlob() { return std::string(MW4_SOURCE_DIR) + "/data/blob.blb"; }

class MorrentTest : public ::testing::Test {
public:
    void SetUp() override {
        portable::Reset();
        pv::Reset();
        core::ProgramName = "Morrent";
        core::MechPath = core::MechSep = core::CDPath = "";
        core::SkinTextureRefs = {};
        core::LobbySkinRefs = {};
        morrent::PassRunning = false;
        fs::create_directories(dir.path() / "temp");
        fs::create_directories(dir.path() / "program");
        fs::create_directories(dir.path() / "drives" / "c");
        portable::SetDriveRoot(dir / "drives");
        fs::copy_file(SourceBlob(), dir.path() / "program" / "blob.blb", fs::copy_options::overwrite_existing);
        OriginalFolder();
        fs::current_path(dir.path() / "program");
        setenv("TEMP", (dir / "temp").c_str(), 1);
        game = dir / "game";
        portable::SetRegistryText(core::kGameKey, "EXE Path", game);
        portable::SetRegistryText(core::kGameKey, "CDPath", "D:\\");
    }
    void TearDown() override {
        fs::current_path(OriginalFolder());
        portable::SetDriveRoot("");
        unsetenv("TEMP");
    }
    gamegen::Game MakeGame(const gamegen::Options& options = {}) {
        for (const char* b : {"textures.mw4b", "props.mw4b"}) fs::remove(Resource(b));
        return gamegen::WriteGame(game, options);
    }
    std::string Resource(const std::string& name) const { return game + "/resource/" + name; }
    bool Start() { return morrent::Startup() == morrent::StartResult::Ready; }
    // Presses PATCH and answers the confirmation.
    bool Patch(int answer = plat::kIdYes) {
        portable::Answers().push_back(answer);
        return morrent::MouseDown(250, 100);
    }
    std::vector<std::string> Texts() const { return testsupport::MessageTexts(); }

    testsupport::TempDir dir;
    std::string game;

private:
    // The folder the tests started in (SetUp may run again inside a test).
    static const fs::path& OriginalFolder() {
        static const fs::path original = fs::current_path();
        return original;
    }
};

}  // namespace morrenttest
