#pragma once
// What the layer does for forms as a whole (forms.cpp): which form is active, closing, the main
// form of the message loop, and the owner window rule.
namespace qo {

class FormControl;

void FormActivated(FormControl& form, bool active);
void FormClosing(FormControl& form); // WM_CLOSE reached default processing: the window goes
void ForgetForm(FormControl& form);  // the form's Control is being destroyed
void SetLoopMainForm(FormControl* form);
// F10: the keyboard goes into the form's menu bar, its first menu open. False without a bar.
bool EnterMenuBar(FormControl& form);

} // namespace qo
