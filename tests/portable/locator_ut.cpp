// The game locator against the portable layer's registry and message boxes.
#include "core/locator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform_portable.h"
#include "core/program.h"
#include "tests/support/testdir.h"

using namespace core;
namespace portable = plat::portable;
using testsupport::TempDir;

namespace {

class Locator : public ::testing::Test {
protected:
    void SetUp() override {
        portable::Reset();
        ProgramName = "Vellix";
        MechPath = CDPath = MechSep = "";
        std::filesystem::create_directories(dir.path() / "resource");
        testsupport::WriteBytes(dir / "resource/textures.mw4", {1, 2, 3});
    }
    void SetText(const char* name, const std::string& value) {
        portable::SetRegistryText(kGameKey, name, value);
    }
    TempDir dir;
};

TEST_F(Locator, FindsTheGameWithOrWithoutTrailingBackslash) {
    for (std::string exe : {dir.path().string(), dir.path().string() + "\\"}) {
        portable::Reset();
        SetText("EXE Path", exe);
        SetText("CDPath", "D:\\");
        ASSERT_TRUE(LocateGame()) << exe;
        EXPECT_EQ(MechPath, exe);
        EXPECT_EQ(MechSep, exe.back() == '\\' ? "" : "\\");
        EXPECT_EQ(GamePath("resource\\textures.mw4"), dir.path().string() + "\\resource\\textures.mw4");
        EXPECT_TRUE(portable::Messages().empty());
    }
}

TEST_F(Locator, ReportsEachFailureWithItsMessage) {
    const std::string problem = "Problem getting Mechwarrior Path!";
    const std::string invalid = "Mechwarrior path is invalid!";
    const std::string good = dir.path().string();
    struct Case {
        const char* what;
        std::function<void()> setup;
        std::string message;
    } cases[] = {
        {"key missing", [] {}, problem},
        {"CDPath missing", [&] { SetText("EXE Path", good); }, problem},
        {"EXE Path missing", [&] { SetText("CDPath", "D:\\"); }, problem},
        {"EXE Path empty", [&] { SetText("EXE Path", ""), SetText("CDPath", "D:\\"); }, problem},
        {"EXE Path of REG_EXPAND_SZ",
         [&] {
             std::vector<std::uint8_t> data(good.begin(), good.end());
             data.push_back(0);
             portable::SetRegistryValue(kGameKey, "EXE Path", plat::kRegExpandSz, data);
             SetText("CDPath", "D:\\");
         },
         problem},
        {"text of size 0",
         [&] {
             portable::SetRegistryValue(kGameKey, "EXE Path", plat::kRegSz, {});
             SetText("CDPath", "D:\\");
         },
         problem},
        {"trailing backslash and a space",
         [&] { SetText("EXE Path", good + "\\ "), SetText("CDPath", "D:\\"); }, invalid},
        {"folder without the archive",
         [&] { SetText("EXE Path", good + "/resource"), SetText("CDPath", "D:\\"); }, invalid},
        {"EXE Path as the number 5",
         [&] {
             portable::SetRegistryValue(kGameKey, "EXE Path", plat::kRegDword, {5, 0, 0, 0});
             SetText("CDPath", "D:\\");
         },
         invalid},
    };
    for (const Case& c : cases) {
        portable::Reset();
        MechPath = CDPath = "";
        c.setup();
        EXPECT_FALSE(LocateGame()) << c.what;
        ASSERT_EQ(portable::Messages().size(), 1u) << c.what;
        EXPECT_EQ(portable::Messages()[0].text, c.message) << c.what;
        EXPECT_EQ(portable::Messages()[0].style, 16u) << c.what;
        EXPECT_EQ(portable::Messages()[0].title, "Vellix") << c.what;
    }
}

TEST_F(Locator, TrailingSpaceAfterBackslashGivesNoSeparator) {
    SetText("EXE Path", dir.path().string() + "\\ ");
    SetText("CDPath", "D:\\");
    EXPECT_FALSE(LocateGame());
    EXPECT_EQ(MechSep, "");
    EXPECT_EQ(GamePath("resource\\textures.mw4"), dir.path().string() + "\\ resource\\textures.mw4");
}

TEST_F(Locator, NumberValuesBecomeTheirDigits) {
    portable::SetRegistryValue(kGameKey, "EXE Path", plat::kRegDword, {5, 0, 0, 0});
    SetText("CDPath", "D:\\");
    EXPECT_FALSE(LocateGame());
    EXPECT_EQ(MechPath, "5");
}

TEST(GetRegistryValue, LeavesTheValueAloneOnFailure) {
    portable::Reset();
    portable::SetRegistryText("k", "text", "abc");
    portable::SetRegistryValue("k", "number", plat::kRegDword, {0x10, 0x27, 0, 0});
    portable::SetRegistryValue("k", "binary", 3, {1, 2});
    plat::RegKey key = 0;
    ASSERT_EQ(plat::OpenRegistryKey(plat::kHkeyLocalMachine, "K", plat::kKeyRead, key), 0);
    RegistryValue v = std::string("kept");
    EXPECT_EQ(GetRegistryValue(key, "text", v), 0);
    EXPECT_EQ(RegistryText(v), "abc");
    EXPECT_EQ(GetRegistryValue(key, "number", v), 0);
    EXPECT_EQ(RegistryText(v), "10000");
    v = std::string("kept");
    EXPECT_EQ(GetRegistryValue(key, "binary", v), -1);
    EXPECT_EQ(RegistryText(v), "kept");
    EXPECT_NE(GetRegistryValue(key, "absent", v), 0);
    EXPECT_EQ(RegistryText(v), "kept");
}

}  // namespace
