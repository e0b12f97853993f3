#include "platform/session_end.h"

#include <cstdlib>
#include <windows.h>

namespace qo::platform {

// Windows tells a window program of a session's end only through its windows, which the toolkit
// turns into the request to save that session.cpp answers.
void WatchEndRequests() {}

void EndProcessNow(int exitCode) {
    // Not ExitProcess: it would run every library's detach, where a hung service's would wait.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    std::_Exit(exitCode);
}

} // namespace qo::platform
