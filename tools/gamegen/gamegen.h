// Writes game folders shaped like an installation of the game, for tests and
// benchmarks: "resource\textures.mw4" and "resource\props.mw4" with every skin
// picture in the game's names, spread among many other entries. The same
// options and seed always give the same bytes.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/archive.h"

namespace gamegen {

enum class Size {
    Small,  // a few hundred entries, a few megabytes: for tests
    Full,   // textures about 200 MB in several thousand entries, props about 30 MB
};

struct Options {
    std::uint32_t seed = 1;
    Size size = Size::Small;
    std::set<int> missingSlots;    // slots (1..37) whose seven pictures are left out
    bool mixedCaseNames = false;   // skin names with upper-case letters
    bool spacedNames = false;      // skin names with spaces around them (lobby: after)
    int duplicateSlot = 0;         // this slot's mip 0 and lobby picture appear twice
    bool skinFirstAndLast = false; // a skin picture in the first and in the last entry
};

struct Archive {
    core::ArchiveHeader header;
    std::vector<core::ArchiveEntry> directory;
};

struct Game {
    Archive textures, props;
};

// Writes folder/resource/textures.mw4 and folder/resource/props.mw4 (folders
// made as needed) and returns what it wrote.
Game WriteGame(const std::string& folder, const Options& options);

// The archive at path rewritten so that every skin entry of slots 9 to 37
// holds a TGA-sized block (18 + side * side * 3 bytes) of pattern bytes, the
// state the patcher leaves; other entries keep their data. For tests of the
// inserter that do not run the patcher.
void MakePrepared(const std::string& path);

// The registry values that point the programs at a game folder.
struct RegistryValues {
    std::string exePath, cdPath;
};
RegistryValues RegistryFor(const std::string& systemFolder);

}  // namespace gamegen
