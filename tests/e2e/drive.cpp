// drive: plays a script against the real programs under Wine, from outside,
// through their own windows: menu commands, message boxes, the Open dialog,
// mouse presses, and screenshots. One step a line:
//
//   start PROGRAM                 start it (its folder as the current folder)
//   window CAPTION                wait for its top-level window with that caption
//   message TITLE | TEXT | BUTTON wait for a message box, check title and text
//                                 (\n for a line feed; a final * matches any
//                                 rest), press OK, YES or NO
//   nomessage MS                  no message box for MS milliseconds
//   menu ID                       post the menu command ID to the window
//   open PATH                     choose PATH in the Open dialog
//   cancelopen                    cancel the Open dialog
//   status TEXT                   wait until the control 1002 (lblStatus) reads TEXT
//   caption TEXT                  wait until the window's caption is TEXT
//   press X Y                     left button down and up at client point X, Y
//   altkey L / key ESC            Alt+L (opens a menu) / Escape, to the window
//   shot FILE                     the whole screen as a BMP file
//   timer / elapsed LABEL         start a clock / print the time since, in ms
//   sleep MS
//   exit                          wait until the program has ended
//
// With a SHOT_PREFIX, each message box is photographed before it is answered.
// Every wait gives up after 60 seconds. The first failed step ends the run
// with exit code 1 and says which step failed.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION g_process{};
HWND g_window = nullptr;
int g_line = 0;
std::string g_shotPrefix;  // when set, every message box is photographed before it is answered
int g_shots = 0;
ULONGLONG g_timer = 0;
std::string g_step;

[[noreturn]] void Fail(const std::string& why) {
    std::printf("FAIL line %d (%s): %s\n", g_line, g_step.c_str(), why.c_str());
    std::fflush(stdout);
    if (g_process.hProcess) TerminateProcess(g_process.hProcess, 3);
    std::exit(1);
}

template <class F>
bool WaitFor(F ready, int ms = 60000) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (ready()) return true;
        Sleep(50);
    }
    return false;
}

std::string Text(HWND w) {
    char buffer[4096] = {};
    // WM_GETTEXT rather than GetWindowText: it reads controls of another process.
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return buffer;
}

