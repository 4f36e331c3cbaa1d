// frmMorrent, the archive patcher's window: a borderless picture cut to the
// outline of its artwork, with three hot spots drawn into it and a
// transparent green status line. A press anywhere else drags the window.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "core/platform_win32.h"
#include "core/program.h"
#include "patcher/morrent.h"
#include "patcher/view.h"
#include "patcher/win32/resource.h"

namespace {

const char* const kClassName = "frmMorrent";

struct Window {
    HWND handle = nullptr;
    HWND status = nullptr;
    std::string statusText;
    plat::PictureBox picture1, picture2;
} g_window;

// lblStatus: green, centred, on the picture behind it (owner-drawn, so that it
// is transparent however often its text changes).
void DrawStatus(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    POINT at{r.left, r.top};
    MapWindowPoints(item.hwndItem, g_window.handle, &at, 1);
    const plat::PictureBoxImpl& box = g_window.picture1.impl();
    if (box.dc) BitBlt(item.hDC, 0, 0, r.right - r.left, r.bottom - r.top, box.dc, at.x, at.y, SRCCOPY);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 255, 0));
    HGDIOBJ old = SelectObject(item.hDC, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(item.hDC, g_window.statusText.c_str(), -1, &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // Presses on Picture1 (forwarded by the box) and on the window itself.
            if (!morrent::MouseDown(double(short(LOWORD(lParam))), double(short(HIWORD(lParam)))))
                DestroyWindow(window);
            return 0;
        case WM_DRAWITEM:
            DrawStatus(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_SETCURSOR:
            if (plat::HourglassOn()) {
                SetCursor(LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (morrent::PassRunning) return 0;  // never in the middle of a pass
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

namespace morrent::view {

void SetCaption(const std::string& caption) { SetWindowTextA(g_window.handle, caption.c_str()); }

void SetStatus(const std::string& text) {
    g_window.statusText = text;
    SetWindowTextA(g_window.status, text.c_str());  // read by the end-to-end driver
}

void RepaintStatus() {
    InvalidateRect(g_window.status, nullptr, FALSE);
    UpdateWindow(g_window.status);
}

plat::WindowHandle Handle() { return reinterpret_cast<plat::WindowHandle>(g_window.handle); }

void CloseMainWindow() { DestroyWindow(g_window.handle); }

void StartDrag() {
    ReleaseCapture();
    SendMessageA(g_window.handle, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

plat::PictureBox& Picture2() { return g_window.picture2; }

Version ProgramVersion() {
    Version v;
    plat::OwnVersion(v.major, v.minor, v.revision);
    return v;
}

}  // namespace morrent::view

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    core::ProgramName = "Morrent";
    OleInitialize(nullptr);
    plat::RegisterMainClass(kClassName, WindowProc, IDI_MORRENT, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // No border, no caption bar, no control box.
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, kClassName, "Morrent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 403, 259,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    g_window.handle = window;
    plat::SetMainWindow(reinterpret_cast<plat::WindowHandle>(window));

    const morrent::StartResult start = morrent::Startup();
    if (start == morrent::StartResult::EndNow) return 0;  // at once, after the TEMP message
    if (start == morrent::StartResult::CloseWindow) {
        DestroyWindow(window);
        return 0;
    }

    // Picture1 holds the background and takes its size; the window takes Picture1's.
    HBITMAP background = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_BACKGROUND));
    plat::SetBoxBitmap(g_window.picture1, background);
    DeleteObject(background);
    plat::CreatePictureBoxWindow(g_window.picture1, window, 0, 0, IDC_PICTURE1);
    SetWindowLongPtrA(g_window.picture1.impl().window, GWL_STYLE,
                      GetWindowLongPtrA(g_window.picture1.impl().window, GWL_STYLE) | WS_CLIPSIBLINGS);
    const int width = plat::BoxInnerWidth(g_window.picture1), height = plat::BoxInnerHeight(g_window.picture1);
    // lblStatus at 188,176, 93 x 21, above the picture.
    g_window.status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 188, 176, 93, 21, window,
                                      reinterpret_cast<HMENU>(IDC_STATUS), instance, nullptr);
    SetWindowPos(g_window.status, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    plat::RegionHandle region = morrent::MakeWindowRegion(g_window.picture1);
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER);
    // From here the region belongs to the system.
    if (region) SetWindowRgn(window, reinterpret_cast<HRGN>(region), TRUE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    plat::RunMessageLoop();
    OleUninitialize();
    return 0;
}
