// Start-up, the window's shape, the hot spots and the restore command.
#include "core/backup.h"
#include "core/binfile.h"
#include "core/error.h"
#include "core/locator.h"
#include "core/program.h"
#include "patcher/morrent.h"
#include "patcher/view.h"

namespace morrent {

std::string ProgramCaption() {
    const view::Version v = view::ProgramVersion();
    return "Morrent [" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision) + "]";
}

StartResult Startup() {
    view::SetCaption(ProgramCaption());
    TempPath = plat::GetEnvironment("TEMP");
    const std::string trimmed = core::TrimSpaces(TempPath);
    TempSep = (!trimmed.empty() && trimmed.back() == '\\') ? "" : "\\";
    const std::string probe = TempPath + TempSep + "test.out";
    try {
        core::BinFile file(probe, core::OpenMode::ReadWrite);
        file.Close();
    } catch (...) {
        plat::ShowMessage("Your Temp path is invalid!\nFix it!", plat::kMbOk, TempPath);
        return StartResult::EndNow;
    }
    plat::RemoveFile(probe);
    if (!core::LocateGame()) return StartResult::CloseWindow;
    return StartResult::Ready;
}

plat::RegionHandle MakeWindowRegion(const plat::PictureBox& picture) {
    constexpr std::uint32_t kMagenta = 0xFF00FF;  // red 255, blue 255 (0x00BBGGRR)
    const int w = plat::BoxInnerWidth(picture), h = plat::BoxInnerHeight(picture);
    plat::RegionHandle result = 0;
    bool first = true;
    for (int y = 0; y < h; ++y) {
        int start = -1;
        for (int x = 0; x <= w; ++x) {
            // Column w, beyond the picture, is always outside: every run closes.
            const bool outside = x == w || plat::BoxPixel(picture, x, y) == kMagenta;
            if (!outside) {
                if (start < 0) start = x;
                continue;
            }
            if (start < 0) continue;
            const plat::RegionHandle r = plat::CreateRectRegion(start, y, x, y + 1);
            start = -1;
            if (first) {
                result = r;
                first = false;
            } else {
                plat::CombineRegionOr(result, r);
                plat::DeleteRegion(r);
            }
        }
    }
    return result;
}

HotSpot HitTest(double x, double y) {
    // Inclusive bounds, tested in this order.
    if (x >= 240 && x <= 315 && y >= 90 && y <= 110) return HotSpot::Patch;
    if (x >= 230 && x <= 325 && y >= 120 && y <= 140) return HotSpot::Restore;
    if (x >= 245 && x <= 310 && y >= 155 && y <= 175) return HotSpot::Quit;
    return HotSpot::Drag;
}

bool MouseDown(double x, double y) {
    const HotSpot spot = HitTest(x, y);
    if (spot == HotSpot::Drag) {
        view::StartDrag();
        return true;
    }
    // While a pass runs (a press handled between its entries), the hot spots
    // start nothing and QUIT does not close the window.
    if (PassRunning) return true;
    switch (spot) {
        case HotSpot::Patch: return RunCommand(PatchCommand);
        case HotSpot::Restore: return RunCommand(RestoreCommand);
        default: return false;  // QUIT: close without asking
    }
}

void RestoreCommand() {
    if (!core::FileExists(core::GamePath("resource\\textures.mw4b"), 0)) {
        plat::ShowMessage(core::MechPath + core::MechSep + "textures.mw4b is missing can't restore!", plat::kMbOk,
                          core::ProgramName);
        return;
    }
    if (!core::FileExists(core::GamePath("resource\\props.mw4b"), 0)) {
        plat::ShowMessage(core::MechPath + core::MechSep + "props.mw4b is missing can't restore!", plat::kMbOk,
                          core::ProgramName);
        return;
    }
    if (plat::ShowMessage("Restore from backup?", plat::kMbYesNoWarning, "Are you sure?") == plat::kIdNo) return;
    core::RestoreFile("resource\\textures.mw4", view::Handle());
    core::RestoreFile("resource\\props.mw4", view::Handle());
}

bool RunCommand(const std::function<void()>& command) { return core::RunReportingErrors(command); }

}  // namespace morrent
