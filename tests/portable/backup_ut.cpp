#include "core/backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/locator.h"
#include "core/platform_portable.h"
#include "core/program.h"
#include "tests/support/testdir.h"

using namespace core;
namespace portable = plat::portable;
using testsupport::ReadBytes;
using testsupport::TempDir;

namespace {

class Backup : public ::testing::Test {
protected:
    void SetUp() override {
        portable::Reset();
        ProgramName = "Morrent";
        std::filesystem::create_directories(dir.path() / "resource");
        MechPath = dir.path().string();
        MechSep = "\\";
        testsupport::WriteBytes(dir / "resource/props.mw4", {1, 2, 3, 4});
    }
    TempDir dir;
};

TEST_F(Backup, CopiesTheArchiveBesideItWithAShellRequest) {
    BackupFile("resource\\props.mw4", 0x1234);
    EXPECT_EQ(ReadBytes(dir / "resource/props.mw4b"), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    ASSERT_EQ(portable::ShellCopies().size(), 1u);
    const auto& copy = portable::ShellCopies()[0];
    const std::string archive = MechPath + "\\resource\\props.mw4";
    EXPECT_EQ(copy.owner, 0x1234u);
    EXPECT_EQ(copy.fromList, archive + std::string("\0\0", 2));
    EXPECT_EQ(copy.toList, archive + "b" + std::string("\0\0", 2));
    EXPECT_EQ(copy.title, std::string("Backing Up\0\0", 12));
    EXPECT_TRUE(portable::Messages().empty());
}

TEST_F(Backup, OverwritesAnExistingBackupWithoutAsking) {
    testsupport::WriteBytes(dir / "resource/props.mw4b", std::vector<std::uint8_t>(100, 9));
    BackupFile("resource\\props.mw4", 0);
    EXPECT_EQ(ReadBytes(dir / "resource/props.mw4b"), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_TRUE(portable::Messages().empty());
}

TEST_F(Backup, RestoreCopiesTheBackupBackWithTheSameTitle) {
    testsupport::WriteBytes(dir / "resource/props.mw4b", {7, 7});
    RestoreFile("resource\\props.mw4", 0);
    EXPECT_EQ(ReadBytes(dir / "resource/props.mw4"), (std::vector<std::uint8_t>{7, 7}));
    ASSERT_EQ(portable::ShellCopies().size(), 1u);
    EXPECT_EQ(portable::ShellCopies()[0].title, std::string("Backing Up\0\0", 12));
    EXPECT_EQ(portable::ShellCopies()[0].fromList.substr(0, MechPath.size() + 20),
              MechPath + "\\resource\\props.mw4b");
}

TEST_F(Backup, MissingSourceGivesTheMessageAndCopiesNothing) {
    BackupFile("resource\\textures.mw4", 0);
    RestoreFile("resource\\props.mw4", 0);
    ASSERT_EQ(portable::Messages().size(), 2u);
    for (const auto& m : portable::Messages()) {
        EXPECT_EQ(m.text, "MechPath path is invalid!");
        EXPECT_EQ(m.style, 16u);
        EXPECT_EQ(m.title, "Morrent");
    }
    EXPECT_TRUE(portable::ShellCopies().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "resource/textures.mw4b"));
}

}  // namespace
