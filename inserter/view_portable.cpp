#include "inserter/view_portable.h"

#include <memory>

#include "inserter/vellix.h"

namespace vellix {

namespace portable_view {
namespace {
std::unique_ptr<plat::PictureBox> g_picture1;
}

plat::PictureBox& Box();
plat::PictureBox& Box() {
    if (!g_picture1) {
        g_picture1 = std::make_unique<plat::PictureBox>();
        plat::ResizeBox(*g_picture1, 513, 513);  // its size as laid out
    }
    return *g_picture1;
}

void Reset() {
    Caption = "Vellix";
    StatusText = "Ready to load texture.";
    Repaints.clear();
    Shown = Closed = false;
    Checked.fill(false);
    DialogChoices.clear();
    DialogsShown.clear();
    g_picture1.reset();
}
}  // namespace portable_view

namespace view {
namespace pv = portable_view;

void SetCaption(const std::string& caption) { pv::Caption = caption; }
void SetStatus(const std::string& text) { pv::StatusText = text; }
std::string Status() { return pv::StatusText; }
void RepaintStatus() { pv::Repaints.push_back(pv::StatusText); }
void ShowMainWindow() { pv::Shown = true; }
void CloseMainWindow() { pv::Closed = true; }
plat::WindowHandle Handle() { return 0x5E11; }
void SetSkinChecked(int index, bool checked) {
    if (index >= 0 && index < int(pv::Checked.size())) pv::Checked[std::size_t(index)] = checked;
}
plat::PictureBox& Picture1() { return pv::Box(); }

bool ShowOpenDialog(const OpenDialogSettings& settings, std::string& chosenPath) {
    pv::DialogsShown.push_back(settings);
    if (pv::DialogChoices.empty()) return false;
    auto choice = pv::DialogChoices.front();
    pv::DialogChoices.pop_front();
    if (!choice) return false;
    chosenPath = *choice;
    return true;
}

Version ProgramVersion() { return {VELLIX_VERSION_MAJOR, VELLIX_VERSION_MINOR, VELLIX_VERSION_REVISION}; }

}  // namespace view
}  // namespace vellix
