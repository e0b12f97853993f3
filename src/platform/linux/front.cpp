// The desktops here let a program ask for the front itself; the window manager decides.
#include "platform/front.h"

namespace qo::platform {

void LetAnotherComeToFront() {}

} // namespace qo::platform
