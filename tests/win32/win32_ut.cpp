// The Win32 platform layer against the real services (run under Wine in CI):
// the registry values that `wine reg add` wrote, the shell's copy, and the
// system picture loader with the capture of a picture box.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "core/backup.h"
#include "core/error.h"
#include "core/image.h"
#include "core/locator.h"
#include "core/scaling.h"
#include "tests/support/picture.h"
#include "tests/support/testdir.h"

using namespace core;
using testsupport::ReadBytes;
using testsupport::TempDir;

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// CI adds these values to the game's key with `wine reg add` before the run:
//   "EXE Path" = %MW4_TEST_GAME%, "CDPath" = D:\, "Number" = 5 (REG_DWORD),
//   "Expanded" = %TEMP% (REG_EXPAND_SZ).
TEST(Registry, ReadsTheValuesWineRegAddWrote) {
    const std::string game = Env("MW4_TEST_GAME");
    if (game.empty()) GTEST_SKIP() << "MW4_TEST_GAME not set";
    plat::RegKey key = 0;
    ASSERT_EQ(plat::OpenRegistryKey(plat::kHkeyLocalMachine, kGameKey, plat::kKeyRead, key), 0);
    RegistryValue value;
    EXPECT_EQ(GetRegistryValue(key, "EXE Path", value), 0);
    EXPECT_EQ(RegistryText(value), game);
    EXPECT_EQ(GetRegistryValue(key, "CDPath", value), 0);
    EXPECT_EQ(RegistryText(value), "D:\\");
    EXPECT_EQ(GetRegistryValue(key, "Number", value), 0);
    EXPECT_EQ(RegistryText(value), "5");
    value = std::string("kept");
    EXPECT_EQ(GetRegistryValue(key, "Expanded", value), -1);
    EXPECT_EQ(RegistryText(value), "kept");
    EXPECT_NE(GetRegistryValue(key, "Absent", value), 0);
    plat::CloseRegistryKey(key);

    // With the archive in place the game is found without a message.
    CreateDirectoryA(game.c_str(), nullptr);
    CreateDirectoryA((game + "\\resource").c_str(), nullptr);
    testsupport::WriteBytes(game + "\\resource\\textures.mw4", {1});
    ASSERT_TRUE(FileExists(game + "\\resource\\textures.mw4"));
    EXPECT_TRUE(LocateGame());
    EXPECT_EQ(MechPath, game);
    EXPECT_EQ(MechSep, "\\");
}

TEST(ShellCopy, CopiesAndOverwritesWithoutAsking) {
    TempDir dir;
    std::vector<std::uint8_t> bytes(300000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::uint8_t(i * 31);
    testsupport::WriteBytes(dir / "props.mw4", bytes);
    testsupport::WriteBytes(dir / "props.mw4b", {9, 9, 9});
    ShellCopy(dir / "props.mw4", dir / "props.mw4b", "Backing Up", 0);
    EXPECT_EQ(ReadBytes(dir / "props.mw4b"), bytes);
}

TEST(FileExists, ABackupNameIsNotMatchedByItsArchive) {
    TempDir dir;
    testsupport::WriteBytes(dir / "textures.mw4", {1});
    EXPECT_TRUE(FileExists(dir / "textures.mw4"));
    EXPECT_FALSE(FileExists(dir / "textures.mw4b"));
    EXPECT_FALSE(FileExists(dir / "textures.mw"));
}

using testsupport::Captured;

TEST(PictureLoader, BmpArrivesPixelExactTopRowFirst) {
    TempDir dir;
    const auto pixels = testsupport::PatternPixels(512, 512);
    testsupport::WriteBytes(dir / "skin.bmp", testsupport::Bmp24(512, 512, pixels));
    ImageBuffer image = Captured(dir / "skin.bmp");
    ASSERT_EQ(image.Width, 512);
    ASSERT_EQ(image.Height, 512);
    EXPECT_EQ(image.Pixels, pixels);
}

TEST(PictureLoader, JpegIsReadByContent) {
    // Made by the native mkpicture tool: flat blocks, top-left red 200,
    // green 100, blue 40; bottom-right red 20, green 180, blue 40.
    const std::string jpeg = Env("MW4_TEST_JPEG");
    if (jpeg.empty()) GTEST_SKIP() << "MW4_TEST_JPEG not set";
    ImageBuffer image = Captured(jpeg);
    ASSERT_EQ(image.Width, 512);
    ASSERT_EQ(image.Height, 512);
    EXPECT_NEAR(image.Pixels[0], 40, 6);
    EXPECT_NEAR(image.Pixels[1], 100, 6);
    EXPECT_NEAR(image.Pixels[2], 200, 6);
    const std::uint8_t* last = image.Pixels.data() + (511 * 512 + 511) * 3;
    EXPECT_NEAR(last[1], 180, 6);
    EXPECT_NEAR(last[2], 20, 6);
}

TEST(PictureLoader, RejectsWhatIsNoPicture) {
    TempDir dir;
    testsupport::WriteBytes(dir / "x.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    plat::PictureBox box;
    EXPECT_THROW(plat::LoadPicture(box, dir / "x.jpg"), Error);
}

}  // namespace
