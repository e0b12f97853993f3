#pragma once
// What a scroll box shows (scroll_view.cpp): ranges from the children's bounding box, bars that
// come when the content outgrows the box, scroll requests, and widgets only for the children near
// the view. Children keep their content coordinates; the content moves as a whole.
#include "widgets/layer/control_state.h"

namespace qo {

// A position kept within a scroll bar's range.
inline int ClampScroll(int pos, const ScrollInfo& s) {
    return std::clamp(pos, s.min, std::max(s.min, s.max));
}

// The ranges, bars and page sizes after the children or the box changed.
void UpdateScrollRanges(Control& box);
// A scroll request (SB_* code; `track` for SB_THUMBTRACK) on the position; true when it moved.
bool HandleScrollRequest(Control& box, bool vertical, int code, int track);
// Only what a scroll box shows, or is about to show, has widgets: true when `child` of a scroll
// box lies within a page of the box's view (children of other controls always do).
bool NearView(const Control& child);
// Gives widgets to the children of a realised scroll box that came near its view and takes them
// from those that went well out of it (state stays in the controls; focus keeps its widget).
void SyncViewportNow(Control& box);
// Realises at once the children of a realised scroll box that its view shows now (after a scroll).
void RealiseView(Control& box);
// Scrolls every scroll box round `c` as little as it takes to show it whole (or its top-left part,
// when it is larger than the view).
void ScrollIntoView(Control& c);
// True when the keyboard focus, or the control its form remembers as focused, lies in `c`.
bool HoldsFocus(const Control& c);
// A scroll box with more children than a screen holds settles once per turn of the loop, however
// many of its rows were added, changed or removed meanwhile: each change would walk all of them.
inline bool IsLongList(const ControlPrivate& box) {
    return box.kind == ControlKind::ScrollBox && box.children.size() > 64;
}

} // namespace qo
