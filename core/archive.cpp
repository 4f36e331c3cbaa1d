#include "archive.h"

#include <memory>

#include "error.h"

namespace core {

namespace {

[[noreturn]] void Damaged(const BinFile& file, const std::string& what) {
    Raise(err::InvalidFileFormat,
          "The archive " + file.Path() + " is damaged (" + what + ").");
}

void DecodeHeader(const std::uint8_t* b, ArchiveHeader& h) {
    std::memcpy(h.Signature.data(), b, 4);
    h.Opaque1 = GetI32(b + 4);
    h.Opaque2 = GetI32(b + 8);
    h.DataStart = GetI32(b + 12);
    h.EntryCount = GetI16(b + 16);
    h.Opaque3 = GetI16(b + 18);
}

void EncodeHeader(const ArchiveHeader& h, std::uint8_t* b) {
    std::memcpy(b, h.Signature.data(), 4);
    PutU32(b + 4, std::uint32_t(h.Opaque1));
    PutU32(b + 8, std::uint32_t(h.Opaque2));
    PutU32(b + 12, std::uint32_t(h.DataStart));
    PutU16(b + 16, std::uint16_t(h.EntryCount));
    PutU16(b + 18, std::uint16_t(h.Opaque3));
}

void DecodeEntry(const std::uint8_t* b, ArchiveEntry& e) {
    std::memcpy(e.OpaqueBytes.data(), b, 8);
    e.ContentSize = GetI32(b + 8);
    e.StoredSize = GetI32(b + 12);
    e.DataOffset = GetI32(b + 16);
    e.EntryNumber = GetI16(b + 20);
    e.NameLength = b[22];
}

void EncodeEntry(const ArchiveEntry& e, std::uint8_t* b) {
    std::memcpy(b, e.OpaqueBytes.data(), 8);
    PutU32(b + 8, std::uint32_t(e.ContentSize));
    PutU32(b + 12, std::uint32_t(e.StoredSize));
    PutU32(b + 16, std::uint32_t(e.DataOffset));
    PutU16(b + 20, std::uint16_t(e.EntryNumber));
    b[22] = e.NameLength;
}

}  // namespace

void ReadArchiveDirectory(BinFile& file, const std::function<void(std::size_t)>& beforeEntry) {
    Directory.clear();
    Header = ArchiveHeader{};
    const std::uint64_t size = file.Size();
    file.Seek(0);
    std::uint8_t head[kHeaderBytes];
    if (file.Read(head, sizeof head) != sizeof head) Damaged(file, "its header is cut short");
    DecodeHeader(head, Header);
    if (Header.EntryCount <= 0) return;
    const std::size_t count = std::size_t(Header.EntryCount);
    // Every entry takes at least its fixed part: refuse a count the file cannot
    // hold before allocating for it.
    if (count > (size - kHeaderBytes) / kEntryFixedBytes)
        Damaged(file, "its directory claims more entries than the file holds");
    Directory.reserve(count);
    std::uint8_t fixed[kEntryFixedBytes];
    for (std::size_t p = 0; p < count; ++p) {
        if (beforeEntry) beforeEntry(p);
        ArchiveEntry& entry = Directory.emplace_back();
        if (file.Read(fixed, sizeof fixed) != sizeof fixed)
            Damaged(file, "its directory is cut short at entry " + std::to_string(p));
        DecodeEntry(fixed, entry);
        entry.Name.resize(entry.NameLength);
        if (file.Read(entry.Name.data(), entry.NameLength) != entry.NameLength)
            Damaged(file, "the name of entry " + std::to_string(p) + " runs past the end");
    }
}

void ReadArchiveDirectory(const std::string& path) {
    std::unique_ptr<BinFile> file;
    try {
        file = std::make_unique<BinFile>(path, OpenMode::Read);
    } catch (const Error& e) {
        // A missing archive reads as an empty one and is never created by reading.
        if (e.number != err::FileNotFound && e.number != err::PathNotFound) throw;
        Header = ArchiveHeader{};
        Directory.clear();
        return;
    }
    ReadArchiveDirectory(*file);
    file->Close();
}

std::uint64_t DirectoryEnd(const std::vector<ArchiveEntry>& directory) {
    std::uint64_t end = kHeaderBytes;
    for (const ArchiveEntry& e : directory) end += kEntryFixedBytes + e.NameLength;
    return end;
}

std::int64_t EntryDataPosition(const ArchiveHeader& header, const ArchiveEntry& entry) {
    return std::int64_t(header.DataStart) + entry.DataOffset;
}

bool EntryDataInside(const ArchiveHeader& header, const ArchiveEntry& entry,
                     std::uint64_t fileSize) {
    const std::int64_t start = EntryDataPosition(header, entry);
    if (start < 0 || entry.StoredSize < 0) return false;
    return std::uint64_t(start) + std::uint64_t(entry.StoredSize) <= fileSize;
}

void SeekToEntryData(BinFile& file, const ArchiveHeader& header, const ArchiveEntry& entry) {
    if (!EntryDataInside(header, entry, file.Size()))
        Damaged(file, "the data of entry " + std::to_string(entry.EntryNumber) +
                          " lie outside the file");
    file.Seek(std::uint64_t(EntryDataPosition(header, entry)));
}

void WriteArchiveDirectory(BinFile& file, const ArchiveHeader& header,
                           const std::vector<ArchiveEntry>& directory) {
    // One block for header and directory: a few hundred kilobytes at most.
    std::vector<std::uint8_t> bytes(DirectoryEnd(directory));
    EncodeHeader(header, bytes.data());
    std::size_t at = kHeaderBytes;
    for (const ArchiveEntry& e : directory) {
        EncodeEntry(e, bytes.data() + at);
        std::memcpy(bytes.data() + at + kEntryFixedBytes, e.Name.data(), e.NameLength);
        at += kEntryFixedBytes + e.NameLength;
    }
    file.Seek(0);
    file.Write(bytes.data(), bytes.size());
}

}  // namespace core
