// JPEG encoding for test fixtures (libjpeg-turbo; native builds only).
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {
// rgb: top row first, red, green, blue. A baseline JPEG of the given quality.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb,
                                     int quality);
}
