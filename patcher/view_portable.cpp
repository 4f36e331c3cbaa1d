#include "patcher/view_portable.h"

#include <memory>

namespace morrent {

namespace portable_view {
namespace {
std::unique_ptr<plat::PictureBox> g_picture2;
}
plat::PictureBox& Box();
plat::PictureBox& Box() {
    if (!g_picture2) g_picture2 = std::make_unique<plat::PictureBox>();
    return *g_picture2;
}
void Reset() {
    Caption = "Morrent";
    StatusText.clear();
    Repaints.clear();
    Captions.clear();
    Closed = false;
    Drags = 0;
    g_picture2.reset();
}
}  // namespace portable_view

namespace view {
namespace pv = portable_view;
void SetCaption(const std::string& caption) {
    pv::Caption = caption;
    pv::Captions.push_back(caption);
}
void SetStatus(const std::string& text) { pv::StatusText = text; }
void RepaintStatus() { pv::Repaints.push_back(pv::StatusText); }
plat::WindowHandle Handle() { return 0x3011; }
void CloseMainWindow() { pv::Closed = true; }
void StartDrag() { ++pv::Drags; }
plat::PictureBox& Picture2() { return pv::Box(); }
Version ProgramVersion() { return {MORRENT_VERSION_MAJOR, MORRENT_VERSION_MINOR, MORRENT_VERSION_REVISION}; }
}  // namespace view

}  // namespace morrent
