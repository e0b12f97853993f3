#pragma once
// A form: a top-level window with a frame, a caption, a menu bar, a window state, a modal result,
// and the keyboard navigation of its controls.
#include "widgets/layer/window_control.h"

namespace qo {

class FormControl final : public WindowControl {
public:
    // `parent`: the application object (or none). Caption "Form", hidden, 320 × 240.
    static FormControl* Create(Control* parent);
    static bool Holds(ControlKind k) { return k == ControlKind::Form; }

    void setWindowState(int state); // 0 normal, 1 minimised, 2 maximised; shows the form
    int windowState() const;
    // The outer rectangle the form has when neither maximised nor minimised: its bounds, or the
    // place a restore goes back to.
    Rect normalBounds() const;
    // A place that lies on no screen whole (a screen gone, a size kept while maximised) is moved,
    // and shrunk where it must be, onto the screen it overlaps most, else the nearest.
    void bringOntoScreen();
    void setOpacity(int alpha); // 0–255; 255 is opaque
    int opacity() const;
    void setMenu(Menu* menu); // borrowed; nullptr removes the bar
    Menu* menu() const;
    void bringToForeground(); // raises and activates the form, brought back when minimised
    void setModalResult(int result);
    int modalResult() const;
    // Its key filter moves the focus with Tab and Shift+Tab.
    void setKeyboardNavigation(bool on);
    bool keyboardNavigation() const;
    Control* focusedControl() const; // the control it last gave or saw the focus

private:
    using WindowControl::WindowControl;
};

} // namespace qo
