// Edit > Insert Skin: the loaded picture, scaled to the six mip sizes and the
// lobby size, written in place over the chosen slot's entries of the prepared
// archives. Only entries whose StoredSize is exactly the TGA length are
// written, so nothing outside them ever changes.
#include <algorithm>
#include <array>
#include <new>

#include "core/archive.h"
#include "core/backup.h"
#include "core/binfile.h"
#include "core/error.h"
#include "core/locator.h"
#include "core/platform.h"
#include "core/program.h"
#include "core/scaling.h"
#include "core/skins.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

namespace {
const char* const kTextures = "resource\\textures.mw4";
const char* const kProps = "resource\\props.mw4";
// 18 + side * side * 3 for the six mip sides.
constexpr std::array<std::int32_t, 6> kMipLengths = {0xC0012, 0x30012, 0xC012, 0x3012, 0xC12, 0x312};

// The entry at a stored position, or none when the position no longer lies
// inside the directory (an archive replaced after start-up).
const core::ArchiveEntry* EntryAt(std::int16_t position) {
    if (position < 0 || std::size_t(position) >= core::Directory.size()) return nullptr;
    return &core::Directory[std::size_t(position)];
}

// One picture into an open archive: entry e, side s.
template <class Steps>
void WritePicture(core::BinFile& archive, std::int16_t e, int side, Steps steps) {
    steps.position();
    const core::ArchiveEntry* entry = EntryAt(e);
    if (!entry) core::Raise(core::err::SubscriptOutOfRange, "Subscript out of range");
    core::SeekToEntryData(archive, core::Header, *entry);
    steps.alloc();
    WorkImage.Width = LoadedImage.Width;
    WorkImage.Height = LoadedImage.Height;
    WorkImage.BitsPerPixel = LoadedImage.BitsPerPixel;
    WorkImage.Palette = LoadedImage.Palette;
    WorkImage.Pixels.resize(std::size_t(LoadedImage.Width) * std::size_t(LoadedImage.Height) * 3);
    steps.copy();
    std::copy_n(LoadedImage.Pixels.begin(), std::min(LoadedImage.Pixels.size(), WorkImage.Pixels.size()),
                WorkImage.Pixels.begin());
    if (side != 512) {
        steps.resize();
        core::ResizeImage(WorkImage, side, side);
    }
    steps.write();
    core::WriteTGA(archive, WorkImage);
}

struct MipSteps {
    int slot, k;
    void position() const { LastStep = "Getting Skin " + std::to_string(slot) + " Length of File " + std::to_string(k); }
    void alloc() const { LastStep = "Allocating Buffer for Skin " + std::to_string(slot) + " /" + std::to_string(k); }
    void copy() const { LastStep = "Copy Memory " + std::to_string(k); }
    void resize() const { LastStep = "Resizing " + std::to_string(k); }
    void write() const { LastStep = "SaveTGA " + std::to_string(k); }
};

struct LobbySteps {
    int slot;
    void position() const { LastStep = "props Get length of buffer " + std::to_string(slot); }
    void alloc() const { LastStep = "props Alloc buffer " + std::to_string(slot); }
    void copy() const { LastStep = "props Copymemory " + std::to_string(slot); }
    void resize() const { LastStep = "props Resize Memory " + std::to_string(slot); }
    void write() const { LastStep = "props SaveTGA " + std::to_string(slot); }
};

void Say(const std::string& text, unsigned style, const std::string& title) {
    plat::ShowMessage(text, style, title);
}

// The steps that trap every run-time error (7 to 23).
void InsertTrapped() {
    const int slot = CurrentSlot;
    LastStep = "Before Check Patch";
    bool patched = TexturesPatched();
    LastStep = "After Check Patch";
    LastStep = "Alloc directory";
    if (core::Directory.size() > 1) core::Directory.resize(1);
    LastStep = "after Alloc directory";
    if (!patched) {
        plat::SetHourglass(false);
        Say("The Morrent is required to use the Vellix tool!", plat::kMbOk, "textures.mw4 not patched!");
        return;
    }
    view::SetStatus("Quick Patching resource\\textures.mw4");  // shows at the next repaint only
    {
        const std::string path = core::GamePath(kTextures);
        LastStep = "Before Open " + path;
        core::BinFile archive(path, core::OpenMode::ReadWrite);
        LastStep = "After Open " + path;
        core::ReadArchiveDirectory(archive, [](std::size_t i) {
            LastStep = "After Dynamic Alloc Directory " + std::to_string(i + 1);
        });
        for (int k = 0; k < core::kMipLevels; ++k) {
            WritePicture(archive, core::TextureIndex[std::size_t(slot)][std::size_t(k)], core::MipSide(k),
                         MipSteps{slot, k});
            if (k == 0) {
                // Kept for those who look for it; failing to write it (no
                // permission on the drive's root) must not stop the insert.
                try {
                    core::SaveTGA("c:\\test.tga", WorkImage);
                } catch (const core::Error&) {
                }
            }
        }
        LastStep = "Out of TGA 5";
        archive.Close();
    }
    if (!core::FileExists(core::GamePath(kProps), 0)) {
        Say("Mechwarrior path is invalid!", plat::kMbCritical, core::ProgramName);
        CloseWindow();
        return;
    }
    if (!core::FileExists(core::GamePath(std::string(kProps) + "b"), 0)) {
        view::SetStatus("Backing up resource\\props.mw4");
        view::RepaintStatus();
        core::BackupFile(kProps, view::Handle());
    }
    plat::SetHourglass(true);
    LastStep = "Checking Patched Props";
    patched = PropsPatched();
    LastStep = "Clearing Directory";
    core::Directory.clear();
    if (!patched) {
        plat::SetHourglass(false);
        Say("The Morrent is required to use the Vellix tool!", plat::kMbOk, "props.mw4 not patched!");
        return;
    }
    view::SetStatus("Quick Patching resource\\props.mw4");
    view::RepaintStatus();
    {
        const std::string path = core::GamePath(kProps);
        LastStep = "Open File " + path;
        core::BinFile archive(path, core::OpenMode::ReadWrite);
        core::ReadArchiveDirectory(archive, [](std::size_t i) { LastStep = "Alloc Directory" + std::to_string(i + 1); });
        WritePicture(archive, core::LobbyIndex[std::size_t(slot)], core::kLobbySide, LobbySteps{slot});
        archive.Close();
    }
    plat::SetHourglass(false);
    view::SetStatus("Done.");
    view::RepaintStatus();
}
}  // namespace

