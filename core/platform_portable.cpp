// The portable platform layer: real files through the C library and
// std::filesystem, BMP decoding by stb_image, JPEG decoding by libjpeg-turbo;
// the registry and the player's answers come from platform_portable.h.
#include "platform_portable.h"

#include <csetjmp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <jpeglib.h>

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include "error.h"

namespace fs = std::filesystem;

namespace plat {

// ---- the picture box -------------------------------------------------------
struct PictureBoxImpl {
    int width = 0, height = 0;
    bool hasPicture = false;
    std::vector<std::uint8_t> dib;  // persistent image: bottom row first, padded rows
};

PictureBox::PictureBox() : impl_(std::make_unique<PictureBoxImpl>()) {}
PictureBox::~PictureBox() = default;

namespace portable {
namespace {
struct RegistryEntry {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};
// Windows compares key and value names without regard to case.
std::map<std::string, std::map<std::string, RegistryEntry>> g_registry;
std::vector<std::string> g_openKeys;
std::string g_driveRoot;
std::vector<MessageRecord> g_messages;
std::deque<int> g_answers;
std::vector<ShellCopyRecord> g_copies;

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string DriveRoot() {
    if (!g_driveRoot.empty()) return g_driveRoot;
    const char* env = std::getenv("MW4_DRIVE_ROOT");
    return env && *env ? env : "/tmp/mw4-drives";
}
}  // namespace

void SetRegistryValue(const std::string& key, const std::string& name, std::uint32_t type,
                      const std::vector<std::uint8_t>& data) {
    g_registry[Lower(key)][Lower(name)] = RegistryEntry{type, data};
}

void SetRegistryText(const std::string& key, const std::string& name, const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    SetRegistryValue(key, name, kRegSz, data);
}

void ClearRegistry() { g_registry.clear(); }

void SetDriveRoot(const std::string& hostFolder) { g_driveRoot = hostFolder; }

std::string HostPath(const std::string& systemPath) {
    std::string p = systemPath;
    std::string prefix;
    if (p.size() >= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' &&
        (p[2] == '\\' || p[2] == '/')) {
        prefix = DriveRoot() + "/" + char(std::tolower(static_cast<unsigned char>(p[0]))) + "/";
        p = p.substr(3);
    } else if (!p.empty() && p[0] == '\\' && (p.size() < 2 || p[1] != '\\')) {
        prefix = DriveRoot() + "/c/";  // the root of the current drive, taken as C:
        p = p.substr(1);
    }
    for (char& c : p)
        if (c == '\\') c = '/';
    return prefix + p;
}

std::vector<MessageRecord>& Messages() { return g_messages; }
std::deque<int>& Answers() { return g_answers; }
std::vector<ShellCopyRecord>& ShellCopies() { return g_copies; }

void Reset() {
    g_messages.clear();
    g_answers.clear();
    g_copies.clear();
    g_registry.clear();
    g_openKeys.clear();
    DefaultYesNoAnswer = kIdYes;
    OnMessage = nullptr;
    OnPendingMessages = nullptr;
    ShellCopyLimit = -1;
    ShellCopyFails = false;
    RemovedFiles.clear();
    HourglassShown = false;
    PendingMessageRounds = 0;
}

BoxPixels Pixels(const PictureBox& box) {
    return BoxPixels{box.impl().width, box.impl().height, &box.impl().dib};
}
bool HasPicture(const PictureBox& box) { return box.impl().hasPicture; }

}  // namespace portable

// ---- registry ----------------------------------------------------------------
long OpenRegistryKey(std::uint32_t root, const std::string& subKey, std::uint32_t, RegKey& key) {
    if (root != kHkeyLocalMachine) return 2;
    auto it = portable::g_registry.find(portable::Lower(subKey));
    if (it == portable::g_registry.end()) return 2;  // ERROR_FILE_NOT_FOUND
    portable::g_openKeys.push_back(it->first);
    key = portable::g_openKeys.size();  // handles count from 1
    return 0;
}

long QueryRegistryValue(RegKey key, const std::string& name, std::uint32_t& type, void* data,
                   std::uint32_t& size) {
    if (key == 0 || key > portable::g_openKeys.size()) return 6;  // ERROR_INVALID_HANDLE
    auto& values = portable::g_registry[portable::g_openKeys[key - 1]];
    auto it = values.find(portable::Lower(name));
    if (it == values.end()) return 2;
    const auto& entry = it->second;
    type = entry.type;
    const auto needed = std::uint32_t(entry.data.size());
    if (data == nullptr) {
        size = needed;
        return 0;
    }
    if (size < needed) {
        size = needed;
        return 234;  // ERROR_MORE_DATA
    }
    std::memcpy(data, entry.data.data(), needed);
    size = needed;
    return 0;
}

void CloseRegistryKey(RegKey) {}

// ---- files -------------------------------------------------------------------
namespace {
bool ReadOnly(const fs::path& p) {
    std::error_code ec;
    auto st = fs::status(p, ec);
    return !ec && fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool Hidden(const fs::path& p) {
    std::string name = p.filename().string();
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// Windows-style wildcards, without regard to case.
bool WildMatch(const char* pattern, const char* name) {
    for (; *pattern; ++pattern) {
        if (*pattern == '*') {
            for (const char* n = name;; ++n) {
                if (WildMatch(pattern + 1, n)) return true;
                if (!*n) return false;
            }
        }
        if (!*name) return false;
        if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) !=
                                   std::tolower(static_cast<unsigned char>(*name)))
            return false;
        ++name;
    }
    return *name == 0;
}

bool Matches(const fs::directory_entry& entry, int attributes) {
    std::error_code ec;
    if (entry.is_directory(ec)) return (attributes & 16) != 0;
    if (Hidden(entry.path()) && (attributes & 2) == 0) return false;
    return true;
}
}  // namespace

std::FILE* OpenFile(const std::string& path, core::OpenMode mode) {
    const fs::path host = portable::HostPath(path);
    std::error_code ec;
    if (fs::is_directory(host, ec)) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    const bool exists = fs::exists(host, ec);
    if (mode != core::OpenMode::Read && exists && ReadOnly(host))
        core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    std::FILE* f = nullptr;
    errno = 0;
    switch (mode) {
        case core::OpenMode::Read: f = std::fopen(host.c_str(), "rb"); break;
        case core::OpenMode::ReadWrite:
            f = std::fopen(host.c_str(), exists ? "r+b" : "w+b");
            break;
        case core::OpenMode::Create: f = std::fopen(host.c_str(), "w+b"); break;
    }
    if (f) return f;
    if (errno == ENOENT && mode == core::OpenMode::Read) core::Raise(core::err::FileNotFound, "File not found: " + path);
    if (errno == ENOENT) core::Raise(core::err::PathNotFound, "Path not found: " + path);
    if (errno == ENOSPC) core::Raise(core::err::DiskFull, "Disk full");
    if (errno == EACCES || errno == EPERM || errno == EROFS) core::Raise(core::err::PermissionDenied, "Permission denied: " + path);
    core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
}

bool FindMatch(const std::string& path, int attributes) {
    const fs::path host = portable::HostPath(path);
    const std::string pattern = host.filename().string();
    std::error_code ec;
    if (pattern.find_first_of("*?") == std::string::npos) {
        fs::directory_entry entry(host, ec);
        if (ec || !entry.exists(ec)) return false;
        return Matches(entry, attributes);
    }
    fs::path folder = host.parent_path();
    if (folder.empty()) folder = ".";
    fs::directory_iterator it(folder, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
        if (WildMatch(pattern.c_str(), it->path().filename().c_str()) && Matches(*it, attributes))
            return true;
    }
    return false;
}

void SetAttributesNormal(const std::string& path) {
    const fs::path host = portable::HostPath(path);
    std::error_code ec;
    if (!fs::exists(host, ec)) core::Raise(core::err::FileNotFound, "File not found: " + path);
    fs::permissions(host, fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
}

void RemoveFile(const std::string& path) {
    const fs::path host = portable::HostPath(path);
    std::error_code ec;
    if (!fs::is_regular_file(host, ec)) core::Raise(core::err::FileNotFound, "File not found: " + path);
    if (ReadOnly(host)) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    if (!fs::remove(host, ec) || ec) core::Raise(core::err::PathFileAccess, "Path/File access error: " + path);
    portable::RemovedFiles.push_back(path);
}

std::string GetEnvironment(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    return v ? v : "";
}

// ---- the shell's file copy ------------------------------------------------------
void ShellFileCopy(WindowHandle owner, const std::string& fromList, const std::string& toList,
                   const std::string& title) {
    portable::g_copies.push_back({owner, fromList, toList, title});
    // The lists hold one path each, up to the first NUL.
    const fs::path from = portable::HostPath(fromList.c_str());
    const fs::path to = portable::HostPath(toList.c_str());
    std::error_code ec;
    if (portable::ShellCopyFails) return;
    if (portable::ShellCopyLimit < 0) {
        // Failures are the shell's to report; the caller never learns of them.
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
        return;
    }
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (out) {
        std::vector<char> buffer(1 << 16);
        long long left = portable::ShellCopyLimit;
        while (left > 0) {
            std::size_t want = std::size_t(std::min<long long>(left, (long long)buffer.size()));
            std::size_t got = std::fread(buffer.data(), 1, want, in);
            if (got == 0) break;
            std::fwrite(buffer.data(), 1, got, out);
            left -= (long long)got;
        }
        std::fclose(out);
    }
    std::fclose(in);
}

// ---- message boxes and pointer ------------------------------------------------------
namespace {
WindowHandle g_mainWindow = 0;
}
void SetMainWindow(WindowHandle window) { g_mainWindow = window; }
WindowHandle MainWindow() { return g_mainWindow; }

int ShowMessage(const std::string& text, unsigned style, const std::string& title) {
    portable::g_messages.push_back({text, style, title});
    if (portable::OnMessage) portable::OnMessage(portable::g_messages.back());
    const bool yesNo = (style & 0xF) == 4;
    if (!portable::g_answers.empty()) {
        int answer = portable::g_answers.front();
        portable::g_answers.pop_front();
        return answer;
    }
    return yesNo ? portable::DefaultYesNoAnswer : kIdOk;
}

void SetHourglass(bool on) { portable::HourglassShown = on; }

void ProcessPendingMessages() {
    ++portable::PendingMessageRounds;
    if (portable::OnPendingMessages) portable::OnPendingMessages();
}

// ---- picture boxes --------------------------------------------------------------
namespace {
std::size_t PaddedRow(int width) { return (std::size_t(width) * 3 + 3) & ~std::size_t(3); }

// Decoded top row first, 3 bytes a pixel in red, green, blue order.
struct Decoded {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Plain C state only between setjmp and longjmp: nothing here has a destructor
// that the jump could skip, except the output vector, resized before the jump.
bool DecodeJpeg(const std::vector<std::uint8_t>& bytes, Decoded& out) {
    jpeg_decompress_struct cinfo{};
    JpegError error{};
    cinfo.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = JpegFail;
    error.mgr.output_message = [](j_common_ptr) {};
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    if (cinfo.output_components != 3 || w <= 0 || h <= 0 || std::int64_t(w) * h > (1 << 26)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    out.width = w;
    out.height = h;
    out.rgb.resize(std::size_t(w) * std::size_t(h) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + std::size_t(cinfo.output_scanline) * std::size_t(w) * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool DecodeBmp(const std::vector<std::uint8_t>& bytes, Decoded& out) {
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), int(bytes.size()), &w, &h, &channels)) return false;
    if (w <= 0 || h <= 0 || std::int64_t(w) * h > (1 << 26)) return false;
    stbi_uc* rgb = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &channels, 3);
    if (!rgb) return false;
    out.width = w;
    out.height = h;
    out.rgb.assign(rgb, rgb + std::size_t(w) * std::size_t(h) * 3);
    stbi_image_free(rgb);
    return true;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    core::BinFile file(path, core::OpenMode::Read);
    std::vector<std::uint8_t> bytes(std::size_t(file.Size()));
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    return bytes;
}
}  // namespace

void LoadPicture(PictureBox& box, const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    Decoded picture;
    bool ok = false;
    // By content, as the system's loader does: never by the file's name.
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') ok = DecodeBmp(bytes, picture);
    else if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        ok = DecodeJpeg(bytes, picture);
    if (!ok) core::Raise(core::err::InvalidPicture, "Invalid picture");
    PictureBoxImpl& b = box.impl();
    b.width = picture.width;
    b.height = picture.height;
    b.hasPicture = true;
    const std::size_t stride = PaddedRow(picture.width);
    b.dib.assign(stride * std::size_t(picture.height), 0);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* src = picture.rgb.data() + std::size_t(y) * std::size_t(picture.width) * 3;
        std::uint8_t* dst = b.dib.data() + std::size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            dst[x * 3] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3];
        }
    }
}

