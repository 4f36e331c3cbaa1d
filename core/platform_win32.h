// The Win32 side of a picture box, for the programs' window code: the box's
// window (none for a hidden work box), its memory device context and the
// persistent image selected into it.
#pragma once

#include <windows.h>

#include "platform.h"

namespace plat {

struct PictureBoxImpl {
    HWND window = nullptr;   // the visible box, painted from the persistent image
    HDC dc = nullptr;        // memory DC holding the persistent image
    HBITMAP image = nullptr;
    HGDIOBJ previous = nullptr;
    int width = 0, height = 0;
    bool hasPicture = false;
};

// Creates the child window that shows box inside parent at (x, y).
void CreatePictureBoxWindow(PictureBox& box, HWND parent, int x, int y, int id);
// Replaces the persistent image by a copy of bitmap (the box takes its size).
void SetBoxBitmap(PictureBox& box, HBITMAP bitmap);

// Registers a program's main window class: its procedure, icon and background.
void RegisterMainClass(const char* name, WNDPROC procedure, int iconId, HBRUSH background);
// The message loop, until the main window has gone.
void RunMessageLoop();

// True while the hourglass is shown (the windows keep it on WM_SETCURSOR).
bool HourglassOn();

// The running program's version numbers from its VERSIONINFO resource
// (FILEVERSION major, minor, 0, revision); false when it has none.
bool OwnVersion(int& major, int& minor, int& revision);

}  // namespace plat
