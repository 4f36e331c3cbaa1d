#include "tests/support/testdir.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
#ifdef _WIN32
    const fs::path base = fs::temp_directory_path();
#else
    // Not TEMP: the programs' tests point TEMP at folders of their own.
    const char* tmpdir = std::getenv("TMPDIR");
    const fs::path base = tmpdir && *tmpdir ? tmpdir : "/tmp";
#endif
    path_ = base /
            ("mw4test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Undo read-only marks first so that removal works everywhere.
    for (auto& e : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::operator/(const std::string& name) const { return (path_ / name).string(); }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint8_t>& pixels) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t dataBytes = stride * std::size_t(height);
    std::vector<std::uint8_t> b(54 + dataBytes, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, std::uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, std::uint32_t(dataBytes));
    for (int y = 0; y < height; ++y)  // bottom row first
        std::copy_n(pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(width) * 3),
                    std::size_t(width) * 3,
                    b.begin() + std::ptrdiff_t(54 + std::size_t(height - 1 - y) * stride));
    return b;
}

std::vector<std::uint8_t> PatternPixels(int width, int height) {
    std::vector<std::uint8_t> p(std::size_t(width) * std::size_t(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::size_t at = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
            p[at] = std::uint8_t(x);
            p[at + 1] = std::uint8_t(y);
            p[at + 2] = std::uint8_t(x ^ y);
        }
    return p;
}

}  // namespace testsupport