void ClearPicture(PictureBox& box) {
    PictureBoxImpl& b = box.impl();
    b.hasPicture = false;
    std::fill(b.dib.begin(), b.dib.end(), 0);
}

int BoxInnerWidth(const PictureBox& box) { return box.impl().width; }
int BoxInnerHeight(const PictureBox& box) { return box.impl().height; }

void ResizeBox(PictureBox& box, int width, int height) {
    PictureBoxImpl& b = box.impl();
    if (width == b.width && height == b.height) return;
    b.width = std::max(width, 0);
    b.height = std::max(height, 0);
    b.dib.assign(PaddedRow(b.width) * std::size_t(b.height), 0);
}

void GetBoxDIBits(const PictureBox& box, int lines, std::uint8_t* bits, std::uint8_t*) {
    const PictureBoxImpl& b = box.impl();
    const std::size_t stride = PaddedRow(b.width);
    const int rows = std::min(lines, b.height);
    if (rows > 0) std::memcpy(bits, b.dib.data(), stride * std::size_t(rows));
}

void DrawDIBits(PictureBox& box, int width, int height, const std::uint8_t* bits,
                const std::uint8_t* info) {
    PictureBoxImpl& b = box.impl();
    const int depth = core::GetU16(info + 14);
    const bool topDown = core::GetI32(info + 8) < 0;
    const std::size_t boxStride = PaddedRow(b.width);
    const std::size_t srcStride = depth == 24 ? PaddedRow(width) : (std::size_t(width) + 3) & ~std::size_t(3);
    const int rows = std::min(height, b.height), cols = std::min(width, b.width);
    for (int y = 0; y < rows; ++y) {
        // Picture row y (0 = top) comes from the source in its declared order and
        // lands in the box's bottom-up image.
        const std::uint8_t* src = bits + std::size_t(topDown ? y : height - 1 - y) * srcStride;
        std::uint8_t* dst = b.dib.data() + std::size_t(b.height - 1 - y) * boxStride;
        for (int x = 0; x < cols; ++x) {
            if (depth == 24) {
                std::memcpy(dst + x * 3, src + x * 3, 3);
            } else if (depth == 8) {
                const std::uint8_t* c = info + 40 + src[x] * 4;
                dst[x * 3] = c[0];
                dst[x * 3 + 1] = c[1];
                dst[x * 3 + 2] = c[2];
            }
        }
    }
    b.hasPicture = true;
}

