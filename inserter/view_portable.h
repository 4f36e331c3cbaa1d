// The portable stand-in for Vellix's window: it keeps what the window would
// show, for the tests to read, and takes the player's choices in the Open
// dialog from them.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "inserter/view.h"

namespace vellix::portable_view {

inline std::string Caption = "Vellix";
inline std::string StatusText = "Ready to load texture.";
// The status texts as each repaint showed them, in order.
inline std::vector<std::string> Repaints;
inline bool Shown = false;
inline bool Closed = false;
inline std::array<bool, 38> Checked{};
// The files chosen in the coming Open dialogs; nullopt cancels one. An empty
// queue cancels too.
inline std::deque<std::optional<std::string>> DialogChoices;
inline std::vector<view::OpenDialogSettings> DialogsShown;

// Back to the state of a freshly created window (the picture box emptied).
void Reset();

}  // namespace vellix::portable_view
