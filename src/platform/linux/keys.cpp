#include "platform/keys.h"

#include <QGuiApplication>

namespace qo::platform {

NativeKey NativeKeyOf(const QKeyEvent& e) {
    // Only these desktops give the hardware key code as the scan code.
    static const bool linuxKeyCodes = QGuiApplication::platformName() == QLatin1String("xcb") ||
                                      QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    NativeKey key;
    if (linuxKeyCodes) key.scanCode = e.nativeScanCode();
    return key;
}

} // namespace qo::platform
