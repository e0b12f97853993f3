#include "platform/keys.h"

namespace qo::platform {

NativeKey NativeKeyOf(const QKeyEvent& e) {
    NativeKey key;
    key.virtualKey = e.nativeVirtualKey();
    return key;
}

} // namespace qo::platform
