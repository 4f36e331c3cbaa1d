// Morrent, the archive patcher: its shared state and its commands, each one
// a handler of the window frmMorrent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/image.h"
#include "core/platform.h"

namespace morrent {

inline std::string TempPath;  // TEMP exactly as it comes
inline std::string TempSep;   // "\" unless TempPath (trimmed) ends in one
// The bytes of the piece ReadPlaceholder read last.
inline std::vector<std::uint8_t> PlaceholderBytes;
// True while a pass rebuilds an archive: the hot spots start nothing then.
inline bool PassRunning = false;

std::string ProgramCaption();  // "Morrent [2.0.0]"

enum class StartResult { Ready, EndNow, CloseWindow };
// Caption, TEMP test and game test. EndNow: the TEMP test failed and its
// message was shown; CloseWindow: the game was not found.
StartResult Startup();

// The union of the box picture's non-magenta pixels, one rectangle per run;
// 0 when there is none.
plat::RegionHandle MakeWindowRegion(const plat::PictureBox& picture);

enum class HotSpot { Patch, Restore, Quit, Drag };
HotSpot HitTest(double x, double y);
// A mouse press on Picture1 at (x, y): runs the hot spot's command or starts
// a drag. Returns false when the window must close (QUIT, or a command that
// ended the program).
bool MouseDown(double x, double y);

void ReadPlaceholder(int piece);
void PatchCommand();    // cmdPatch
void RestoreCommand();  // cmdRestore

// Runs one command; an unexpected error is shown as a run-time error that
// names it, and the result is false: the program ends.
bool RunCommand(const std::function<void()>& command);

}  // namespace morrent
