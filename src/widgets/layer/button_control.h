#pragma once
// A push button: a Control whose click reaches its click handler. It can do nothing beyond what
// every Control can.
#include "widgets/layer/control.h"

namespace qo {

class ButtonControl final : public Control {
public:
    // Text "Push", 75 × 25, a tab stop; its parent gets WS_EX_CONTROLPARENT.
    static ButtonControl* Create(Control* parent);
    static bool Holds(ControlKind k) { return k == ControlKind::Button; }

private:
    using Control::Control;
};

} // namespace qo
