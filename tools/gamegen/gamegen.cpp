#include "tools/gamegen/gamegen.h"

#include <algorithm>
#include <filesystem>

#include "core/binfile.h"
#include "core/skins.h"

namespace gamegen {

namespace {

// xorshift32: small, fast and the same everywhere.
struct Random {
    std::uint32_t state;
    explicit Random(std::uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }
    int Between(int lo, int hi) { return lo + int(Below(std::uint32_t(hi - lo + 1))); }
};

struct Planned {
    std::string name;
    std::int32_t length = 0;
    std::uint32_t dataSeed = 0;
};

bool IsTgaLength(std::int32_t n) {
    for (int side = 1; side <= 1024; side *= 2)
        if (n == core::TgaLength(side)) return true;
    return false;
}

// A data length of the game's kind: varied, never that of a plain TGA.
std::int32_t DataLength(Random& r, int lo, int hi) {
    std::int32_t n;
    do n = r.Between(lo, hi);
    while (IsTgaLength(n));
    return n;
}

std::string Styled(std::string name, const Options& o, bool lobby) {
    if (o.mixedCaseNames) {
        for (std::size_t i = 0; i < name.size(); i += 2)
            if (name[i] >= 'a' && name[i] <= 'z') name[i] = char(name[i] - 'a' + 'A');
    }
    if (o.spacedNames) name = lobby ? name + "  " : " " + name + " ";
    return name;
}

const char* const kOtherTextureStems[] = {"mech_atlas", "mech_madcat", "terrain_rock", "sky_dusk",
                                          "building_wall", "cockpit_hud", "tree_pine", "water"};
const char* const kPropStems[] = {"props\\models\\crate", "props\\models\\tower",
                                  "shellscripts\\graphics\\multiplayer\\maps\\map",
                                  "shellscripts\\script", "props\\sounds\\alarm"};

void FillData(std::vector<std::uint8_t>& block, std::uint32_t seed) {
    Random r(seed);
    std::size_t i = 0;
    for (; i + 4 <= block.size(); i += 4) core::PutU32(block.data() + i, r.Next());
    for (; i < block.size(); ++i) block[i] = std::uint8_t(r.Next());
}

Archive WriteArchive(const std::string& path, std::vector<Planned> entries, Random& r) {
    Archive a;
    a.header.Signature = {'M', 'W', '4', 'R'};
    a.header.Opaque1 = std::int32_t(r.Next());
    a.header.Opaque2 = 0x00010002;
    a.header.EntryCount = std::int16_t(entries.size());
    a.header.Opaque3 = std::int16_t(r.Below(1000));
    for (std::size_t p = 0; p < entries.size(); ++p) {
        core::ArchiveEntry e;
        for (auto& b : e.OpaqueBytes) b = std::uint8_t(r.Next());
        e.StoredSize = entries[p].length;
        e.ContentSize = entries[p].length * 2 + 7;  // the game's second size differs
        e.EntryNumber = std::int16_t(p);
        e.Name = entries[p].name;
        e.NameLength = std::uint8_t(e.Name.size());
        a.directory.push_back(e);
    }
    const std::uint64_t dataStart = core::DirectoryEnd(a.directory);
    a.header.DataStart = std::int32_t(dataStart);
    std::uint64_t at = dataStart;
    for (auto& e : a.directory) {
        e.DataOffset = std::int32_t(at - dataStart);
        at += std::uint64_t(e.StoredSize);
    }
    core::BinFile file(path, core::OpenMode::Create);
    core::WriteArchiveDirectory(file, a.header, a.directory);
    std::vector<std::uint8_t> block;
    for (std::size_t p = 0; p < entries.size(); ++p) {
        block.resize(std::size_t(entries[p].length));
        FillData(block, entries[p].dataSeed);
        file.Write(block.data(), block.size());
    }
    file.Close();
    return a;
}

// Skins spread among the others; optionally one skin first and one last.
std::vector<Planned> Spread(std::vector<Planned> skins, std::vector<Planned> others, Random& r,
                            bool skinFirstAndLast) {
    std::vector<Planned> all = others;
    for (auto& s : skins) {
        std::size_t at = all.empty() ? 0 : r.Below(std::uint32_t(all.size() + 1));
        all.insert(all.begin() + std::ptrdiff_t(at), s);
    }
    if (skinFirstAndLast && skins.size() >= 2) {
        auto first = std::find_if(all.begin(), all.end(),
                                  [&](const Planned& p) { return p.name == skins.front().name; });
        Planned f = *first;
        all.erase(first);
        all.insert(all.begin(), f);
        auto last = std::find_if(all.begin() + 1, all.end(),
                                 [&](const Planned& p) { return p.name == skins.back().name; });
        Planned l = *last;
        all.erase(last);
        all.push_back(l);
    }
    return all;
}

}  // namespace

Game WriteGame(const std::string& folder, const Options& o) {
    const bool full = o.size == Size::Full;
    Random r(o.seed);
    std::filesystem::create_directories(std::filesystem::path(folder) / "resource");

    std::vector<Planned> skins, lobby, otherTextures, otherProps;
    for (int slot = 1; slot <= core::kLastSlot; ++slot) {
        if (o.missingSlots.count(slot)) continue;
        for (int m = 0; m < core::kMipLevels; ++m) {
            // Skins in the game are compressed: lengths well below the TGA's.
            int side = core::MipSide(m);
            skins.push_back({Styled(core::SkinTextureName(slot, m), o, false),
                             DataLength(r, 40 + side * side / 16, 60 + side * side / 2), r.Next()});
        }
        lobby.push_back({Styled(core::LobbySkinName(slot), o, true), DataLength(r, 300, 2500), r.Next()});
    }
    if (o.duplicateSlot) {
        skins.push_back({core::SkinTextureName(o.duplicateSlot, 0), DataLength(r, 1000, 5000), r.Next()});
        lobby.push_back({core::LobbySkinName(o.duplicateSlot), DataLength(r, 300, 2500), r.Next()});
    }
    const int textureCount = full ? 4300 : 300;
    for (int i = 0; i < textureCount; ++i) {
        std::string name = std::string("textures\\") + kOtherTextureStems[i % 8] + "_" +
                           std::to_string(i) + (i % 5 == 0 ? ".dds" : ".tga");
        otherTextures.push_back({name, full ? DataLength(r, 2000, 88000) : DataLength(r, 30, 3000), r.Next()});
    }
    const int propCount = full ? 1600 : 120;
    for (int i = 0; i < propCount; ++i) {
        std::string name = std::string(kPropStems[i % 5]) + std::to_string(i) + (i % 3 ? ".mdl" : ".dat");
        otherProps.push_back({name, full ? DataLength(r, 1000, 36000) : DataLength(r, 10, 2000), r.Next()});
    }
    Game game;
    auto texturesPlan = Spread(skins, otherTextures, r, o.skinFirstAndLast);
    auto propsPlan = Spread(lobby, otherProps, r, o.skinFirstAndLast);
    game.textures = WriteArchive(folder + "/resource/textures.mw4", texturesPlan, r);
    game.props = WriteArchive(folder + "/resource/props.mw4", propsPlan, r);
    return game;
}

void MakePrepared(const std::string& path) {
    // Read the archive into memory (test fixtures are small), then rewrite it
    // by the rebuild rule with TGA-sized skin entries.
    core::BinFile in(path, core::OpenMode::Read);
    core::ReadArchiveDirectory(in);
    core::ArchiveHeader header = core::Header;
    std::vector<core::ArchiveEntry> directory = core::Directory;
    std::vector<std::vector<std::uint8_t>> data;
    for (auto& e : directory) {
        std::vector<std::uint8_t> bytes(std::size_t(std::max(e.StoredSize, 0)));
        in.Seek(std::uint64_t(core::EntryDataPosition(header, e)));
        in.Read(bytes.data(), bytes.size());
        const std::string name = core::LowerCase(e.Name);
        for (int slot = core::kFirstUserSlot; slot <= core::kLastSlot; ++slot) {
            int side = 0;
            for (int m = 0; m < core::kMipLevels; ++m)
                if (core::NameMatches(e.Name, core::SkinTextureName(slot, m))) side = core::MipSide(m);
            if (core::NameMatches(e.Name, core::LobbySkinName(slot))) side = core::kLobbySide;
            if (side == 0) continue;
            bytes.assign(std::size_t(core::TgaLength(side)), std::uint8_t(0xA0 + slot));
            e.StoredSize = e.ContentSize = core::TgaLength(side);
        }
        data.push_back(std::move(bytes));
    }
    in.Close();
    std::int64_t at = std::int64_t(core::DirectoryEnd(directory));
    for (auto& e : directory) {
        e.DataOffset = std::int32_t(at - header.DataStart);
        at += e.StoredSize;
    }
    core::BinFile out(path, core::OpenMode::Create);
    core::WriteArchiveDirectory(out, header, directory);
    for (auto& d : data) out.Write(d.data(), d.size());
    out.Close();
}

RegistryValues RegistryFor(const std::string& systemFolder) { return {systemFolder, "D:\\"}; }

}  // namespace gamegen
