// The game's resource archives (".mw4"): a 20-byte header, a directory of
// named entries, and the entries' data. Header and Directory hold the archive
// read last; every reader refills them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "binfile.h"

namespace core {

struct ArchiveHeader {
    std::array<std::uint8_t, 4> Signature{};
    std::int32_t Opaque1 = 0;
    std::int32_t Opaque2 = 0;
    std::int32_t DataStart = 0;   // base of every entry's DataOffset
    std::int16_t EntryCount = 0;  // signed: a set top bit reads as no entries
    std::int16_t Opaque3 = 0;
};

struct ArchiveEntry {
    std::array<std::uint8_t, 8> OpaqueBytes{};
    std::int32_t ContentSize = 0;
    std::int32_t StoredSize = 0;  // bytes the data take in the file
    std::int32_t DataOffset = 0;  // from the header's DataStart
    std::int16_t EntryNumber = 0; // the entry's own position in the directory
    std::uint8_t NameLength = 0;
    std::string Name;             // exactly NameLength bytes, kept as stored
};

constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kEntryFixedBytes = 23;

inline ArchiveHeader Header;
inline std::vector<ArchiveEntry> Directory;

// Fills Header and Directory from the archive at path. A missing file reads
// as an empty archive (all header fields 0) and is not created; a damaged one
// (header or directory cut short, more entries than the file can hold)
// raises core::Error naming the file.
void ReadArchiveDirectory(const std::string& path);
// The same on a file the caller holds open, from offset 0; the caller closes it.
// beforeEntry, when given, is told each position before its entry is read.
void ReadArchiveDirectory(BinFile& file, const std::function<void(std::size_t)>& beforeEntry = {});

// Bytes that header and directory take: 20 + the sum of (23 + NameLength).
std::uint64_t DirectoryEnd(const std::vector<ArchiveEntry>& directory);
// File offset of an entry's data: DataStart + DataOffset.
std::int64_t EntryDataPosition(const ArchiveHeader& header, const ArchiveEntry& entry);
// True when the entry's StoredSize bytes lie inside a file of fileSize bytes.
bool EntryDataInside(const ArchiveHeader& header, const ArchiveEntry& entry,
                     std::uint64_t fileSize);

// Writing rule 1, replacing one entry's content in place: moves the file to
// the entry's data, after checking that its StoredSize bytes lie inside the
// file (a damaged archive raises instead of writing elsewhere).
void SeekToEntryData(BinFile& file, const ArchiveHeader& header, const ArchiveEntry& entry);
// Writing rule 2, the rebuild: header and every entry with its name, at offset
// 0. Leaves the file positioned at the end of the directory.
void WriteArchiveDirectory(BinFile& file, const ArchiveHeader& header,
                           const std::vector<ArchiveEntry>& directory);

}  // namespace core
