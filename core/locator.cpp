#include "locator.h"

#include <vector>

#include "program.h"

namespace core {

std::string TrimSpaces(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

long GetRegistryValue(plat::RegKey key, const std::string& valueName, RegistryValue& value) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long result = plat::QueryRegistryValue(key, valueName, type, nullptr, size);
    if (result != 0) return result;
    if (type == plat::kRegSz) {
        // A size of 0 cannot hold even the terminator: the text buffer cannot be
        // made and the procedure ends with the last code, 0, value unchanged.
        if (size == 0) return result;
        std::vector<char> buffer(size, '\0');
        result = plat::QueryRegistryValue(key, valueName, type, buffer.data(), size);
        if (result == 0) {
            std::size_t length = size > 0 ? size - 1 : 0;
            if (length > buffer.size()) length = buffer.size();
            value = std::string(buffer.data(), length);
        } else {
            value = std::monostate{};
        }
        return result;
    }
    if (type == plat::kRegDword) {
        std::uint8_t bytes[4] = {};
        size = 4;
        result = plat::QueryRegistryValue(key, valueName, type, bytes, size);
        if (result == 0) value = GetU32(bytes);
        return result;
    }
    return -1;
}

std::string RegistryText(const RegistryValue& value) {
    if (auto text = std::get_if<std::string>(&value)) return *text;
    if (auto number = std::get_if<std::uint32_t>(&value)) return std::to_string(*number);
    return {};
}

bool FileExists(const std::string& path, int attributes) {
    if (path.empty()) return false;
    try {
        return plat::FindMatch(path, attributes);
    } catch (...) {
        return false;
    }
}

std::string GamePath(const std::string& relative) { return MechPath + MechSep + relative; }

bool LocateGame() {
    plat::RegKey key = 0;
    if (plat::OpenRegistryKey(plat::kHkeyLocalMachine, kGameKey, plat::kKeyRead, key) == 0) {
        RegistryValue exePath, cdPath;
        MechPath = GetRegistryValue(key, "EXE Path", exePath) == 0 ? RegistryText(exePath) : "";
        CDPath = GetRegistryValue(key, "CDPath", cdPath) == 0 ? RegistryText(cdPath) : "";
        plat::CloseRegistryKey(key);
    } else {
        MechPath.clear();
    }
    if (MechPath.empty() || CDPath.empty()) {
        plat::ShowMessage("Problem getting Mechwarrior Path!", plat::kMbCritical, ProgramName);
        return false;
    }
    std::string trimmed = TrimSpaces(MechPath);
    MechSep = (!trimmed.empty() && trimmed.back() == '\\') ? "" : "\\";
    if (!FileExists(GamePath("resource\\textures.mw4"), 0)) {
        plat::ShowMessage("Mechwarrior path is invalid!", plat::kMbCritical, ProgramName);
        return false;
    }
    return true;
}

}  // namespace core
