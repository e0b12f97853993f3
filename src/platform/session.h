#pragma once
// The desktop session the program runs in.
#include <functional>

namespace qo::platform {

// Calls `close` when the user's session ends (log off, shut down) while the program runs, so that it
// closes as its close button would: settings written, the game kept. A later call replaces the
// earlier one; an empty `close` forgets it.
void OnSessionEnd(std::function<void()> close);

// Ends the process with `exitCode` once `ms` have passed, if it has not ended by itself by then: for
// the last of a run, after everything is written, which may wait on a sound server or a speech
// service that hangs.
void EndProcessWithin(int ms, int exitCode);

} // namespace qo::platform
