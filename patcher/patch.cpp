// The patch command: both archives rebuilt from their backups so that every
// skin picture of slots 9 to 37 is an uncompressed 24-bit TGA of its fixed
// length, filled from the placeholder pack; every other entry is copied.
// The rebuild streams: one entry at a time, in large sequential blocks.
#include <algorithm>

#include "core/archive.h"
#include "core/backup.h"
#include "core/binfile.h"
#include "core/error.h"
#include "core/locator.h"
#include "core/program.h"
#include "core/scaling.h"
#include "core/skins.h"
#include "patcher/morrent.h"
#include "patcher/placeholders.h"
#include "patcher/view.h"

namespace morrent {

namespace {

constexpr std::size_t kCopyBlock = 1 << 20;

// What went wrong with a placeholder, after its archive has been put back.
struct PlaceholderFailed {
    int piece;
};

// One pass's reference list: element j's slot, mip and directory position.
struct Reference {
    int slot, mip, entryIndex;
};

struct Pass {
    const char* archive;  // relative names
    const char* backup;
    bool textures;        // texture references (else lobby references)
    const char* labelPrefix;
    const char* captionPrefix;
    int wrap;             // one past the last element of the list
};

Reference Element(const Pass& pass, int j) {
    if (pass.textures) {
        const auto& r = core::SkinTextureRefs[std::size_t(j)];
        return {r.Slot, r.Mip, r.EntryIndex};
    }
    const auto& r = core::LobbySkinRefs[std::size_t(j)];
    return {r.Slot, -1, r.EntryIndex};
}

// "0%" formatting: the fraction times 100, rounded to a whole number.
std::string Percent(std::size_t done, std::size_t total) {
    return std::to_string((200 * done + total) / (2 * total)) + "%";
}

std::int32_t OffsetFrom(std::uint64_t position, std::int32_t dataStart) {
    const std::int64_t offset = std::int64_t(position) - dataStart;
    if (offset < INT32_MIN || offset > INT32_MAX) core::Raise(core::err::Overflow, "Overflow");
    return std::int32_t(offset);
}

// Loads piece for placeholder j through its temporary picture into Picture2
// and leaves the 512x512 picture, top row first, in work. False when the
// piece is no 512x512 picture; the temporary picture is gone in every case.
bool LoadPlaceholder(int piece, int j, core::ImageBuffer& work) {
    ReadPlaceholder(piece);
    const std::string temp = TempPath + TempSep + std::to_string(j) + ".jpg";
    {
        core::BinFile file(temp, core::OpenMode::Create);
        file.Write(PlaceholderBytes.data(), PlaceholderBytes.size());
        file.Close();
    }
    bool loaded = true;
    try {
        plat::LoadPicture(view::Picture2(), temp);
    } catch (const core::Error&) {
        loaded = false;
    }
    plat::RemoveFile(temp);
    if (!loaded) return false;
    core::CaptureImage(view::Picture2(), work);
    core::FlipImage(work);
    return work.Width == 512 && work.Height == 512;
}

void CopyEntry(core::BinFile& backup, core::BinFile& archive, core::ArchiveEntry& entry,
               std::vector<std::uint8_t>& block) {
    backup.Seek(std::uint64_t(core::EntryDataPosition(core::Header, entry)));
    entry.DataOffset = OffsetFrom(archive.Tell(), core::Header.DataStart);
    std::size_t left = std::size_t(entry.StoredSize);
    while (left > 0) {
        const std::size_t n = std::min(left, block.size());
        if (backup.Read(block.data(), n) != n)
            core::Raise(core::err::InputPastEnd, "Input past end of file: " + backup.Path());
        archive.Write(block.data(), n);
        left -= n;
    }
}

// Every entry's data must lie inside the backup before the archive is touched:
// a backup cut short (a failed shell copy) would otherwise destroy it.
bool BackupHoldsEveryEntry(core::BinFile& backup) {
    const std::uint64_t size = backup.Size();
    return std::all_of(core::Directory.begin(), core::Directory.end(),
                       [&](const core::ArchiveEntry& e) { return core::EntryDataInside(core::Header, e, size); });
}

// One pass; false when it stopped with a message (the archive left as it was).
bool RunPass(const Pass& pass) {
    const std::string archivePath = core::GamePath(pass.archive);
    const std::string backupPath = core::GamePath(pass.backup);
    int failedPiece = 0;
    {
        core::BinFile backup(backupPath, core::OpenMode::Read);  // missing: a file error
        core::ReadArchiveDirectory(backup);
        if (!BackupHoldsEveryEntry(backup)) {
            backup.Close();
            plat::SetHourglass(false);
            plat::ShowMessage(std::string(pass.backup) + " is incomplete, so " + pass.archive +
                                  " was left as it was.\nDelete the incomplete backup and patch again.",
                              plat::kMbCritical, core::ProgramName);
            return false;
        }
        plat::SetAttributesNormal(archivePath);
        core::BinFile archive(archivePath, core::OpenMode::ReadWrite);
        core::WriteArchiveDirectory(archive, core::Header, core::Directory);
        std::vector<std::uint8_t> block(kCopyBlock);
        core::ImageBuffer work;
        std::string label;
        int j = 1;
        const std::size_t count = core::Directory.size();
        for (std::size_t i = 0; i < count && failedPiece == 0; ++i) {
            const std::string pct = Percent(i + 1, count);
            if (label != pass.labelPrefix + pct) {  // repaint only what changed
                label = pass.labelPrefix + pct;
                view::SetStatus(label);
                view::SetCaption(pass.captionPrefix + pct);
                view::RepaintStatus();
            }
            plat::ProcessPendingMessages();

            core::ArchiveEntry& entry = core::Directory[i];
            const Reference r = Element(pass, j);
            // An element never filled (slot 0) serves no entry.
            if (r.entryIndex != entry.EntryNumber || r.slot < core::kFirstUserSlot || r.slot > core::kLastSlot) {
                CopyEntry(backup, archive, entry, block);
                continue;
            }
            if (!LoadPlaceholder(r.slot - 8, j, work)) {
                failedPiece = r.slot - 8;
                break;
            }
            const int side = pass.textures ? core::MipSide(r.mip) : core::kLobbySide;
            if (side != 512) core::ResizeImage(work, side, side);
            const std::uint64_t start = archive.Tell();
            entry.DataOffset = OffsetFrom(start, core::Header.DataStart);
            core::WriteTGA(archive, work);
            entry.StoredSize = entry.ContentSize = std::int32_t(archive.Tell() - start);
            if (++j == pass.wrap) j = 0;
        }
        if (failedPiece == 0) core::WriteArchiveDirectory(archive, core::Header, core::Directory);
        archive.Close();
        backup.Close();
    }
    plat::SetHourglass(false);
    view::SetStatus("");
    view::RepaintStatus();
    if (failedPiece == 0) return true;
    // The archive is half rebuilt: put it back from its complete backup.
    core::ShellCopy(backupPath, archivePath, "Restoring", view::Handle());
    plat::ShowMessage("Piece " + std::to_string(failedPiece) + " of blob.blb is not a 512x512 picture.\n" +
                          pass.archive + " was put back from its backup.",
                      plat::kMbCritical, core::ProgramName);
    return false;
}

const Pass kTexturesPass{"resource\\textures.mw4", "resource\\textures.mw4b", true, "(1/2) ", "Patching (1/2) ", 175};
const Pass kPropsPass{"resource\\props.mw4", "resource\\props.mw4b", false, "(2/2) ", "Patching (2/2) ", 30};

struct PassGuard {
    PassGuard() { PassRunning = true; }
    ~PassGuard() { PassRunning = false; }
};

}  // namespace

void ReadPlaceholder(int piece) {
    const std::size_t length = PieceLength(piece);
    core::BinFile blob("blob.blb", core::OpenMode::Read);
    blob.Seek(std::uint64_t(kPieceStarts[std::size_t(piece - 1)]));
    PlaceholderBytes.resize(length);
    PlaceholderBytes.resize(blob.Read(PlaceholderBytes.data(), length));  // a short pack gives a short piece
    blob.Close();
}

void PatchCommand() {
    const std::string question =
        "This program is going to patch the Mechwarrior4 Vengeance files to allow quick skinning.\n"
        "The program will backup the current files into a *.mw4b file for restoration.  This backup\n"
        "will require 250 Megabytes free on the drive that Mechwarrior4 Vengeance is installed.\n"
        "This is an unauthorized patch and is not supported by Microsoft or the Mech4 team.\n"
        "Install this patch at your own risk.\n"
        "Do you wish to continue to patch?";
    if (plat::ShowMessage(question, plat::kMbYesNoWarning, "Continue to patch?") == plat::kIdNo) return;
    PassGuard guard;
    const auto finish = [] {
        view::SetCaption(ProgramCaption());
        plat::SetHourglass(false);
    };
    if (!core::FileExists("blob.blb", 0)) {
        plat::ShowMessage("Blob.blb is missing!", plat::kMbOk, core::ProgramName);
        return finish();
    }
    // The lobby list comes from the same indexing as the texture list; with the
    // textures archive missing it is made before the props pass instead, so
    // that no unfilled element (slot 0) is ever taken for a picture.
    bool listed = false;
    if (core::FileExists(core::GamePath("resource\\textures.mw4"), 0)) {
        if (!core::FileExists(core::GamePath("resource\\textures.mw4b"), 0))
            core::BackupFile("resource\\textures.mw4", view::Handle());
        plat::SetHourglass(true);
        core::ListSkins();
        listed = true;
        if (!RunPass(kTexturesPass)) return finish();
    } else {
        plat::ShowMessage("Mechwarrior path is invalid!", plat::kMbCritical, core::ProgramName);
    }
    if (!core::FileExists(core::GamePath("resource\\props.mw4"), 0)) {
        plat::ShowMessage("Mechwarrior path is invalid!", plat::kMbCritical, core::ProgramName);
        return finish();
    }
    if (!core::FileExists(core::GamePath("resource\\props.mw4b"), 0))
        core::BackupFile("resource\\props.mw4", view::Handle());
    plat::SetHourglass(true);
    if (!listed) core::ListSkins();
    if (!RunPass(kPropsPass)) return finish();
    plat::ShowMessage("Done!", plat::kMbOk, core::ProgramName);
    finish();
}

}  // namespace morrent
