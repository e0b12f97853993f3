#pragma once
// What each kind of Control does with its widget, found through one table by the Control's kind:
// how the widget is made, and the parts of the state it shows in a way of its own. What every
// widget shows alike (geometry, palette, font, visibility, enabled, cursor, accessible name) is
// apply.cpp's; a kind says only where it differs, and leaves the rest empty. Each kind is one file
// pair (form_kind, button_kind, label_kind, panel_kind, edit_kind, memo_kind, scroll_box_kind), with
// its widget class; the table is control_kind.cpp's.
#include "widgets/layer/control.h"
#include <QAccessible>

class QWidget;

namespace qo {

struct ControlKindOps {
    // Makes the widget under `parent` (none for a form); sets `client` where the child widgets go
    // when that is not the widget itself. Null for a kind that has no widget.
    QWidget* (*make)(Control& c, QWidget* parent, QWidget*& client) = nullptr;
    // Once made and the shared parts applied, before the children near the view are made.
    void (*made)(Control& c, QWidget& w) = nullptr;
    // Once the children near the view are made.
    void (*childrenMade)(Control& c, QWidget& w) = nullptr;
    // The text shown in the widget; none: it is painted, so painted anew.
    void (*text)(Control& c, QWidget& w) = nullptr;
    // Styles of the kind's own, after the frame and the pointer tracking (and the focus policy,
    // for all but a top-level window, which sets what it takes itself).
    void (*styles)(Control& c, QWidget& w) = nullptr;
    // The text's alignment; none: painted anew.
    void (*alignment)(Control& c, QWidget& w) = nullptr;
    // The bounds, where the kind places its widget otherwise than inside its parent's frame.
    void (*geometry)(Control& c, QWidget& w) = nullptr;
    // After a new palette, what more the kind's widget needs to show it.
    void (*palette)(Control& c, QWidget& w) = nullptr;
    // The widget that shows the cursor, when not the widget itself.
    QWidget* (*cursorTarget)(QWidget& w) = nullptr;
    // Cuts the links back to the control beyond the widget's own (a form's client area).
    void (*unlink)(QWidget& w) = nullptr;
    // What a screen reader is told the widget is, where the toolkit can not tell (painted widgets).
    QAccessible::Role paintedRole = QAccessible::NoRole;
    // The widget follows the pointer whether or not an element listens to its moves.
    bool followsPointer = false;
};

const ControlKindOps& KindOps(ControlKind kind);

// Links a widget just made to its control (routed_widget.h): events go to it from now on.
template <class W> W* LinkWidget(W* w, Control& c) {
    w->control = &c;
    w->kind = c.kind();
    return w;
}

// The kinds, each defined in its own file pair.
extern const ControlKindOps kFormKind;
extern const ControlKindOps kButtonKind;
extern const ControlKindOps kLabelKind;
extern const ControlKindOps kPanelKind;
extern const ControlKindOps kEditKind;
extern const ControlKindOps kMemoKind;
extern const ControlKindOps kScrollBoxKind;

} // namespace qo
