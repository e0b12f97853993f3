#include "widgets/layer/button_control.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/next_turn.h"

namespace qo {

ButtonControl* ButtonControl::Create(Control* parent) {
    auto* c = new ButtonControl(ControlKind::Button, parent);
    auto& d = c->d();
    d.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHLIKE;
    d.text = "Push";
    d.bounds = {0, 0, 75, 25};
    d.hAlign = 2;
    if (parent) parent->d().exStyle |= WS_EX_CONTROLPARENT;
    RealiseLater(*c);
    return c;
}

} // namespace qo
