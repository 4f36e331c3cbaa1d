#include "core/program.h"
#include "inserter/vellix.h"
#include "inserter/view.h"

namespace vellix {

void CloseWindow() {
    MainWindowClosed = true;
    view::CloseMainWindow();
}

bool RunCommand(const std::function<void()>& command) {
    const bool reported = !core::RunReportingErrors([&] {
        try {
            command();
        } catch (const EndProgram&) {
            MainWindowClosed = true;  // its message has been shown
        }
    });
    if (reported) MainWindowClosed = true;
    return !MainWindowClosed;
}

}  // namespace vellix
