#pragma once
// The program's words for what the widget layer and the platform tell the player: faults that
// escaped a handler and why the program cannot speak; and the name of the lock beside the kept
// game. The layer has no words of its own (widgets/layer/words.h).
#include "widgets/layer/words.h"

namespace lotto {

// The lock's file name in the data folder (the platform's encoding for file names).
inline constexpr const char* kLockFileName = "Игра.lock";

qo::Words ProgramWords();

} // namespace lotto
