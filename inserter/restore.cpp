// Edit > Restore to Original: both backups copied back over the archives.
#include "core/backup.h"
#include "core/error.h"
#include "core/locator.h"
#include "core/platform.h"
#include "core/program.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

void RestoreOriginal() {
    const int answer = plat::ShowMessage("Restoring may require you to rerun the Morrent!\nDo you wish to continue?",
                                         plat::kMbYesNoInformation, "Continue?");
    if (answer == plat::kIdNo) return;

    const std::string textures = core::GamePath("resource\\textures.mw4");
    if (core::FileExists(textures + "b", 0)) {
        view::SetStatus("Restoring resource\\textures.mw4 from backup");
        view::RepaintStatus();
        core::ShellCopy(textures + "b", textures, "Restoring", view::Handle());
    } else {
        plat::ShowMessage("Backup texture file doesn't exist!", plat::kMbCritical, core::ProgramName);
    }

    const std::string props = core::GamePath("resource\\props.mw4");
    if (core::FileExists(props + "b", 0)) {
        view::SetStatus("Restoring resource\\props.mw4 from backup");
        view::RepaintStatus();
        core::ShellCopy(props + "b", props, "Restoring", view::Handle());
        // A copy that failed and left no archive has nothing to reset; that
        // must not end the program.
        try {
            plat::SetAttributesNormal(props);
        } catch (const core::Error& e) {
            if (e.number != core::err::FileNotFound) throw;
        }
    } else {
        plat::ShowMessage("Backup props file doesn't exists!", plat::kMbCritical, core::ProgramName);
    }

    view::SetStatus("Done.");
    view::RepaintStatus();
}

}  // namespace vellix
