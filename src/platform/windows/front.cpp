// Windows gives the front only to the program the player last used, and to those it lets have it.
#include "platform/front.h"

#include <windows.h>

namespace qo::platform {

void LetAnotherComeToFront() {
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace qo::platform
