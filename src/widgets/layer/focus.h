#pragma once
// The keyboard focus (focus.cpp): giving it, and the Tab navigation of a form.
#include <Qt>

namespace qo {

class Control;

// Gives `c` the keyboard focus; the reason is the toolkit's (Tab and Shift+Tab show a focus frame).
void FocusControl(Control& c, Qt::FocusReason reason);
// Tab navigation of a form: controls with the tab-stop style that are focusable and shown, ordered
// by position (an equal position goes after the one collected first); the next position after the
// focused control's, wrapping round; equal positions are never chosen.
void NavigateTab(Control& form, bool backward);

} // namespace qo
