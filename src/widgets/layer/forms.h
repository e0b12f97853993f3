#pragma once
// What the layer does for forms as a whole (forms.cpp): which form is active, closing, the main
// form of the message loop, and the owner window rule.
namespace qo {

class Control;

void FormActivated(Control& form, bool active);
void FormClosing(Control& form); // WM_CLOSE reached default processing: the window goes
void ForgetForm(Control& form);  // the form's Control is being destroyed
void SetLoopMainForm(Control* form);

} // namespace qo
