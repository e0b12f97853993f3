#pragma once
// Whether a modifier key is held, as the desktop's key-state query answers it: during a key's
// delivery, as that key found them; otherwise as the keyboard is now. VK_SHIFT, VK_CONTROL and
// VK_MENU (Alt) are known; any other key answers false.
namespace qo {

bool KeyHeld(int virtualKey);

} // namespace qo
