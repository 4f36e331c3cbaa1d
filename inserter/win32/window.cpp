// frmVellix, the skin inserter's window: a fixed-size window with the File,
// Edit and Skin menus, the preview box Picture1 and the status line inside
// Frame1. Every menu command runs to its end on this thread.
#include <windows.h>
#include <commdlg.h>
#include <ole2.h>

#include <string>

#include "core/platform_win32.h"
#include "core/program.h"
#include "inserter/vellix.h"
#include "inserter/view.h"
#include "inserter/win32/resource.h"

namespace {

const char* const kClassName = "frmVellix";
constexpr int kClientWidth = 537;   // 8055 twips at 15 twips a pixel
constexpr int kClientHeight = 545;  // 8175 twips

struct Window {
    HWND handle = nullptr;
    HWND frame = nullptr;
    HWND status = nullptr;
    HMENU skinMenu = nullptr;
    plat::PictureBox picture1;
} g_window;

HMENU BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, IDM_FILE_OPEN, "&Open");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, IDM_FILE_EXIT, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, IDM_EDIT_INSERT, "&Insert Skin");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING, IDM_EDIT_RESTORE, "&Restore to Original");
    HMENU skin = CreatePopupMenu();
    for (int i = 9; i <= 37; ++i) AppendMenuA(skin, MF_STRING, IDM_SKIN_BASE + i, std::to_string(i).c_str());
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(skin), "&Skin");
    g_window.skinMenu = skin;
    return bar;
}

void CreateControls(HWND window) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Frame1 at 8,512 (521 x 29); lblStatus inside it at 8,12 (421 x 13).
    g_window.frame = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 8, 512, 521, 29,
                                     window, reinterpret_cast<HMENU>(IDC_FRAME1), instance, nullptr);
    g_window.status = CreateWindowExA(0, "STATIC", "Ready to load texture.", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                      8 + 8, 512 + 12, 421, 13, window, reinterpret_cast<HMENU>(IDC_STATUS),
                                      instance, nullptr);
    SendMessageA(g_window.frame, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(g_window.status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Picture1 at 12,4, 513 x 513 as laid out, until a picture sizes it.
    plat::ResizeBox(g_window.picture1, 513, 513);
    plat::CreatePictureBoxWindow(g_window.picture1, window, 12, 4, IDC_PICTURE1);
}

// Runs one command; when it ends the program, the window goes.
void Run(void (*command)()) {
    if (!vellix::RunCommand(command)) DestroyWindow(g_window.handle);
}

void RunSkinClick(int index) {
    if (!vellix::RunCommand([index] { vellix::SkinClick(index); })) DestroyWindow(g_window.handle);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            g_window.handle = window;
            CreateControls(window);
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDM_FILE_OPEN) Run(vellix::FileOpen);
            else if (id == IDM_FILE_EXIT) DestroyWindow(window);
            else if (id == IDM_EDIT_INSERT) Run(vellix::InsertSkin);
            else if (id == IDM_EDIT_RESTORE) Run(vellix::RestoreOriginal);
            else if (id >= IDM_SKIN_BASE + 9 && id <= IDM_SKIN_BASE + 37) RunSkinClick(id - IDM_SKIN_BASE);
            return 0;
        }
        case WM_SETCURSOR:
            if (plat::HourglassOn()) {
                SetCursor(LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

namespace vellix::view {

void SetCaption(const std::string& caption) { SetWindowTextA(g_window.handle, caption.c_str()); }

void SetStatus(const std::string& text) { SetWindowTextA(g_window.status, text.c_str()); }

std::string Status() {
    char text[512] = {};
    GetWindowTextA(g_window.status, text, sizeof text);
    return text;
}

void RepaintStatus() {
    InvalidateRect(g_window.frame, nullptr, TRUE);
    InvalidateRect(g_window.status, nullptr, TRUE);
    UpdateWindow(g_window.frame);
    UpdateWindow(g_window.status);
}

void ShowMainWindow() {
    ShowWindow(g_window.handle, SW_SHOW);
    UpdateWindow(g_window.handle);
}

void CloseMainWindow() { ShowWindow(g_window.handle, SW_HIDE); }

plat::WindowHandle Handle() { return reinterpret_cast<plat::WindowHandle>(g_window.handle); }

void SetSkinChecked(int index, bool checked) {
    CheckMenuItem(g_window.skinMenu, UINT(IDM_SKIN_BASE + index), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

plat::PictureBox& Picture1() { return g_window.picture1; }

bool ShowOpenDialog(const OpenDialogSettings& settings, std::string& chosenPath) {
    // The filter's "|" separators become the NULs the dialog expects.
    std::string filter = settings.filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = g_window.handle;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = settings.title.c_str();
    ofn.lpstrDefExt = settings.defaultExtension.c_str();
    ofn.Flags = settings.flags;
    if (!GetOpenFileNameA(&ofn)) return false;
    chosenPath = file;
    return true;
}

Version ProgramVersion() {
    Version v;
    plat::OwnVersion(v.major, v.minor, v.revision);
    return v;
}

}  // namespace vellix::view

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    core::ProgramName = "Vellix";
    OleInitialize(nullptr);
    plat::RegisterMainClass(kClassName, WindowProc, IDI_VELLIX, GetSysColorBrush(COLOR_BTNFACE));

    // Fixed single border, no minimize or maximize button; centred.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    HMENU menu = BuildMenu();
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExA(0, kClassName, "Vellix", style, x, y, width, height, nullptr, menu, instance, nullptr);
    if (!window) return 1;
    plat::SetMainWindow(reinterpret_cast<plat::WindowHandle>(window));

    // The Load event: everything before the window takes input.
    if (!vellix::RunCommand(vellix::Startup)) {
        DestroyWindow(window);
    } else {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    plat::RunMessageLoop();
    OleUninitialize();
    return 0;
}
