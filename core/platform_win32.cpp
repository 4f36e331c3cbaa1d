// The Win32 platform layer: the real Windows services with the values the
// system passes.
#include "platform_win32.h"

#include <ole2.h>
#include <olectl.h>
#include <shellapi.h>

#include <cstring>

#include "error.h"

#ifndef _WIN64
// The shell expects the packed 30-byte request on 32-bit Windows.
static_assert(sizeof(SHFILEOPSTRUCTA) == 30, "SHFILEOPSTRUCTA must be packed on 32-bit Windows");
#endif

namespace plat {

// ---- registry ----------------------------------------------------------------
long OpenRegistryKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, RegKey& key) {
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(root)),
                                subKey.c_str(), 0, access, &opened);
    key = reinterpret_cast<RegKey>(opened);
    return result;
}

long QueryRegistryValue(RegKey key, const std::string& name, std::uint32_t& type, void* data,
                   std::uint32_t& size) {
    DWORD t = 0, s = size;
    LONG result = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &t,
                                   static_cast<BYTE*>(data), &s);
    type = t;
    size = s;
    return result;
}

void CloseRegistryKey(RegKey key) { RegCloseKey(reinterpret_cast<HKEY>(key)); }

// ---- files -------------------------------------------------------------------
std::FILE* OpenFile(const std::string& path, core::OpenMode mode) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const char* how = mode == core::OpenMode::Read ? "rb"
                      : mode == core::OpenMode::Create ? "w+b"
                      : exists ? "r+b" : "w+b";
    SetLastError(0);
    std::FILE* f = std::fopen(path.c_str(), how);
    if (f) return f;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
            core::Raise(mode == core::OpenMode::Read ? core::err::FileNotFound : core::err::PathNotFound,
                        "File not found: " + path);
        case ERROR_PATH_NOT_FOUND: core::Raise(core::err::PathNotFound, "Path not found: " + path);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: core::Raise(core::err::DiskFull, "Disk full");
        case ERROR_ACCESS_DENIED: core::Raise(core::err::PermissionDenied, "Permission denied: " + path);
        case ERROR_INVALID_NAME: core::Raise(core::err::BadFileName, "Bad file name or number: " + path);
        default: core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    }
}

bool FindMatch(const std::string& path, int attributes) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ||
            error == ERROR_PATH_NOT_FOUND)
            return false;
        core::Raise(core::err::BadFileName, "Bad file name or number: " + path);
    }
    // The mask admits hidden (2), system (4) and folders (16) only when named.
    const DWORD excluded =
        (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY) & ~DWORD(attributes);
    bool any = false;
    do {
        if ((found.dwFileAttributes & excluded) == 0) any = true;
    } while (!any && FindNextFileA(search, &found));
    FindClose(search);
    return any;
}

void SetAttributesNormal(const std::string& path) {
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            core::Raise(core::err::FileNotFound, "File not found: " + path);
        core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    }
}

