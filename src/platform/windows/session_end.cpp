#include "platform/session_end.h"

namespace qo::platform {

// Windows tells a window program of a session's end only through its windows, which the toolkit
// turns into the request to save that session.cpp answers.
void WatchEndRequests() {}

} // namespace qo::platform
