#pragma once
// Inside the platform: what a side needs so that a program the player did not just start may
// bring its window to the front when this one asks it to.

namespace qo::platform {

// Called by the program the player started, before it hands its files to the one already running.
void LetAnotherComeToFront();

} // namespace qo::platform
