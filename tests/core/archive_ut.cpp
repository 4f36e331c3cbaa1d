#include "core/archive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "tests/support/testdir.h"
#include "tools/gamegen/gamegen.h"

using namespace core;
using testsupport::TempDir;

namespace {

// Builds archive bytes field by field: header, then entries (fixed part, name).
struct ArchiveBytes {
    std::vector<std::uint8_t> b;
    void u8(std::uint8_t v) { b.push_back(v); }
    void u16(std::uint16_t v) { u8(std::uint8_t(v)), u8(std::uint8_t(v >> 8)); }
    void u32(std::uint32_t v) { u16(std::uint16_t(v)), u16(std::uint16_t(v >> 16)); }
    void header(std::int32_t dataStart, std::uint16_t count) {
        for (char c : std::string("MW4R")) u8(std::uint8_t(c));
        u32(0x11111111), u32(0x22222222), u32(std::uint32_t(dataStart)), u16(count), u16(0x3333);
    }
    void entry(std::int32_t stored, std::int32_t offset, std::int16_t number, const std::string& name,
               int nameLength = -1) {
        for (int i = 0; i < 8; ++i) u8(std::uint8_t(0xE0 + i));
        u32(std::uint32_t(stored + 5)), u32(std::uint32_t(stored)), u32(std::uint32_t(offset));
        u16(std::uint16_t(number));
        u8(std::uint8_t(nameLength < 0 ? int(name.size()) : nameLength));
        for (char c : name) u8(std::uint8_t(c));
    }
};

TEST(ReadArchiveDirectory, ReadsEveryFieldOfHeaderAndEntries) {
    TempDir dir;
    ArchiveBytes a;
    a.header(20 + 23 + 3 + 23 + 0 + 23 + 13, 3);
    a.entry(4, 0, 0, "abc");
    a.entry(0, 4, 1, "");                 // NameLength 0: the next entry follows at once
    a.entry(2, 4, 2, "  Skin80.tga ");     // spaces are kept as stored
    a.b.insert(a.b.end(), {1, 2, 3, 4, 5, 6});
    testsupport::WriteBytes(dir / "a.mw4", a.b);

    ReadArchiveDirectory(dir / "a.mw4");
    EXPECT_EQ(std::string(Header.Signature.begin(), Header.Signature.end()), "MW4R");
    EXPECT_EQ(Header.Opaque1, 0x11111111);
    EXPECT_EQ(Header.Opaque2, 0x22222222);
    EXPECT_EQ(Header.DataStart, 20 + 23 + 3 + 23 + 23 + 13);
    EXPECT_EQ(Header.EntryCount, 3);
    EXPECT_EQ(Header.Opaque3, 0x3333);
    ASSERT_EQ(Directory.size(), 3u);
    EXPECT_EQ(Directory[0].Name, "abc");
    EXPECT_EQ(Directory[0].ContentSize, 9);
    EXPECT_EQ(Directory[0].StoredSize, 4);
    EXPECT_EQ(Directory[0].OpaqueBytes[7], 0xE7);
    EXPECT_EQ(Directory[1].Name, "");
    EXPECT_EQ(Directory[1].EntryNumber, 1);
    EXPECT_EQ(Directory[2].Name, "  Skin80.tga ");
    EXPECT_EQ(Directory[2].DataOffset, 4);
    EXPECT_EQ(DirectoryEnd(Directory), std::uint64_t(Header.DataStart));
}

TEST(ReadArchiveDirectory, CountsThatAreZeroOrNegativeGiveNoEntries) {
    for (std::uint16_t count : {std::uint16_t(0), std::uint16_t(0x8001), std::uint16_t(0xFFFF)}) {
        TempDir dir;
        ArchiveBytes a;
        a.header(20, count);
        a.entry(0, 0, 0, "would be read if the count were taken unsigned");
        testsupport::WriteBytes(dir / "a.mw4", a.b);
        Directory.assign(5, ArchiveEntry{});
        ReadArchiveDirectory(dir / "a.mw4");
        EXPECT_TRUE(Directory.empty()) << count;
        EXPECT_EQ(Header.EntryCount, std::int16_t(count));
        EXPECT_EQ(Header.Opaque3, 0x3333);  // the header is read all the same
    }
}

TEST(ReadArchiveDirectory, MissingFileReadsAsEmptyAndIsNotCreated) {
    TempDir dir;
    Header.DataStart = 99;
    Directory.assign(2, ArchiveEntry{});
    ReadArchiveDirectory(dir / "resource/props.mw4");
    EXPECT_EQ(Header.EntryCount, 0);
    EXPECT_EQ(Header.DataStart, 0);
    EXPECT_TRUE(Directory.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "resource" / "props.mw4"));
}

