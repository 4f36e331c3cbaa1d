// Backups of the archives ("resource\textures.mw4b" beside
// "resource\textures.mw4") and copies back, all made by the Windows shell.
#pragma once

#include <string>

#include "platform.h"

namespace core {

// One shell copy request (FO_COPY, FOF_NOCONFIRMATION); its outcome is not
// examined by any caller.
void ShellCopy(const std::string& sourcePath, const std::string& targetPath,
               const std::string& title, plat::WindowHandle ownerWindow);
// name relative to the game folder, e.g. "resource\props.mw4": archive to backup.
void BackupFile(const std::string& name, plat::WindowHandle ownerWindow);
// Backup to archive; name is the archive's, not the backup's.
void RestoreFile(const std::string& name, plat::WindowHandle ownerWindow);

}  // namespace core