void RemoveFile(const std::string& path) {
    if (!DeleteFileA(path.c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            core::Raise(core::err::FileNotFound, "File not found: " + path);
        core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    }
}

std::string GetEnvironment(const std::string& name) {
    DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::string value(needed, '\0');
    DWORD got = GetEnvironmentVariableA(name.c_str(), value.data(), needed);
    value.resize(got < needed ? got : 0);
    return value;
}

// ---- the shell's file copy ------------------------------------------------------
void ShellFileCopy(WindowHandle owner, const std::string& fromList, const std::string& toList,
                   const std::string& title) {
    SHFILEOPSTRUCTA op;
    std::memset(&op, 0, sizeof op);
    op.hwnd = reinterpret_cast<HWND>(owner);
    op.wFunc = FO_COPY;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = FOF_NOCONFIRMATION;
    op.fAnyOperationsAborted = FALSE;
    op.hNameMappings = nullptr;
    op.lpszProgressTitle = title.c_str();
    SHFileOperationA(&op);  // the outcome is the shell's to report
}

// ---- message boxes and pointer ------------------------------------------------------
namespace {
HWND g_mainWindow = nullptr;
}
void SetMainWindow(WindowHandle window) { g_mainWindow = reinterpret_cast<HWND>(window); }
WindowHandle MainWindow() { return reinterpret_cast<WindowHandle>(g_mainWindow); }

int ShowMessage(const std::string& text, unsigned style, const std::string& title) {
    HWND owner = g_mainWindow && IsWindowVisible(g_mainWindow) ? g_mainWindow : nullptr;
    return MessageBoxA(owner, text.c_str(), title.c_str(), style);
}

namespace {
bool g_hourglass = false;
}
void SetHourglass(bool on) {
    g_hourglass = on;
    SetCursor(LoadCursor(nullptr, on ? IDC_WAIT : IDC_ARROW));
}
bool HourglassOn() { return g_hourglass; }

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (g_hourglass) SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

// ---- picture boxes --------------------------------------------------------------
namespace {
const char* const kBoxClass = "MW4PictureBox";

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        auto* box = reinterpret_cast<PictureBoxImpl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (box && box->dc) BitBlt(dc, 0, 0, box->width, box->height, box->dc, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        // Presses go to the owner, which decides what they mean.
        POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
        MapWindowPoints(window, GetParent(window), &p, 1);
        return SendMessageA(GetParent(window), message, wParam, MAKELPARAM(p.x, p.y));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void EnsureDC(PictureBoxImpl& b) {
    if (b.dc) return;
    HDC screen = GetDC(nullptr);
    b.dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
}

// A new, empty persistent image of the given size, selected into the box's DC.
void NewImage(PictureBoxImpl& b, int width, int height) {
    EnsureDC(b);
    if (b.image) {
        SelectObject(b.dc, b.previous);
        DeleteObject(b.image);
        b.image = nullptr;
    }
    b.width = width;
    b.height = height;
    HDC screen = GetDC(nullptr);
    b.image = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(nullptr, screen);
    b.previous = SelectObject(b.dc, b.image);
    RECT all{0, 0, width, height};
    FillRect(b.dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (b.window) SetWindowPos(b.window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void Show(PictureBoxImpl& b) {
    if (!b.window) return;
    InvalidateRect(b.window, nullptr, FALSE);
    UpdateWindow(b.window);
}

// RAII for the COM objects of one load.
template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
};

struct GlobalMemory {
    HGLOBAL handle = nullptr;
    ~GlobalMemory() {
        if (handle) GlobalFree(handle);
    }
};
}  // namespace

PictureBox::PictureBox() : impl_(std::make_unique<PictureBoxImpl>()) {}
PictureBox::~PictureBox() {
    PictureBoxImpl& b = *impl_;
    if (b.dc) {
        if (b.image) SelectObject(b.dc, b.previous);
        DeleteDC(b.dc);
    }
    if (b.image) DeleteObject(b.image);
}

void CreatePictureBoxWindow(PictureBox& box, HWND parent, int x, int y, int id) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = BoxProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kBoxClass;
        RegisterClassA(&wc);
        registered = true;
    }
    PictureBoxImpl& b = box.impl();
    b.window = CreateWindowExA(0, kBoxClass, "", WS_CHILD | WS_VISIBLE, x, y, b.width, b.height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(b.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&b));
}

void SetBoxBitmap(PictureBox& box, HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    PictureBoxImpl& b = box.impl();
    NewImage(b, info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(b.dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(b.dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    b.hasPicture = true;
    Show(b);
}

void LoadPicture(PictureBox& box, const std::string& path) {
    core::BinFile file(path, core::OpenMode::Read);
    const std::uint64_t size = file.Size();
    if (size == 0 || size > 0x7FFFFFFF) core::Raise(core::err::InvalidPicture, "Invalid picture");
    GlobalMemory memory;
    memory.handle = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size));
    if (!memory.handle) core::Raise(core::err::OutOfMemory, "Out of memory");
    void* bytes = GlobalLock(memory.handle);
    const std::size_t got = file.Read(bytes, std::size_t(size));
    GlobalUnlock(memory.handle);
    file.Close();
    if (got != size) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);

    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory.handle, FALSE, &stream.p)))
        core::Raise(core::err::OutOfMemory, "Out of memory");
    ComPtr<IPicture> picture;
    // The system's loader recognises the kind of picture by its content.
    if (FAILED(OleLoadPicture(stream.p, LONG(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.p))) || !picture.p)
        core::Raise(core::err::InvalidPicture, "Invalid picture");
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture.p->get_Width(&hmWidth);
    picture.p->get_Height(&hmHeight);
    HDC screen = GetDC(nullptr);
    const int width = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > (1 << 26))
        core::Raise(core::err::InvalidPicture, "Invalid picture");
    PictureBoxImpl& b = box.impl();
    NewImage(b, width, height);
    // Rendered 1:1 into the persistent image; HIMETRIC runs bottom to top.
    if (FAILED(picture.p->Render(b.dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight,
                                 nullptr)))
        core::Raise(core::err::InvalidPicture, "Invalid picture");
    b.hasPicture = true;
    Show(b);
}

