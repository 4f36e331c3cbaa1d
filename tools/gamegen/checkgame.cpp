// checkgame: reads a game folder's two archives back and indexes them with
// both indexers; exits 0 when every skin picture of slots 1 to 37 is found
// and every entry's data lie inside its archive.
//   checkgame FOLDER
#include <cstdio>
#include <filesystem>

#include "core/archive.h"
#include "core/error.h"
#include "core/locator.h"
#include "core/program.h"
#include "core/skins.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: checkgame FOLDER\n");
        return 2;
    }
    core::MechPath = argv[1];
    core::MechSep = "\\";
    core::ProgramName = "checkgame";
    try {
        for (const char* name : {"resource\\textures.mw4", "resource\\props.mw4"}) {
            core::ReadArchiveDirectory(core::GamePath(name));
            const std::string host = std::string(argv[1]) + "/resource/" + (name + 9);
            const auto size = std::filesystem::file_size(host);
            for (std::size_t p = 0; p < core::Directory.size(); ++p) {
                const auto& e = core::Directory[p];
                if (e.EntryNumber != std::int16_t(p) || !core::EntryDataInside(core::Header, e, size)) {
                    std::fprintf(stderr, "checkgame: %s entry %zu is out of shape\n", name, p);
                    return 1;
                }
            }
            std::printf("%s: %zu entries, %llu bytes\n", name, core::Directory.size(),
                        static_cast<unsigned long long>(size));
        }
        for (auto& slot : core::TextureIndex) slot.fill(-1);
        core::LobbyIndex.fill(-1);
        core::IndexSkins();
        int found = 0;
        for (int slot = 1; slot <= core::kLastSlot; ++slot) {
            for (int m = 0; m < core::kMipLevels; ++m) found += core::TextureIndex[slot][m] >= 0;
            found += core::LobbyIndex[slot] >= 0;
        }
        core::ListSkins();
        int textureRecords = 0, lobbyRecords = 0;
        for (std::size_t k = 1; k < core::SkinTextureRefs.size(); ++k) textureRecords += core::SkinTextureRefs[k].Slot != 0;
        for (std::size_t k = 1; k < core::LobbySkinRefs.size(); ++k) lobbyRecords += core::LobbySkinRefs[k].Slot != 0;
        std::printf("IndexSkins: %d of 259 pictures; ListSkins: %d texture and %d lobby records\n", found,
                    textureRecords, lobbyRecords);
        return found == 259 && textureRecords == 174 && lobbyRecords == 29 ? 0 : 1;
    } catch (const core::Error& e) {
        std::fprintf(stderr, "checkgame: %s\n", e.what());
        return 1;
    }
}
