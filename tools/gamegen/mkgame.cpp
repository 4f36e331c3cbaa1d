// mkgame: writes a game folder for tests, benchmarks and the demo, and says
// which registry values point the programs at it.
//
//   mkgame FOLDER [--seed N] [--full] [--missing SLOT,...] [--mixed-case]
//          [--spaced] [--duplicate SLOT] [--first-last] [--prepared]
//          [--system-path PATH] [--reg FILE]
//
// --system-path gives the folder as the programs will see it (under Wine, for
// example Z:\tmp\game); --reg writes a REGEDIT4 file with the game's key.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/error.h"
#include "core/locator.h"
#include "tools/gamegen/gamegen.h"

namespace {
int Usage() {
    std::fprintf(stderr,
                 "usage: mkgame FOLDER [--seed N] [--full] [--missing SLOT,...] [--mixed-case]\n"
                 "              [--spaced] [--duplicate SLOT] [--first-last] [--prepared]\n"
                 "              [--system-path PATH] [--reg FILE]\n");
    return 2;
}

std::string RegEscape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string folder = argv[1], systemPath, regFile;
    gamegen::Options options;
    bool prepared = false;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--seed") options.seed = std::uint32_t(std::strtoul(value().c_str(), nullptr, 10));
        else if (a == "--full") options.size = gamegen::Size::Full;
        else if (a == "--mixed-case") options.mixedCaseNames = true;
        else if (a == "--spaced") options.spacedNames = true;
        else if (a == "--first-last") options.skinFirstAndLast = true;
        else if (a == "--prepared") prepared = true;
        else if (a == "--duplicate") options.duplicateSlot = std::atoi(value().c_str());
        else if (a == "--system-path") systemPath = value();
        else if (a == "--reg") regFile = value();
        else if (a == "--missing") {
            std::string list = value();
            for (char* t = std::strtok(list.data(), ","); t; t = std::strtok(nullptr, ","))
                options.missingSlots.insert(std::atoi(t));
        } else return Usage();
    }
    try {
        gamegen::WriteGame(folder, options);
        if (prepared) {
            gamegen::MakePrepared(folder + "/resource/textures.mw4");
            gamegen::MakePrepared(folder + "/resource/props.mw4");
        }
    } catch (const core::Error& e) {
        std::fprintf(stderr, "mkgame: %s\n", e.what());
        return 1;
    }
    const auto values = gamegen::RegistryFor(systemPath.empty() ? folder : systemPath);
    std::printf("HKEY_LOCAL_MACHINE\\%s\n  EXE Path = %s\n  CDPath = %s\n", core::kGameKey,
                values.exePath.c_str(), values.cdPath.c_str());
    if (!regFile.empty()) {
        std::FILE* f = std::fopen(regFile.c_str(), "wb");
        if (!f) {
            std::fprintf(stderr, "mkgame: cannot write %s\n", regFile.c_str());
            return 1;
        }
        std::fprintf(f, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\%s]\r\n\"EXE Path\"=\"%s\"\r\n\"CDPath\"=\"%s\"\r\n",
                     core::kGameKey, RegEscape(values.exePath).c_str(), RegEscape(values.cdPath).c_str());
        std::fclose(f);
    }
    return 0;
}
