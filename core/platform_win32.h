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

}  // namespace plat
