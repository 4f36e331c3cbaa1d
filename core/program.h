// The running program's name, and the one place per command where an
// unexpected error is shown before the program ends.
#pragma once

#include <functional>
#include <string>

namespace core {

// The title of every message box that has no title of its own ("Vellix" or
// "Morrent"). Each program sets it first thing.
inline std::string ProgramName;

// Runs a command. An unexpected error (core::Error, or running out of
// memory) is shown as "Run-time error 'N':" and its description, with the
// default pointer back; the result is then false and the program ends.
bool RunReportingErrors(const std::function<void()>& command);

}  // namespace core
