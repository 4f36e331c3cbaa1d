// The thin layer between the system and the Windows services it uses. Two
// implementations exist: platform_win32.cpp calls the real Windows functions,
// platform_portable.cpp stands in for them on other systems (real files,
// real picture decoding; only the player's answers and the registry's values
// are supplied from outside, see platform_portable.h). The build links one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "binfile.h"

namespace plat {

using WindowHandle = std::uintptr_t;

// ---- registry ------------------------------------------------------------
using RegKey = std::uintptr_t;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

// RegOpenKeyExA(root, subKey, 0, access, &key); returns its result code.
long OpenRegistryKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, RegKey& key);
// RegQueryValueExA(key, name, nullptr, &type, data, &size); data may be null.
long QueryRegistryValue(RegKey key, const std::string& name, std::uint32_t& type, void* data,
                   std::uint32_t& size);
void CloseRegistryKey(RegKey key);

// ---- files ---------------------------------------------------------------
// Opens a file for core::BinFile; raises core::Error when it cannot.
std::FILE* OpenFile(const std::string& path, core::OpenMode mode);
// The directory search behind FileExists: true when at least one name matches
// the path (wildcards allowed in its last part) under the attribute mask; 0
// matches ordinary files (read-only and archived ones too), never hidden or
// system files or folders. Raises core::Error on an invalid name or medium.
bool FindMatch(const std::string& path, int attributes);
// Attributes to normal (clears read-only, hidden, system, archive).
void SetAttributesNormal(const std::string& path);
void RemoveFile(const std::string& path);  // raises when the file cannot be deleted
std::string GetEnvironment(const std::string& name);

// ---- the shell's file copy -------------------------------------------------
// SHFileOperationA with FO_COPY and FOF_NOCONFIRMATION; from and to are lists
// ending in two NULs, title ends in a NUL. Its result is not returned.
void ShellFileCopy(WindowHandle owner, const std::string& fromList, const std::string& toList,
                   const std::string& title);

// ---- message boxes and pointer ---------------------------------------------
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbCritical = 16;
constexpr unsigned kMbYesNoWarning = 52;
constexpr unsigned kMbYesNoInformation = 68;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Owner of the message boxes and shell windows: the program's main window.
void SetMainWindow(WindowHandle window);
WindowHandle MainWindow();
int ShowMessage(const std::string& text, unsigned style, const std::string& title);
// The hourglass over all of the program's windows (true) or the default arrow.
void SetHourglass(bool on);
// Lets the program's window handle the messages waiting for it.
void ProcessPendingMessages();

// ---- picture boxes ---------------------------------------------------------
// A picture box with a persistent image and a device context, sized to the
// picture loaded into it, measuring in pixels, without a border.
struct PictureBoxImpl;
class PictureBox {
public:
    PictureBox();
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    PictureBoxImpl& impl() { return *impl_; }
    const PictureBoxImpl& impl() const { return *impl_; }

private:
    std::unique_ptr<PictureBoxImpl> impl_;
};

// The system picture loader: a BMP or JPEG file, recognised by its content,
// becomes the box's persistent image and the box takes its size. Raises
// core::Error (481, "Invalid picture") for a file it cannot decode.
void LoadPicture(PictureBox& box, const std::string& path);
// Removes the picture; the box keeps its size.
void ClearPicture(PictureBox& box);
int BoxInnerWidth(const PictureBox& box);
int BoxInnerHeight(const PictureBox& box);
// Sets the inner size (a new, black persistent image of that size).
void ResizeBox(PictureBox& box, int width, int height);
// GetDIBits(box dc, box image, 0, lines, bits, info, DIB_RGB_COLORS); info is
// a 1064-byte BITMAPINFO; rows arrive bottom row first, each padded to 4 bytes.
void GetBoxDIBits(const PictureBox& box, int lines, std::uint8_t* bits, std::uint8_t* info);
// StretchDIBits(box dc, 0, 0, w, h, 0, 0, w, h, bits, info, DIB_RGB_COLORS,
// SRCCOPY) into the persistent image, then shows it.
void DrawDIBits(PictureBox& box, int width, int height, const std::uint8_t* bits,
                const std::uint8_t* info);

// ---- window regions ----------------------------------------------------------
using RegionHandle = std::uintptr_t;  // 0: no region
// The colour of pixel (x, y) of the box's persistent image, as 0x00BBGGRR
// (GetPixel); outside the image, CLR_INVALID (0xFFFFFFFF).
std::uint32_t BoxPixel(const PictureBox& box, int x, int y);
// CreateRectRgn(left, top, right, bottom): right and bottom exclusive.
RegionHandle CreateRectRegion(int left, int top, int right, int bottom);
// CombineRgn(target, target, other, RGN_OR).
void CombineRegionOr(RegionHandle target, RegionHandle other);
void DeleteRegion(RegionHandle region);  // DeleteObject

}  // namespace plat
