#include "binfile.h"

#include <cerrno>

#include "error.h"
#include "platform.h"

namespace core {

namespace {
// Large blocks for the sequential reads and writes of whole archives.
constexpr std::size_t kBufferBytes = 1 << 18;

#ifdef _WIN32
int Seek64(std::FILE* f, std::uint64_t o) { return _fseeki64(f, std::int64_t(o), SEEK_SET); }
std::int64_t Tell64(std::FILE* f) { return _ftelli64(f); }
int SeekEnd(std::FILE* f) { return _fseeki64(f, 0, SEEK_END); }
#else
int Seek64(std::FILE* f, std::uint64_t o) { return fseeko(f, off_t(o), SEEK_SET); }
std::int64_t Tell64(std::FILE* f) { return ftello(f); }
int SeekEnd(std::FILE* f) { return fseeko(f, 0, SEEK_END); }
#endif

[[noreturn]] void WriteFailed(const std::string& path) {
    if (errno == ENOSPC) Raise(err::DiskFull, "Disk full");
    Raise(err::PathFileAccess, "Path/File access error: " + path);
}
}  // namespace

BinFile::BinFile(const std::string& path, OpenMode mode) : path_(path) {
    file_ = plat::OpenFile(path, mode);
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

BinFile::~BinFile() {
    if (file_) std::fclose(file_);
}

std::size_t BinFile::Read(void* data, std::size_t count) {
    if (count == 0) return 0;
    std::size_t got = std::fread(data, 1, count, file_);
    if (got < count && std::ferror(file_))
        Raise(err::PathFileAccess, "Path/File access error: " + path_);
    if (got < count) std::clearerr(file_);  // at the end: a later write must still work
    return got;
}

void BinFile::Write(const void* data, std::size_t count) {
    if (count == 0) return;
    errno = 0;
    if (std::fwrite(data, 1, count, file_) != count) WriteFailed(path_);
}

void BinFile::Seek(std::uint64_t offset) {
    if (Seek64(file_, offset) != 0) Raise(err::PathFileAccess, "Path/File access error: " + path_);
}

std::uint64_t BinFile::Tell() {
    std::int64_t at = Tell64(file_);
    if (at < 0) Raise(err::PathFileAccess, "Path/File access error: " + path_);
    return std::uint64_t(at);
}

std::uint64_t BinFile::Size() {
    const std::uint64_t at = Tell();
    if (SeekEnd(file_) != 0) Raise(err::PathFileAccess, "Path/File access error: " + path_);
    const std::uint64_t end = Tell();
    Seek(at);
    return end;
}

void BinFile::Close() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    errno = 0;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!flushed || !closed) WriteFailed(path_);
}

}  // namespace core
