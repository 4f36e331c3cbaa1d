#include <new>

#include "core/error.h"
#include "core/platform.h"
#include "core/program.h"
#include "inserter/view.h"
#include "inserter/vellix.h"

namespace vellix {

namespace {
void ShowRunTimeError(int number, const std::string& description) {
    plat::SetHourglass(false);
    plat::ShowMessage("Run-time error '" + std::to_string(number) + "':\n\n" + description,
                      plat::kMbCritical, core::ProgramName);
}
}  // namespace

void CloseWindow() {
    MainWindowClosed = true;
    view::CloseMainWindow();
}

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return !MainWindowClosed;
    } catch (const EndProgram&) {
    } catch (const core::Error& e) {
        ShowRunTimeError(e.number, e.what());
    } catch (const std::bad_alloc&) {
        ShowRunTimeError(core::err::OutOfMemory, "Out of memory");
    } catch (const std::exception& e) {
        ShowRunTimeError(core::err::PathFileAccess, e.what());
    }
    MainWindowClosed = true;
    return false;
}

}  // namespace vellix
