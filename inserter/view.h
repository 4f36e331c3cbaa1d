// What Vellix's commands need of its window frmVellix. The Win32 window
// (win32/window.cpp) and the portable stand-in (view_portable.cpp) each
// provide these; the build links one.
#pragma once

#include <string>

#include "core/platform.h"

namespace vellix::view {

void SetCaption(const std::string& caption);
// lblStatus: the caption, and a repaint at once.
void SetStatus(const std::string& text);
std::string Status();
void RepaintStatus();
// Shows the main window (start-up shows it early only to put it behind a message).
void ShowMainWindow();
// Unloads the window: the program ends once the running command returns.
void CloseMainWindow();
plat::WindowHandle Handle();
// The Skin menu's item (9..37) check mark.
void SetSkinChecked(int index, bool checked);
// Picture1: the preview box.
plat::PictureBox& Picture1();

// The common Open dialog; false when the player cancels.
struct OpenDialogSettings {
    std::string title, filter, defaultExtension;
    unsigned flags = 0;
};
bool ShowOpenDialog(const OpenDialogSettings& settings, std::string& chosenPath);

// The program's version numbers, from its own version information.
struct Version {
    int major = 0, minor = 0, revision = 0;
};
Version ProgramVersion();

}  // namespace vellix::view
