// Finding the game: the registry key the game's installer writes, the check
// that the folder holds the texture archive, and the path rule
// MechPath & MechSep & "resource\textures.mw4" that every game file follows.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform.h"

namespace core {

inline std::string MechPath;  // the game folder exactly as the registry gives it
inline std::string MechSep;   // "\" when MechPath needs one before a relative path
inline std::string CDPath;    // the game's CD path; only its being non-empty matters

inline const char* const kGameKey = "Software\\Microsoft\\Microsoft Games\\Mechwarrior Vengeance";

// What GetRegistryValue can leave in its output slot.
using RegistryValue = std::variant<std::monostate, std::string, std::uint32_t>;

// Reads one value of an open key; 0 means value was filled (see locator.cpp).
long GetRegistryValue(plat::RegKey key, const std::string& valueName, RegistryValue& value);
// A filled value as text: a number becomes its decimal digits.
std::string RegistryText(const RegistryValue& value);
// True when path names at least one ordinary file; never raises.
bool FileExists(const std::string& path, int attributes = 0);
// Sets MechPath, CDPath and MechSep; shows the failure message and returns false.
bool LocateGame();
// MechPath & MechSep & relative.
std::string GamePath(const std::string& relative);
// Leading and trailing spaces removed (the system's Trim: spaces only).
std::string TrimSpaces(const std::string& text);

}  // namespace core