std::string ClassOf(HWND w) {
    char name[256] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool OurProcess(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == g_process.dwProcessId;
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM found) {
    if (IsWindowVisible(w) && OurProcess(w)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
    return TRUE;
}

std::vector<HWND> TopWindows() {
    std::vector<HWND> found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box: a dialog of ours with an OK or a Yes button.
HWND FindMessageBox() {
    for (HWND w : TopWindows())
        if (ClassOf(w) == "#32770" && (GetDlgItem(w, IDOK) || GetDlgItem(w, IDYES)) &&
            Text(w).rfind("Open", 0) != 0)
            return w;
    return nullptr;
}

std::string MessageText(HWND box) {
    std::string best;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (ClassOf(c) == "Static") {
            std::string t = Text(c);
            if (t.size() > best.size()) best = t;
        }
    // Message boxes show a line feed as the pair CR LF.
    std::string out;
    for (char ch : best)
        if (ch != '\r') out += ch;
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == sep) {
            parts.push_back(Trim(s.substr(start, i - start)));
            start = i + 1;
        }
    return parts;
}

void Shot(const std::string& file) {
    HDC screen = GetDC(nullptr);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD stride = (DWORD(w) * 3 + 3) & ~3u;
    std::vector<char> pixels(stride * DWORD(h));
    GetDIBits(memory, bitmap, 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof info;
    head.bfSize = head.bfOffBits + DWORD(pixels.size());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<char*>(&head), sizeof head);
    out.write(reinterpret_cast<char*>(&info), sizeof info);
    out.write(pixels.data(), std::streamsize(pixels.size()));
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!out) Fail("cannot write " + file);
}

HWND FindOpenDialog() {
    for (HWND w : TopWindows())
        if (ClassOf(w) == "#32770" && Text(w) == "Open 512x512 Skin") return w;
    return nullptr;
}

void Step(const std::string& command, const std::string& rest) {
    if (command == "start") {
        std::string folder = rest.substr(0, rest.find_last_of("\\/") + 1);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string line = "\"" + rest + "\"";
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &g_process))
            Fail("cannot start " + rest);
        WaitForInputIdle(g_process.hProcess, 10000);
    } else if (command == "window") {
        if (!WaitFor([&] {
                for (HWND w : TopWindows())
                    if (Text(w) == rest && ClassOf(w) != "#32770") return (g_window = w) != nullptr;
                return false;
            }))
            Fail("no window captioned '" + rest + "'");
    } else if (command == "message") {
        auto parts = Split(rest, '|');
        if (parts.size() != 3) Fail("message needs TITLE | TEXT | BUTTON");
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; }))
            Fail("no message box '" + parts[1] + "'");
        Sleep(100);  // let it finish drawing
        const std::string title = Text(box), text = MessageText(box);
        std::printf("  message [%s] %s\n", title.c_str(), text.c_str());
        if (title != parts[0]) Fail("title is '" + title + "'");
        // A text ending in "*" is a prefix.
        std::string want = Unescape(parts[1]);
        const bool prefix = !want.empty() && want.back() == '*';
        if (prefix) want.pop_back();
        if (prefix ? text.rfind(want, 0) != 0 : text != want) Fail("text is '" + text + "'");
        if (!g_shotPrefix.empty()) Shot(g_shotPrefix + "-" + std::to_string(++g_shots) + ".bmp");
        const int id = parts[2] == "YES" ? IDYES : parts[2] == "NO" ? IDNO : IDOK;
        HWND button = GetDlgItem(box, id);
        if (!button) Fail("no button " + parts[2]);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        if (!WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) Fail("box stays");
    } else if (command == "nomessage") {
        const int ms = std::atoi(rest.c_str());
        HWND box = nullptr;
        if (WaitFor([&] { return (box = FindMessageBox()) != nullptr; }, ms))
            Fail("unexpected message box '" + MessageText(box) + "'");
    } else if (command == "menu") {
        PostMessageA(g_window, WM_COMMAND, WPARAM(std::atoi(rest.c_str())), 0);
    } else if (command == "open" || command == "cancelopen") {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindOpenDialog()) != nullptr; })) Fail("no Open dialog");
        Sleep(300);
        if (command == "open") {
            HWND name = GetDlgItem(dialog, 1148);  // the file name box
            if (!name) name = GetDlgItem(dialog, 1152);
            if (!name) Fail("no file name box");
            SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest.c_str()));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        } else {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        if (!WaitFor([&] { return !IsWindow(dialog); })) Fail("Open dialog stays");
    } else if (command == "status") {
        std::string last;
        if (!WaitFor([&] { return (last = Text(GetDlgItem(g_window, 1002))) == rest; }))
            Fail("status is '" + last + "'");
    } else if (command == "caption") {
        std::string last;
        if (!WaitFor([&] { return (last = Text(g_window)) == rest; })) Fail("caption is '" + last + "'");
    } else if (command == "press") {
        auto parts = Split(rest, ' ');
        POINT p{std::atoi(parts[0].c_str()), std::atoi(parts[1].c_str())};
        HWND target = ChildWindowFromPoint(g_window, p);
        if (!target) target = g_window;
        MapWindowPoints(g_window, target, &p, 1);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    } else if (command == "altkey" || command == "key") {
        // Keyboard input to the window: "altkey S" opens the Skin menu, "key ESC" closes it.
        SetForegroundWindow(g_window);
        Sleep(200);
        const WORD vk = rest == "ESC" ? VK_ESCAPE : WORD(rest[0]);
        std::vector<INPUT> keys;
        auto add = [&](WORD k, bool up) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = k;
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            keys.push_back(in);
        };
        if (command == "altkey") add(VK_MENU, false);
        add(vk, false);
        add(vk, true);
        if (command == "altkey") add(VK_MENU, true);
        SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
        Sleep(300);
    } else if (command == "shot") {
        Sleep(300);
        Shot(rest);
    } else if (command == "timer") {
        g_timer = GetTickCount64();
    } else if (command == "elapsed") {
        std::printf("  time %s: %llu ms\n", rest.c_str(), static_cast<unsigned long long>(GetTickCount64() - g_timer));
    } else if (command == "sleep") {
        Sleep(DWORD(std::atoi(rest.c_str())));
    } else if (command == "exit") {
        if (WaitForSingleObject(g_process.hProcess, 60000) != WAIT_OBJECT_0) Fail("still running");
    } else {
        Fail("unknown step");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::printf("usage: drive SCRIPT [SHOT_PREFIX]\n");
        return 2;
    }
    if (argc == 3) g_shotPrefix = argv[2];
    std::ifstream script(argv[1]);
    if (!script) {
        std::printf("cannot read %s\n", argv[1]);
        return 2;
    }
    std::string line;
    while (std::getline(script, line)) {
        ++g_line;
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        g_step = line;
        const std::size_t space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : Trim(line.substr(space + 1));
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        Step(command, rest);
    }
    std::printf("script done\n");
    return 0;
}
