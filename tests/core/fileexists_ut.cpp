#include <gtest/gtest.h>

#include <filesystem>

#include "core/locator.h"
#include "tests/support/testdir.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace core;
using testsupport::TempDir;

namespace {

// A hidden file as the platform knows it: the hidden attribute on Windows, a
// leading dot elsewhere.
std::string MakeHidden(const TempDir& dir) {
#ifdef _WIN32
    const std::string path = dir / "hidden.dat";
    testsupport::WriteBytes(path, {1});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
    const std::string path = dir / ".hidden.dat";
    testsupport::WriteBytes(path, {1});
#endif
    return path;
}

std::string MakeReadOnly(const TempDir& dir) {
    const std::string path = dir / "readonly.dat";
    testsupport::WriteBytes(path, {1});
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    return path;
}

TEST(FileExists, MatchesOrdinaryFilesOnly) {
    TempDir dir;
    testsupport::WriteBytes(dir / "plain.mw4", {1});
    std::filesystem::create_directories(dir.path() / "folder");
    struct Case {
        std::string path;
        bool expected;
    } cases[] = {
        {"", false},
        {dir / "plain.mw4", true},
        {MakeReadOnly(dir), true},
        {MakeHidden(dir), false},
        {dir / "folder", false},
        {dir / "absent.mw4", false},
        {dir / "absent/plain.mw4", false},
        {dir / "*.mw4", true},
        {dir / "pl?in.*", true},
        {dir / "*.zip", false},
        {std::string("\x01:\\no\\such\\drive"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(FileExists(c.path, 0), c.expected) << c.path;
}

}  // namespace
