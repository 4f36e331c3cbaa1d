// The catalogue of skins (slots 1 to 37, their one-character codes, the
// resource names of their six textures and lobby picture) and the two skin
// indexers: Vellix's lookup tables and Morrent's lists in directory order.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace core {

constexpr int kFirstUserSlot = 9;
constexpr int kLastSlot = 37;
constexpr int kMipLevels = 6;

// Length of an uncompressed 24-bit TGA of side x side pixels.
constexpr std::int32_t TgaLength(int side) { return 18 + side * side * 3; }
constexpr int MipSide(int mip) { return 512 >> mip; }
constexpr int kLobbySide = 32;

std::string SkinChar(int code);                    // 0..35: "0".."9", "a".."z"
std::string SkinTextureName(int slot, int mip);    // "textures\skin" & c & m & ".tga"
std::string LobbySkinName(int slot);               // "...\lobbyskins\skin" & c & "4.tga"
// Lower-cased copy (8-bit characters; only A-Z change).
std::string LowerCase(std::string text);
// Directory name matches resource name: trimmed, lower-cased, then equal.
bool NameMatches(const std::string& directoryName, const std::string& resourceName);

// Vellix's tables: directory positions per slot (0..37, slot 0 unused) and mip.
inline std::array<std::array<std::int16_t, kMipLevels>, kLastSlot + 1> TextureIndex{};
inline std::array<std::int16_t, kLastSlot + 1> LobbyIndex{};
// Fills both tables from the two archives; one "error getting skins" box per
// picture not found (its cell keeps its value).
void IndexSkins();

// Morrent's lists, filled from element 1 on in directory order; element 0 is
// never filled, and elements past the last record keep earlier runs' values.
struct SkinTextureRef {
    std::int16_t Slot = 0;
    std::int16_t Mip = 0;
    std::int16_t EntryIndex = 0;
};
struct LobbySkinRef {
    std::int16_t Slot = 0;
    std::int16_t Unused = 0;
    std::int16_t EntryIndex = 0;
};
inline std::array<SkinTextureRef, 175> SkinTextureRefs{};
inline std::array<LobbySkinRef, 30> LobbySkinRefs{};
// Fills both lists; shows nothing. Matches beyond the lists' room (possible
// only with names that appear twice) are not recorded.
void ListSkins();

}  // namespace core
