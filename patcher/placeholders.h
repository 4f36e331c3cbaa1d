// The placeholder pack "blob.blb": 29 pictures back to back, piece p (1..29)
// for slot p + 8, at fixed start offsets that the file itself does not store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace morrent {

// Start of each piece; the 30th value is the end of piece 29.
inline constexpr std::array<std::int32_t, 30> kPieceStarts = {
    0,       75342,   160305,  231295,  384883,  459868,  561495,  658406,  772189,  893937,
    972827,  1019812, 1051508, 1175756, 1277636, 1368438, 1434806, 1529223, 1593457, 1713557,
    1790341, 1890791, 1953575, 2052074, 2137860, 2235215, 2326308, 2405523, 2485813, 3272299};

inline constexpr std::size_t PieceLength(int piece) {
    return std::size_t(kPieceStarts[std::size_t(piece)] - kPieceStarts[std::size_t(piece - 1)]);
}

}  // namespace morrent
