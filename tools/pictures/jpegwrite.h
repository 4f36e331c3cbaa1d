// Baseline JPEG and 24-bit BMP writing for the tools (libjpeg-turbo).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {
// rgb: top row first, red, green, blue.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb,
                                     int quality);
std::vector<std::uint8_t> EncodeBmp(int width, int height, const std::vector<std::uint8_t>& rgb);
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
}  // namespace pictures
