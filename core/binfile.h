// Binary files with positioned, buffered reads and writes, and explicit
// little-endian field access. Every file the system opens goes through here.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace core {

enum class OpenMode {
    Read,       // existing file, reading only
    ReadWrite,  // reading and writing; created when missing, never shortened
    Create,     // a new, empty file for writing (an existing one is cut to 0)
};

// One open file. Not copyable; closes itself. Reads past the end return fewer
// bytes (never an error), as the system's readers expect; write failures raise.
class BinFile {
public:
    BinFile(const std::string& path, OpenMode mode);
    ~BinFile();
    BinFile(const BinFile&) = delete;
    BinFile& operator=(const BinFile&) = delete;

    const std::string& Path() const { return path_; }
    std::size_t Read(void* data, std::size_t count);  // returns the bytes read
    void Write(const void* data, std::size_t count);
    void Seek(std::uint64_t offset);
    std::uint64_t Tell();
    std::uint64_t Size();
    void Close();  // flushes; a failure raises (a full disk shows up here too)

private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

// Little-endian field access on byte arrays.
inline std::uint16_t GetU16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
inline std::int16_t GetI16(const std::uint8_t* p) { return std::int16_t(GetU16(p)); }
inline std::uint32_t GetU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
inline std::int32_t GetI32(const std::uint8_t* p) { return std::int32_t(GetU32(p)); }
inline void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

}  // namespace core
