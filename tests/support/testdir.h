// A fresh folder per test, removed afterwards, and small file helpers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // A path inside the folder, in the form the system's code takes.
    std::string operator/(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A 24-bit BMP of the given pixels (top row first, blue, green, red).
std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint8_t>& pixels);
// A picture whose every pixel differs from its neighbours: (x, y) has blue x,
// green y, red x ^ y (all modulo 256).
std::vector<std::uint8_t> PatternPixels(int width, int height);

}  // namespace testsupport