// ---- window regions ----------------------------------------------------------
namespace {
std::map<RegionHandle, std::vector<portable::Rect>> g_regions;
RegionHandle g_nextRegion = 1;
}

std::uint32_t BoxPixel(const PictureBox& box, int x, int y) {
    const PictureBoxImpl& b = box.impl();
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return 0xFFFFFFFF;
    const std::uint8_t* p = b.dib.data() + std::size_t(b.height - 1 - y) * PaddedRow(b.width) + std::size_t(x) * 3;
    return std::uint32_t(p[2]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[0]) << 16;
}

RegionHandle CreateRectRegion(int left, int top, int right, int bottom) {
    ++portable::LiveRegions;
    g_regions[g_nextRegion] = {portable::Rect{left, top, right, bottom}};
    return g_nextRegion++;
}

void CombineRegionOr(RegionHandle target, RegionHandle other) {
    auto& rects = g_regions.at(target);
    const auto& more = g_regions.at(other);
    rects.insert(rects.end(), more.begin(), more.end());
}

void DeleteRegion(RegionHandle region) {
    if (g_regions.erase(region)) --portable::LiveRegions;
}

namespace portable {
const std::vector<Rect>& RegionRects(RegionHandle region) { return g_regions.at(region); }

void SetBoxPicture(PictureBox& box, int width, int height, const std::vector<std::uint8_t>& pixels) {
    ResizeBox(box, width, height);
    PictureBoxImpl& b = box.impl();
    for (int y = 0; y < height; ++y)
        std::memcpy(b.dib.data() + std::size_t(height - 1 - y) * PaddedRow(width),
                    pixels.data() + std::size_t(y) * std::size_t(width) * 3, std::size_t(width) * 3);
    b.hasPicture = true;
}
}  // namespace portable

}  // namespace plat
