#pragma once
// What each desktop tells of a pressed key beyond the toolkit's key and text.
#include <QKeyEvent>

namespace qo::platform {

struct NativeKey {
    // The hardware key: an X11 or Wayland key code (evdev + 8), 0 when unknown.
    unsigned scanCode = 0;
    // The desktop's own virtual-key code where it has one (Windows), else 0.
    unsigned virtualKey = 0;
};

NativeKey NativeKeyOf(const QKeyEvent& e);

} // namespace qo::platform
