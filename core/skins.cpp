#include "skins.h"

#include <vector>

#include "archive.h"
#include "locator.h"
#include "platform.h"
#include "program.h"

namespace core {

namespace {
const std::string kTexturePrefix = "textures\\skin";
const std::string kLobbyPrefix = "shellscripts\\graphics\\multiplayer\\lobbyskins\\skin";

// The slot's character inside resource names; slot 37 uses "_" directly.
std::string SlotChar(int slot) { return slot == kLastSlot ? "_" : SkinChar(slot - 1); }

// Trimmed and lower-cased once per entry, for the searches below.
std::vector<std::string> NormalisedNames() {
    std::vector<std::string> names;
    names.reserve(Directory.size());
    for (const ArchiveEntry& e : Directory) names.push_back(LowerCase(TrimSpaces(e.Name)));
    return names;
}

int FindFirst(const std::vector<std::string>& names, const std::string& resourceName) {
    for (std::size_t e = 0; e < names.size(); ++e)
        if (names[e] == resourceName) return int(e);
    return -1;
}
}  // namespace

std::string SkinChar(int code) {
    return std::string(1, code <= 9 ? char('0' + code) : char(code + 87));
}

std::string SkinTextureName(int slot, int mip) {
    return kTexturePrefix + SlotChar(slot) + char('0' + mip) + ".tga";
}

std::string LobbySkinName(int slot) { return kLobbyPrefix + SlotChar(slot) + "4.tga"; }

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

bool NameMatches(const std::string& directoryName, const std::string& resourceName) {
    return LowerCase(TrimSpaces(directoryName)) == resourceName;
}

void IndexSkins() {
    ReadArchiveDirectory(GamePath("resource\\textures.mw4"));
    std::vector<std::string> names = NormalisedNames();
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        for (int m = 0; m < kMipLevels; ++m) {
            int e = FindFirst(names, SkinTextureName(slot, m));
            if (e >= 0)
                TextureIndex[slot][m] = std::int16_t(e);
            else
                plat::ShowMessage("error getting skins", plat::kMbOk, ProgramName);
        }
    }
    ReadArchiveDirectory(GamePath("resource\\props.mw4"));
    names = NormalisedNames();
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        int e = FindFirst(names, LobbySkinName(slot));
        if (e >= 0)
            LobbyIndex[slot] = std::int16_t(e);
        else
            plat::ShowMessage("error getting skins", plat::kMbOk, ProgramName);
    }
}

void ListSkins() {
    ReadArchiveDirectory(GamePath("resource\\textures.mw4"));
    std::size_t k = 0;
    for (std::size_t e = 0; e < Directory.size(); ++e) {
        const std::string t = LowerCase(TrimSpaces(Directory[e].Name));
        if (t.compare(0, kTexturePrefix.size(), kTexturePrefix) != 0) continue;
        for (int slot = kFirstUserSlot; slot <= kLastSlot; ++slot) {
            for (int m = 0; m < kMipLevels; ++m) {
                if (t != SkinTextureName(slot, m)) continue;
                if (k + 1 < SkinTextureRefs.size())
                    SkinTextureRefs[++k] = {std::int16_t(slot), std::int16_t(m), std::int16_t(e)};
            }
        }
    }
    ReadArchiveDirectory(GamePath("resource\\props.mw4"));
    k = 0;
    for (std::size_t e = 0; e < Directory.size(); ++e) {
        // The prefix test looks at the untrimmed name: a lobby name with leading
        // spaces is not recorded, unlike a texture name.
        const std::string lower = LowerCase(Directory[e].Name);
        if (lower.compare(0, kLobbyPrefix.size(), kLobbyPrefix) != 0) continue;
        for (int slot = kFirstUserSlot; slot <= kLastSlot; ++slot) {
            if (!NameMatches(Directory[e].Name, LobbySkinName(slot))) continue;
            if (k + 1 >= LobbySkinRefs.size()) continue;
            ++k;
            LobbySkinRefs[k].Slot = std::int16_t(slot);  // the middle field is never set
            LobbySkinRefs[k].EntryIndex = std::int16_t(e);
        }
    }
}

}  // namespace core
