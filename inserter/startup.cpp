// Start-up and the skin index files "resource\textures.inx" (444 bytes) and
// "resource\props.inx" (74 bytes): the directory positions of every skin
// picture, kept from run to run and checked against the archives each start.
#include <vector>

#include "core/archive.h"
#include "core/binfile.h"
#include "core/locator.h"
#include "core/platform.h"
#include "core/program.h"
#include "core/skins.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

namespace {
const char* const kTextureIndexFile = "resource\\textures.inx";
const char* const kLobbyIndexFile = "resource\\props.inx";
constexpr std::size_t kTextureValues = core::kLastSlot * core::kMipLevels;  // 222
constexpr std::size_t kLobbyValues = core::kLastSlot;                       // 37

// Reads up to count int16 values; a shorter file leaves the cells past its end.
std::vector<std::int16_t> ReadValues(const std::string& path, std::size_t count,
                                     std::vector<bool>& present) {
    std::vector<std::uint8_t> bytes(count * 2);
    core::BinFile file(path, core::OpenMode::Read);
    const std::size_t got = file.Read(bytes.data(), bytes.size());
    file.Close();
    std::vector<std::int16_t> values(count);
    present.assign(count, false);
    for (std::size_t i = 0; i * 2 + 2 <= got; ++i) {
        values[i] = core::GetI16(bytes.data() + i * 2);
        present[i] = true;
    }
    return values;
}

void ReadTextureIndex(const std::string& path) {
    std::vector<bool> present;
    auto values = ReadValues(path, kTextureValues, present);
    for (int slot = 1; slot <= core::kLastSlot; ++slot)
        for (int m = 0; m < core::kMipLevels; ++m) {
            const std::size_t i = std::size_t((slot - 1) * core::kMipLevels + m);
            if (present[i]) core::TextureIndex[std::size_t(slot)][std::size_t(m)] = values[i];
        }
}

void ReadLobbyIndex(const std::string& path) {
    std::vector<bool> present;
    auto values = ReadValues(path, kLobbyValues, present);
    for (int slot = 1; slot <= core::kLastSlot; ++slot)
        if (present[std::size_t(slot - 1)]) core::LobbyIndex[std::size_t(slot)] = values[std::size_t(slot - 1)];
}

void WriteValues(const std::string& path, const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 2);
    for (std::size_t i = 0; i < values.size(); ++i) core::PutU16(bytes.data() + i * 2, std::uint16_t(values[i]));
    // Overwritten from its first byte, never shortened.
    core::BinFile file(path, core::OpenMode::ReadWrite);
    file.Seek(0);
    file.Write(bytes.data(), bytes.size());
    file.Close();
}

bool Outside(std::int16_t position) {
    return position < 0 || std::size_t(position) >= core::Directory.size();
}
}  // namespace

bool Startup() {
    const view::Version v = view::ProgramVersion();
    view::SetCaption("Vellix [" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                     std::to_string(v.revision) + "]");
    if (!core::LocateGame()) {
        CloseWindow();
        return false;
    }
    const std::string created = "An index of the skins must be created to be patch independent.";
    if (core::FileExists(core::GamePath(kTextureIndexFile), 0))
        ReadTextureIndex(core::GamePath(kTextureIndexFile));
    else
        RebuildIndex(created);
    if (core::FileExists(core::GamePath(kLobbyIndexFile), 0))
        ReadLobbyIndex(core::GamePath(kLobbyIndexFile));
    else
        RebuildIndex(created);
    if (CheckIndex())
        RebuildIndex("A change has been detected in your files, the index must be recreated now.");
    SkinClick(9);
    return true;
}

bool CheckIndex() {
    core::ReadArchiveDirectory(core::GamePath("resource\\textures.mw4"));
    for (int slot = 1; slot <= core::kLastSlot; ++slot)
        for (int m = 0; m < core::kMipLevels; ++m)
            if (Outside(core::TextureIndex[std::size_t(slot)][std::size_t(m)])) return true;
    for (int slot = 1; slot <= core::kLastSlot; ++slot)
        for (int m = 0; m < core::kMipLevels; ++m) {
            const auto& entry = core::Directory[std::size_t(core::TextureIndex[std::size_t(slot)][std::size_t(m)])];
            if (!core::NameMatches(entry.Name, core::SkinTextureName(slot, m))) return true;
        }
    core::ReadArchiveDirectory(core::GamePath("resource\\props.mw4"));
    for (int slot = 1; slot <= core::kLastSlot; ++slot)
        if (Outside(core::LobbyIndex[std::size_t(slot)])) return true;
    for (int slot = 1; slot <= core::kLastSlot; ++slot) {
        const auto& entry = core::Directory[std::size_t(core::LobbyIndex[std::size_t(slot)])];
        if (!core::NameMatches(entry.Name, core::LobbySkinName(slot))) return true;
    }
    return false;
}

void RebuildIndex(const std::string& message) {
    view::ShowMainWindow();
    plat::ShowMessage(message, plat::kMbOk, core::ProgramName);
    view::SetStatus("Indexing Skins");
    view::RepaintStatus();
    plat::SetHourglass(true);
    core::IndexSkins();
    plat::SetHourglass(false);
    SaveIndexFiles();
    view::SetStatus("Ready to load texture.");
    view::RepaintStatus();
}

void SaveIndexFiles() {
    std::vector<std::int16_t> textures, lobby;
    for (int slot = 1; slot <= core::kLastSlot; ++slot) {
        for (int m = 0; m < core::kMipLevels; ++m) textures.push_back(core::TextureIndex[std::size_t(slot)][std::size_t(m)]);
        lobby.push_back(core::LobbyIndex[std::size_t(slot)]);
    }
    WriteValues(core::GamePath(kTextureIndexFile), textures);
    WriteValues(core::GamePath(kLobbyIndexFile), lobby);
}

}  // namespace vellix
