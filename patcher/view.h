// What Morrent's commands need of its window frmMorrent. The Win32 window
// (win32/window.cpp) and the portable stand-in (view_portable.cpp) each
// provide these; the build links one.
#pragma once

#include <string>

#include "core/platform.h"

namespace morrent::view {

void SetCaption(const std::string& caption);
// lblStatus, and its repaint at once.
void SetStatus(const std::string& text);
void RepaintStatus();
plat::WindowHandle Handle();
void CloseMainWindow();
// ReleaseCapture, then WM_NCLBUTTONDOWN with HTCAPTION: the system drags the window.
void StartDrag();
// Picture2: the hidden work box of the patch command.
plat::PictureBox& Picture2();

struct Version {
    int major = 0, minor = 0, revision = 0;
};
Version ProgramVersion();

}  // namespace morrent::view