void ClearPicture(PictureBox& box) {
    PictureBoxImpl& b = box.impl();
    if (b.dc && b.image) {
        RECT all{0, 0, b.width, b.height};
        FillRect(b.dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    b.hasPicture = false;
    Show(b);
}

int BoxInnerWidth(const PictureBox& box) { return box.impl().width; }
int BoxInnerHeight(const PictureBox& box) { return box.impl().height; }

void ResizeBox(PictureBox& box, int width, int height) {
    PictureBoxImpl& b = box.impl();
    if (b.image && width == b.width && height == b.height) return;
    NewImage(b, width, height);
}

void GetBoxDIBits(const PictureBox& box, int lines, std::uint8_t* bits, std::uint8_t* info) {
    const PictureBoxImpl& b = box.impl();
    if (!b.dc || !b.image) return;
    // GetDIBits wants the bitmap out of any device context while it reads.
    SelectObject(b.dc, b.previous);
    GetDIBits(b.dc, b.image, 0, UINT(lines), bits, reinterpret_cast<BITMAPINFO*>(info),
              DIB_RGB_COLORS);
    SelectObject(b.dc, b.image);
}

void DrawDIBits(PictureBox& box, int width, int height, const std::uint8_t* bits,
                const std::uint8_t* info) {
    PictureBoxImpl& b = box.impl();
    if (!b.dc) NewImage(b, width, height);
    StretchDIBits(b.dc, 0, 0, width, height, 0, 0, width, height, bits,
                  reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, SRCCOPY);
    b.hasPicture = true;
    Show(b);
}

void RegisterMainClass(const char* name, WNDPROC procedure, int iconId, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconId));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool OwnVersion(int& major, int& minor, int& revision) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) return false;
    major = HIWORD(info->dwFileVersionMS);
    minor = LOWORD(info->dwFileVersionMS);
    revision = LOWORD(info->dwFileVersionLS);
    return true;
}

// ---- window regions ----------------------------------------------------------
std::uint32_t BoxPixel(const PictureBox& box, int x, int y) {
    const PictureBoxImpl& b = box.impl();
    if (!b.dc || x < 0 || y < 0 || x >= b.width || y >= b.height) return CLR_INVALID;
    return GetPixel(b.dc, x, y);
}

RegionHandle CreateRectRegion(int left, int top, int right, int bottom) {
    return reinterpret_cast<RegionHandle>(CreateRectRgn(left, top, right, bottom));
}

void CombineRegionOr(RegionHandle target, RegionHandle other) {
    CombineRgn(reinterpret_cast<HRGN>(target), reinterpret_cast<HRGN>(target), reinterpret_cast<HRGN>(other), RGN_OR);
}

void DeleteRegion(RegionHandle region) { DeleteObject(reinterpret_cast<HGDIOBJ>(region)); }

}  // namespace plat
