#pragma once
// Inside the platform: how a side hands on its system's own requests to end the program.

namespace qo::platform {

// Closes the program as its close button would, when OnSessionEnd has said how.
void EndSession();
// Made once, on the first OnSessionEnd: the side's watch for its system's requests to end, each
// ending in EndSession().
void WatchEndRequests();
// Ends the process at once with `exitCode`, running nothing of its own or the libraries' on the way.
[[noreturn]] void EndProcessNow(int exitCode);

} // namespace qo::platform
