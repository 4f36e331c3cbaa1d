#include "backup.h"

#include "locator.h"
#include "program.h"

namespace core {

void ShellCopy(const std::string& sourcePath, const std::string& targetPath,
               const std::string& title, plat::WindowHandle ownerWindow) {
    // Lists of one path each, ending in two NULs; the title ends in NULs too.
    std::string from = sourcePath + '\0' + '\0';
    std::string to = targetPath + '\0' + '\0';
    std::string progressTitle = title + '\0' + '\0';
    plat::ShellFileCopy(ownerWindow, from, to, progressTitle);
}

void BackupFile(const std::string& name, plat::WindowHandle ownerWindow) {
    const std::string fullPath = GamePath(name);
    if (!FileExists(fullPath, 0)) {
        plat::ShowMessage("MechPath path is invalid!", plat::kMbCritical, ProgramName);
        return;
    }
    ShellCopy(fullPath, fullPath + "b", "Backing Up", ownerWindow);
}

void RestoreFile(const std::string& name, plat::WindowHandle ownerWindow) {
    const std::string fullPath = GamePath(name);
    if (!FileExists(fullPath + "b", 0)) {
        plat::ShowMessage("MechPath path is invalid!", plat::kMbCritical, ProgramName);
        return;
    }
    ShellCopy(fullPath + "b", fullPath, "Backing Up", ownerWindow);
}

}  // namespace core
