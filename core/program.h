// The running program's name: the title of every message box that has no
// title of its own ("Vellix" or "Morrent"). Each program sets it first thing.
#pragma once

#include <string>

namespace core {
inline std::string ProgramName;
}
