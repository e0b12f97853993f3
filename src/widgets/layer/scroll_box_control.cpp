#include "widgets/layer/scroll_box_control.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/scroll_view.h"
#include <algorithm>

namespace qo {

ScrollBoxControl* ScrollBoxControl::Create(Control* parent, int borderStyle) {
    auto* c = new ScrollBoxControl(ControlKind::ScrollBox, parent);
    auto& d = c->d();
    d.style = WS_CHILD | WS_VISIBLE | (borderStyle == 0 ? WS_DLGFRAME : 0);
    d.bounds = {0, 0, 185, 41};
    if (borderStyle == 1 && parent && parent->d().clientEdge) {
        d.clientEdge = true;
        d.exStyle |= WS_EX_CLIENTEDGE;
    }
    RealiseLater(*c);
    return c;
}

ScrollInfo ScrollBoxControl::scrollInfo(bool vertical) const {
    SettleOwnLayout(this->d());
    return vertical ? d().rare().vScroll : d().rare().hScroll;
}

void ScrollBoxControl::setScrollPosition(bool vertical, int pos) {
    auto& d = this->d();
    // The range starts at 0 however the rows lie: going to the top ("&Новый" before each ticket)
    // needs no layout, which keeps adding rows one by one from laying the list out each time.
    if (pos > 0) SettleOwnLayout(d);
    ScrollInfo& s = vertical ? d.rareW().vScroll : d.rareW().hScroll;
    const int p = ClampScroll(pos, s);
    if (p == s.pos) return;
    s.pos = p;
    ApplyScrollBars(*this);
    RealiseView(*this);
}

} // namespace qo
