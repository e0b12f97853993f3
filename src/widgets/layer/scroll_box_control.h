#pragma once
// A scroll box: its children scroll inside it, with bars that come when they outgrow it.
#include "widgets/layer/control.h"

namespace qo {

class ScrollBoxControl final : public Control {
public:
    // borderStyle 0: dialog frame (WS_DLGFRAME); 1: a 3D edge when the parent asks for edges;
    // anything else: none.
    static ScrollBoxControl* Create(Control* parent, int borderStyle);
    static bool Holds(ControlKind k) { return k == ControlKind::ScrollBox; }

    ScrollInfo scrollInfo(bool vertical) const;
    void setScrollPosition(bool vertical, int pos); // clamped; moves the content

private:
    using Control::Control;
};

} // namespace qo
