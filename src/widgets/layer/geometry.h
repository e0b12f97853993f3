#pragma once
// Where controls lie: bounds as the state holds them, and the aligned-children layout rule
// (control_geometry.cpp). Putting bounds into widgets is apply.h's.
namespace qo {

class Control;
struct Rect;

// Lays the visible aligned children out in the parent's client area (top and bottom, then left
// and right, then client), each keeping the parent's margin.
void LayoutChildren(Control& c);
// A child moved, resized, showed or hid: the parent lays out again (a long list at the next turn).
void ChildChanged(Control& parent, Control& child);
// Sets the bounds (a negative width or height becomes 0) and tells who depends on them: the
// control's own children, its size and move messages, its parent. `fromWidget`: the widget moved
// already (a form dragged by its frame), so it is not told again.
void SetBoundsInternal(Control& c, const Rect& r, bool fromWidget);
// A label with auto-size measures its text (label_control.cpp).
void FitToText(Control& c);
// A control FitToText left unmeasured (its window never shown yet) is measured now; for a form, all
// such controls inside it. ForgetFit: the control is going.
void SettleFit(Control& c);
void SettleFitsIn(const Control& form);
void ForgetFit(Control& c);

} // namespace qo
