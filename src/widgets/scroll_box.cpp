#include "widgets/scroll_box.h"

#include "widgets/layer/scroll_box_control.h"

namespace qo {

TQOScrollBox::TQOScrollBox(Control* parent) : TQOWin(parent) {}

void TQOScrollBox::Init() {
    // No scroll bars of its own at first: they come as soon as the content outgrows the box.
    if (!control_) control_ = ScrollBoxControl::Create(parent_, borderStyle);
    TQOWin::Init();
}

void TQOScrollBox::SetScrollPosition(TData& d, std::uint16_t) {
    const int p = TakeInteger(d, positionSource, 0);
    if (!control_) return;
    As<ScrollBoxControl>(control_)->setScrollPosition(true, p); // kept within the range
    // NOTE: a line-up request after the jump: the content ends one line step above the given
    // position (never above the top), which is where the list expects to land.
    control_->send(WM_VSCROLL, SB_LINEUP, -1);
}

} // namespace qo
