#include "core/program.h"

#include <new>

#include "core/error.h"
#include "core/platform.h"

namespace core {

namespace {
void ShowRunTimeError(int number, const std::string& description) {
    plat::SetHourglass(false);
    plat::ShowMessage("Run-time error '" + std::to_string(number) + "':\n\n" + description, plat::kMbCritical,
                      ProgramName);
}
}  // namespace

bool RunReportingErrors(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const Error& e) {
        ShowRunTimeError(e.number, e.what());
    } catch (const std::bad_alloc&) {
        ShowRunTimeError(err::OutOfMemory, "Out of memory");
    } catch (const std::exception& e) {
        ShowRunTimeError(err::PathFileAccess, e.what());
    }
    return false;
}

}  // namespace core
