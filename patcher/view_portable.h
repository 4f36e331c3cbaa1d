// The portable stand-in for Morrent's window: what it would show, kept for
// the tests to read.
#pragma once

#include <string>
#include <vector>

#include "patcher/view.h"

namespace morrent::portable_view {

inline std::string Caption = "Morrent";
inline std::string StatusText;
inline std::vector<std::string> Repaints;  // lblStatus at each repaint
inline std::vector<std::string> Captions;  // every caption set, in order
inline bool Closed = false;
inline int Drags = 0;

void Reset();

}  // namespace morrent::portable_view
