// Camouflage patterns for the placeholder skins and the sample skin: 512x512
// pictures drawn from a seed with deterministic noise, so the same bytes come
// out on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace camo {

struct Pattern {
    std::string name;
    int style;                                  // see camo.cpp
    std::vector<std::uint32_t> colours;         // 0xRRGGBB, ground first
    double scale;                               // feature size in pixels
    std::uint32_t seed;
};

// The 29 placeholder patterns, for slots 9 to 37 in order.
const std::vector<Pattern>& Placeholders();
// The sample skin that ships for the demo.
Pattern Sample();
// Draws a pattern: top row first, red, green, blue.
std::vector<std::uint8_t> Draw(const Pattern& pattern, int size = 512);

}  // namespace camo
