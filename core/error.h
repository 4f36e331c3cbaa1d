// Run-time errors of the system. An unexpected failure (a file that cannot be
// opened, a full disk, a damaged archive) travels as core::Error to the one
// place per command that shows it; the numbers and descriptions are the ones a
// player sees in "Error " & number messages.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

namespace err {
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidFileFormat = 321;
constexpr int InvalidPicture = 481;
}  // namespace err

struct Error : std::runtime_error {
    int number;
    Error(int n, const std::string& description) : std::runtime_error(description), number(n) {}
};

[[noreturn]] inline void Raise(int number, const std::string& description) {
    throw Error(number, description);
}

}  // namespace core
