// What the portable platform layer takes from outside and records: the stand-ins
// for the registry and for the player (answers to message boxes and dialogs).
// Everything else it does for real (files, copies, picture decoding).
//
// Paths: the system's Windows-style paths are mapped onto the host. A
// backslash is a folder separator; a drive prefix "X:\" (any letter, either
// case) stands for the folder <drive root>/x, where the drive root is set by
// SetDriveRoot (default: $MW4_DRIVE_ROOT, else /tmp/mw4-drives); a path that
// starts with a single backslash is on the current drive, taken as C:. Other paths
// are taken as host paths, relative ones from the current folder. File names
// starting with "." count as hidden; a file without its owner's write
// permission counts as read-only, and is refused for writing and deleting as
// Windows refuses it (even for root).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform.h"

namespace plat::portable {

// Registry values under HKEY_LOCAL_MACHINE\key.
void SetRegistryValue(const std::string& key, const std::string& name, std::uint32_t type,
                      const std::vector<std::uint8_t>& data);
void SetRegistryText(const std::string& key, const std::string& name, const std::string& text);
void ClearRegistry();

void SetDriveRoot(const std::string& hostFolder);
std::string HostPath(const std::string& systemPath);

struct MessageRecord {
    std::string text;
    unsigned style = 0;
    std::string title;
};
// Every message box shown, in order.
std::vector<MessageRecord>& Messages();
// Answers for the coming message boxes, used up in order; when none is left a
// box is answered with OK, or with DefaultYesNoAnswer for a Yes/No box.
std::deque<int>& Answers();
inline int DefaultYesNoAnswer = kIdYes;
// Called as each box is shown (after recording it), before it is answered.
inline std::function<void(const MessageRecord&)> OnMessage;

struct ShellCopyRecord {
    WindowHandle owner = 0;
    std::string fromList, toList, title;  // exactly as passed, NULs included
};
std::vector<ShellCopyRecord>& ShellCopies();
// Stand-in for a shell copy cut short (the player pressing Cancel, a full
// disk): when set, the copy writes only this many bytes of the source.
inline long long ShellCopyLimit = -1;
// Stand-in for a shell copy that fails outright (nothing is written).
inline bool ShellCopyFails = false;

// Every file deleted through the layer, in order.
inline std::vector<std::string> RemovedFiles;

inline bool HourglassShown = false;
inline int PendingMessageRounds = 0;
inline std::function<void()> OnPendingMessages;

// Regions, as the portable layer keeps them: a union of rectangles, with a
// count of those created and not yet deleted.
struct Rect {
    int left, top, right, bottom;
};
const std::vector<Rect>& RegionRects(RegionHandle region);
inline int LiveRegions = 0;
// Puts a picture (top row first, blue, green, red) into a box, as the loader would.
void SetBoxPicture(PictureBox& box, int width, int height, const std::vector<std::uint8_t>& pixels);

// Forgets every record and answer and the registry values (not the drive root).
void Reset();

// The pixels a picture box holds: bottom row first, 24 bits, rows padded to 4.
struct BoxPixels {
    int width = 0, height = 0;
    const std::vector<std::uint8_t>* dib = nullptr;
};
BoxPixels Pixels(const PictureBox& box);
bool HasPicture(const PictureBox& box);

}  // namespace plat::portable
