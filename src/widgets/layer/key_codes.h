#pragma once
// The virtual-key code a key-down handler sees for a toolkit key event. Every key gets a code that
// is not 0, whatever the keyboard layout: a handler that sets the code to 0 consumes the key, so a
// key without a code would be swallowed before its character is typed. Named keys go by name,
// Latin letters and digits by themselves, punctuation by the key it lies on in the US layout, and a
// letter of another alphabet by its physical key (the Russian "Ф" is the A key), as the desktop the
// program was first written for reports them. What character a key types is not decided here.
#include <QString>
#include <Qt>

class QKeyEvent;

namespace qo {

// What the code is made from: the event's fields, apart from the event, so tables can be tested.
struct KeyFacts {
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
    // The hardware key: an X11 or Wayland key code (evdev + 8), 0 when unknown.
    unsigned scanCode = 0;
    // The desktop's own virtual-key code where it has one (Windows), else 0.
    unsigned nativeVirtualKey = 0;
};

int VirtualKeyCode(const KeyFacts& facts);
int VirtualKeyCode(const QKeyEvent& e);

} // namespace qo
