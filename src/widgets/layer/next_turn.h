#pragma once
// Work put off to the next turn of the message loop, done once however often it is asked: making
// the widgets of new children, laying out long lists, and giving widgets to the rows a scroll box
// shows. A list that grows by a thousand rows in one go is laid out once and gets widgets only for
// where its view ends up. Lists settle first, so widgets are made where the rows finally lie.
#include "widgets/layer/control_state.h"

namespace qo {

// A child of a realised window gets its widget at the next turn (or sooner, when something needs it).
void RealiseLater(Control& c);
// Lays the children out at the next turn.
void LayoutLater(Control& box);
// Gives widgets to the rows of a realised scroll box near its view, and takes them from those far
// from it, at the next turn (scroll_view.h does it now).
void SyncViewport(Control& box);

// A layout put off by LayoutLater is never seen: whatever reads where a child lies, or the box's
// scroll range, or moves the view, settles it first. The layer's own bookkeeping (which rows get
// widgets) reads the raw state instead, so adding a thousand rows still lays out once.
void SettleLayout(const Control& box);
inline void SettleParentLayout(const ControlPrivate& d) {
    if (d.parent && d.parent->d().layoutPending) SettleLayout(*d.parent);
}
inline void SettleOwnLayout(const ControlPrivate& d) {
    if (d.layoutPending) SettleLayout(d.self());
}

} // namespace qo