TEST(ReadArchiveDirectory, DamagedArchivesRaiseAnErrorNamingTheFile) {
    struct Case {
        const char* what;
        ArchiveBytes bytes;
    };
    std::vector<Case> cases;
    {
        Case c{"header cut short", {}};
        c.bytes.header(20, 1);
        c.bytes.b.resize(11);
        cases.push_back(c);
    }
    {
        Case c{"empty file", {}};
        cases.push_back(c);
    }
    {
        Case c{"count larger than the file can hold", {}};
        c.bytes.header(20, 30000);
        c.bytes.entry(0, 0, 0, "x");
        cases.push_back(c);
    }
    {
        Case c{"fixed part cut short", {}};
        c.bytes.header(20, 2);
        c.bytes.entry(0, 0, 0, "one");
        c.bytes.entry(0, 0, 1, "two");
        c.bytes.b.resize(20 + 26 + 20);  // passes the count test, 3 bytes short of entry 1
        cases.push_back(c);
    }
    {
        Case c{"name runs past the end", {}};
        c.bytes.header(20, 1);
        c.bytes.entry(0, 0, 0, "short", 200);
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir / "bad.mw4";
        testsupport::WriteBytes(path, c.bytes.b);
        try {
            ReadArchiveDirectory(path);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number, err::InvalidFileFormat) << c.what;
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << c.what;
        }
    }
}

TEST(ReadArchiveDirectory, OnAnOpenFileLeavesItOpenForTheCaller) {
    TempDir dir;
    gamegen::WriteGame(dir.path().string(), {});
    BinFile file(dir / "resource/textures.mw4", OpenMode::Read);
    ReadArchiveDirectory(file);
    EXPECT_GT(Directory.size(), 222u);
    // Still usable: read the last entry's data through it.
    const ArchiveEntry& last = Directory.back();
    file.Seek(std::uint64_t(EntryDataPosition(Header, last)));
    std::vector<std::uint8_t> data(std::size_t(last.StoredSize));
    EXPECT_EQ(file.Read(data.data(), data.size()), data.size());
}

TEST(GeneratedGame, HasTheGamesShape) {
    TempDir dir;
    gamegen::Game game = gamegen::WriteGame(dir.path().string(), {});
    for (const char* name : {"resource/textures.mw4", "resource/props.mw4"}) {
        const std::string path = dir / name;
        ReadArchiveDirectory(path);
        const auto size = std::filesystem::file_size(path);
        EXPECT_EQ(std::uint64_t(Header.DataStart), DirectoryEnd(Directory)) << name;
        std::int64_t expected = Header.DataStart;
        for (std::size_t p = 0; p < Directory.size(); ++p) {
            const ArchiveEntry& e = Directory[p];
            EXPECT_EQ(e.EntryNumber, std::int16_t(p));
            EXPECT_NE(e.ContentSize, e.StoredSize);
            EXPECT_EQ(EntryDataPosition(Header, e), expected);
            expected += e.StoredSize;
            EXPECT_TRUE(EntryDataInside(Header, e, size));
        }
        EXPECT_EQ(std::uint64_t(expected), size);
    }
    EXPECT_EQ(game.textures.directory.size(), 300u + 222u);
    EXPECT_EQ(game.props.directory.size(), 120u + 37u);
}

TEST(WriteArchiveDirectory, WritesHeaderAndDirectoryBackByteForByte) {
    TempDir dir;
    gamegen::WriteGame(dir.path().string(), {});
    const std::string path = dir / "resource/textures.mw4";
    const auto before = testsupport::ReadBytes(path);
    ReadArchiveDirectory(path);
    {
        BinFile file(path, OpenMode::ReadWrite);
        WriteArchiveDirectory(file, Header, Directory);
        EXPECT_EQ(file.Tell(), DirectoryEnd(Directory));
        file.Close();
    }
    EXPECT_EQ(testsupport::ReadBytes(path), before);
}

TEST(SeekToEntryData, RefusesDataOutsideTheFile) {
    TempDir dir;
    gamegen::WriteGame(dir.path().string(), {});
    const std::string path = dir / "resource/props.mw4";
    BinFile file(path, OpenMode::Read);
    ReadArchiveDirectory(file);
    ArchiveEntry e = Directory.back();
    SeekToEntryData(file, Header, e);  // inside: fine
    EXPECT_EQ(file.Tell(), std::uint64_t(EntryDataPosition(Header, e)));
    for (auto [offset, stored] : {std::pair{e.DataOffset, e.StoredSize + 1},
                                  std::pair{-Header.DataStart - 1, 10},
                                  std::pair{e.DataOffset, -1}}) {
        ArchiveEntry bad = e;
        bad.DataOffset = offset;
        bad.StoredSize = stored;
        EXPECT_THROW(SeekToEntryData(file, Header, bad), Error);
    }
}

}  // namespace
