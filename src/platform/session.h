#pragma once
// The desktop session the program runs in.
#include <functional>

namespace qo::platform {

// Calls `close` when the user's session ends (log off, shut down) while the program runs, so that it
// closes as its close button would: settings written, the game kept. A later call replaces the
// earlier one; an empty `close` forgets it.
void OnSessionEnd(std::function<void()> close);

} // namespace qo::platform
