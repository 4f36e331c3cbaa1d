// File > Open: a 512x512 BMP, JPEG or uncompressed 24-bit TGA becomes the
// loaded picture, top row first; anything else is refused.
#include "core/error.h"
#include "core/image.h"
#include "core/platform.h"
#include "core/program.h"
#include "core/scaling.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

namespace {
// The largest side a TGA may declare before it is refused unread: far beyond
// any skin, small enough that reading it never needs much memory.
constexpr int kLargestTgaSide = 4096;

const char* const kUnreadable = "This picture file can't be read!";

void Say(const std::string& text) { plat::ShowMessage(text, plat::kMbOk, core::ProgramName); }

void Refuse(const std::string& message) {
    Say(message);
    LoadedImage.BitsPerPixel = 0;
    plat::ClearPicture(view::Picture1());
}

void RefuseSize() {
    Say("Skin file isn't 512x512!");
    LoadedImage.Pixels.clear();
    LoadedImage.BitsPerPixel = 0;
    plat::ClearPicture(view::Picture1());
}

std::string Kind(const std::string& path) {
    std::string kind = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : kind)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return kind;
}
}  // namespace

void FileOpen() {
    view::OpenDialogSettings settings;
    settings.title = "Open 512x512 Skin";
    settings.filter =
        "All Formats|*.bmp;*.tga;*.jpg|*.bmp Windows Bitmap|*.bmp|*.jpg Jpeg File|*.jpg|*.tga Targa "
        "File|*.tga";
    settings.defaultExtension = "*.bmp;*.tga;*.jpg";
    settings.flags = 6148;  // OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST
    std::string path;
    if (!view::ShowOpenDialog(settings, path)) return;  // cancelled: nothing changes

    const std::string kind = Kind(path);
    plat::PictureBox& box = view::Picture1();
    if (kind == "JPG" || kind == "BMP") {
        // A file the loader cannot read is refused like any wrong picture.
        try {
            plat::LoadPicture(box, path);
        } catch (const core::Error&) {
            Refuse(kUnreadable);
            return;
        }
        core::CaptureImage(box, LoadedImage);
        core::FlipImage(LoadedImage);
    } else if (kind == "TGA") {
        core::TgaHeader header;
        try {
            if (!core::ReadTgaHeader(path, header) || header.ImageType != 2 || header.BitsPerPixel != 24) {
                Refuse("Targa file must be 24-bit Uncompressed!");
                return;
            }
        } catch (const core::Error&) {
            Refuse(kUnreadable);
            return;
        }
        // A size that could never be a skin is refused before anything is read.
        if (header.Width <= 0 || header.Height <= 0 || header.Width > kLargestTgaSide ||
            header.Height > kLargestTgaSide) {
            RefuseSize();
            return;
        }
        try {
            core::LoadTGA(path, LoadedImage);
        } catch (const core::Error&) {
            Refuse(kUnreadable);
            return;
        }
        plat::ResizeBox(box, LoadedImage.Width, LoadedImage.Height);
        RefreshPicture();
    } else {
        Refuse("Unsupported format!");
        return;
    }

    if (plat::BoxInnerWidth(box) == 512 && plat::BoxInnerHeight(box) == 512) {
        RefreshPicture();
        WorkImage = LoadedImage;
        view::SetStatus("Texture Loaded ready to insert");
        return;
    }
    RefuseSize();
}

}  // namespace vellix
