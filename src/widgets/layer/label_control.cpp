#include "widgets/layer/label_control.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"

namespace qo {

// Painted by the layer as static text that reports clicks and leaves "&" alone.
constexpr std::uint32_t kStaticStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;

LabelControl* LabelControl::Create(Control* parent) {
    auto* c = new LabelControl(ControlKind::Label, parent);
    auto& d = c->d();
    d.style = kStaticStyle;
    d.text = "Push";
    d.bounds = {0, 0, 65, 17};
    d.vAlign = 1;
    RealiseLater(*c);
    return c;
}

void LabelControl::setAutoSize(bool on) {
    d().autoSize = on;
    if (on) FitToText(*this);
}
bool LabelControl::autoSize() const {
    return d().autoSize;
}

void FitToText(Control& c) {
    auto& d = c.d();
    std::string measured = d.text;
    if (!measured.empty() && (d.font->style & font_style::Italic)) measured += ' ';
    const TextExtent e = measured.empty() ? TextExtent{} : c.textExtent(measured);
    const bool widthFollows = d.align == alNone || d.align == alLeft || d.align == alRight;
    const bool heightFollows = d.align == alNone || d.align == alTop || d.align == alBottom;
    Rect r = d.bounds;
    if (widthFollows) r.width = e.width + 1;
    if (heightFollows) r.height = e.height + 1;
    SetBoundsInternal(c, r, false);
}

} // namespace qo
