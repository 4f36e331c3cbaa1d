// bench: how fast the programs do their work on the full-size game folder,
// through their own command logic and the portable platform layer, every
// question answered Yes. Each figure is set against a baseline measured in the
// same run, so that the ratios hold on a noisy machine.
//   bench [--runs N] [--folder DIR]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/archive.h"
#include "core/image.h"
#include "core/locator.h"
#include "core/platform_portable.h"
#include "core/program.h"
#include "core/scaling.h"
#include "core/skins.h"
#include "inserter/vellix.h"
#include "inserter/view_portable.h"
#include "patcher/morrent.h"
#include "patcher/placeholders.h"
#include "tools/gamegen/gamegen.h"
#include "tools/pictures/jpegwrite.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A plain buffered copy of a file, in 1 MiB blocks.
void PlainCopy(const fs::path& from, const fs::path& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    std::FILE* out = std::fopen(to.c_str(), "wb");
    std::vector<char> block(1 << 20);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), in)) > 0) std::fwrite(block.data(), 1, n, out);
    std::fclose(in);
    std::fclose(out);
}

void SetGame(const fs::path& game) {
    plat::portable::Reset();
    plat::portable::SetRegistryText(core::kGameKey, "EXE Path", game.string());
    plat::portable::SetRegistryText(core::kGameKey, "CDPath", "D:\\");
}

// Runs work in a child process and gives back its peak resident memory (KiB).
long PeakKiB(const std::function<void()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        std::_Exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 25;
    fs::path folder = fs::temp_directory_path() / "mw4-bench";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--runs") runs = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--folder") folder = argv[i + 1];
    }
    fs::remove_all(folder);
    fs::create_directories(folder / "temp");
    fs::create_directories(folder / "drives" / "c");
    plat::portable::SetDriveRoot((folder / "drives").string());
    setenv("TEMP", (folder / "temp").c_str(), 1);
    const fs::path game = folder / "game", blob = folder / "blob.blb";
    fs::copy_file(fs::path(MW4_SOURCE_DIR) / "data" / "blob.blb", blob);
    fs::current_path(folder);
    core::ProgramName = "bench";

    std::printf("writing the full-size game folder...\n");
    gamegen::Options full;
    full.size = gamegen::Size::Full;
    gamegen::WriteGame(game.string(), full);
    const auto texturesBytes = fs::file_size(game / "resource" / "textures.mw4");
    const auto propsBytes = fs::file_size(game / "resource" / "props.mw4");

    // ---- patch: both passes, against a plain copy and the placeholder decoding ----
    SetGame(game);
    morrent::Startup();
    morrent::PatchCommand();  // makes the backups; the timed runs rebuild from them
    std::vector<double> patch, copy, decode;
    for (int r = 0; r < 5; ++r) {
        SetGame(game);
        morrent::Startup();
        patch.push_back(Seconds([] { morrent::PatchCommand(); }));
        copy.push_back(Seconds([&] {
            PlainCopy(game / "resource" / "textures.mw4b", folder / "copy1");
            PlainCopy(game / "resource" / "props.mw4b", folder / "copy2");
        }));
        // The 203 placeholder pictures the passes load: 174 texture and 29 lobby ones.
        decode.push_back(Seconds([&] {
            for (int k = 0; k < 203; ++k) {
                const int piece = k < 174 ? k / 6 + 1 : k - 174 + 1;
                morrent::ReadPlaceholder(piece);
                const fs::path temp = folder / "temp" / "decode.jpg";
                pictures::WriteFile(temp.string(), morrent::PlaceholderBytes);
                plat::PictureBox box;
                plat::LoadPicture(box, temp.string());
                core::ImageBuffer image;
                core::CaptureImage(box, image);
                fs::remove(temp);
            }
        }));
    }
    fs::remove(folder / "copy1");
    fs::remove(folder / "copy2");
    const long peak = PeakKiB([&] {
        SetGame(game);
        morrent::Startup();
        morrent::PatchCommand();
    });

    // ---- Vellix: start-up with valid index files, the first start, insert ----
    auto startVellix = [&] {
        SetGame(game);
        vellix::portable_view::Reset();
        vellix::MainWindowClosed = false;
        vellix::RunCommand(vellix::Startup);
    };
    std::vector<double> firstStart, start, insert;
    for (int r = 0; r < 5; ++r) {
        fs::remove(game / "resource" / "textures.inx");
        fs::remove(game / "resource" / "props.inx");
        firstStart.push_back(Seconds(startVellix));
    }
    for (int r = 0; r < runs; ++r) start.push_back(Seconds(startVellix));
    const fs::path skin = folder / "skin.bmp";
    std::vector<std::uint8_t> rgb(512 * 512 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = std::uint8_t(i * 13);
    pictures::WriteFile(skin.string(), pictures::EncodeBmp(512, 512, rgb));
    vellix::portable_view::DialogChoices.push_back(skin.string());
    vellix::RunCommand(vellix::FileOpen);
    vellix::SkinClick(20);
    vellix::RunCommand(vellix::InsertSkin);  // the backups exist; the first insert checks it works
    if (vellix::portable_view::StatusText != "Done.") {
        std::printf("insert did not finish: %s\n", vellix::portable_view::StatusText.c_str());
        return 1;
    }
    for (int r = 0; r < runs; ++r) insert.push_back(Seconds([] { vellix::RunCommand(vellix::InsertSkin); }));

    const double p = Median(patch), c = Median(copy), d = Median(decode);
    std::printf("\nfull-size game: textures.mw4 %.1f MB, props.mw4 %.1f MB\n", texturesBytes / 1e6, propsBytes / 1e6);
    std::printf("| figure | median | target |\n|---|---|---|\n");
    std::printf("| patch, both passes | %.3f s | |\n", p);
    std::printf("| plain copy of the same bytes | %.3f s | |\n", c);
    std::printf("| decoding the 203 placeholders | %.3f s | |\n", d);
    std::printf("| patch / copy | %.2f | |\n", p / c);
    std::printf("| patch / (copy + decoding) | %.2f | <= 1.25 |\n", p / (c + d));
    std::printf("| peak resident memory of the patch | %.1f MiB | < 64 MiB |\n", peak / 1024.0);
    std::printf("| Vellix insert (median of %d) | %.2f ms | < 20 ms |\n", runs, Median(insert) * 1e3);
    std::printf("| Vellix start-up, valid index files (median of %d) | %.2f ms | < 20 ms |\n", runs, Median(start) * 1e3);
    std::printf("| Vellix first start, building the index (median of 5) | %.2f ms | |\n", Median(firstStart) * 1e3);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