bool TexturesPatched() {
    const std::string path = core::GamePath(kTextures);
    if (!core::FileExists(path, 0)) return false;
    core::BinFile archive(path, core::OpenMode::Read);
    core::ReadArchiveDirectory(archive);
    bool result = true;
    for (int k = 0; k < core::kMipLevels && result; ++k) {
        const core::ArchiveEntry* entry = EntryAt(core::TextureIndex[std::size_t(CurrentSlot)][std::size_t(k)]);
        result = entry && entry->StoredSize == kMipLengths[std::size_t(k)];
    }
    archive.Close();
    return result;
}

bool PropsPatched() {
    core::Directory.clear();
    const std::string path = core::GamePath(kProps);
    if (!core::FileExists(path, 0)) return false;
    core::BinFile archive(path, core::OpenMode::Read);
    core::ReadArchiveDirectory(archive);
    const core::ArchiveEntry* entry = EntryAt(core::LobbyIndex[std::size_t(CurrentSlot)]);
    const bool result = entry && entry->StoredSize == core::TgaLength(core::kLobbySide);
    archive.Close();
    return result;
}

void InsertSkin() {
    core::Directory.clear();
    if (LoadedImage.BitsPerPixel == 0) {
        Say("Load a 512x512 image to use for a skin", plat::kMbOk, "Vellix");
        return;
    }
    if (!core::FileExists(core::GamePath(kTextures), 0)) {
        Say("Mechwarrior path is invalid!", plat::kMbCritical, core::ProgramName);
        CloseWindow();
        return;
    }
    if (!core::FileExists(core::GamePath(std::string(kTextures) + "b"), 0)) {
        view::SetStatus("Backing up resource\\textures.mw4");
        view::RepaintStatus();
        core::BackupFile(kTextures, view::Handle());
    }
    plat::SetHourglass(true);
    try {
        InsertTrapped();
    } catch (const core::Error& e) {
        // The one error handler of the insert: the number, the description and
        // the step in progress; then the program ends (the open archive is
        // closed on the way out).
        Say("Error " + std::to_string(e.number) + "\n" + e.what() + "\n" + LastStep, plat::kMbOk, "Vellix");
        throw EndProgram{};
    } catch (const std::bad_alloc&) {
        Say("Error 7\nOut of memory\n" + LastStep, plat::kMbOk, "Vellix");
        throw EndProgram{};
    }
}

}  // namespace vellix
