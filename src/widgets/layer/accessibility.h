#pragma once
// What a screen reader is told (accessibility.cpp): names and descriptions kept in the Control and
// pushed into whichever widget realises it.
namespace qo {

class Control;

void ApplyAccessibility(Control& c);
void AccessibleTextChanged(Control& c); // a name made when asked may say the text

} // namespace qo
