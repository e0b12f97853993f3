#pragma once
// Toolkit input handed to Controls in the order the desktop's messages of the program arrive:
// keys (key_input.cpp), the mouse and the wheel (mouse_input.cpp), and the other events of a
// widget or a form's frame (event_routing.cpp). Each answers true when the event is used up and
// the toolkit must not handle it.
#include <QString>
#include <Qt>

class QEvent;
class QMenu;
class QPoint;
class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace qo {

class Control;

bool RouteEvent(Control& c, QWidget& w, QEvent* e, bool frameRole);

bool RouteKeyPress(Control& c, QWidget& w, QKeyEvent* e);
bool RouteKeyRelease(Control& c, QKeyEvent* e);
// Typed text (of a key, or committed by an input method) as WM_CHAR, character by character.
bool RouteTypedText(Control& c, const QString& text);

// Paste keys of an edit whose element takes pasted text (edit_commands.cpp).
bool RoutePaste(Control& c, QKeyEvent* e);
// The context menu of an edit or memo: the toolkit's own, its Paste through the element, then the
// element's commands.
void ShowEditMenu(Control& c, QWidget& w, QMenu* standard, const QPoint& at);

bool RouteMouse(Control& c, QWidget& w, QEvent* e);
bool RouteWheel(Control& c, QWidget& w, QWheelEvent* e);
// The mouse record's key flags (MK_*, with MK_ALT) for the buttons and modifiers held.
int KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);

} // namespace qo
