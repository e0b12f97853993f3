#include "widgets/layer/label_control.h"

#include <unordered_set>
#include <vector>

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

namespace {

// Controls sized by their text in a window that has never been shown: measured when it first shows,
// or as soon as anything asks where they lie. A window hidden at start (the game window, the log)
// thus loads the fonts of its captions only when it is opened, not before the program's first frame.
std::unordered_set<Control*>& Unmeasured() {
    static std::unordered_set<Control*> controls;
    return controls;
}

const Control* FormOf(const Control& c) {
    for (const Control* p = c.d().parent; p; p = p->d().parent) {
        if (p->d().kind == ControlKind::Form) return p;
    }
    return nullptr;
}

// Only a control the layout does not move: its size changes nothing around it until it is read.
bool MeasureLater(const Control& c) {
    if (c.d().align != alNone) return false;
    const Control* form = FormOf(c);
    return form && !form->d().widget && !form->d().visible;
}

void Measure(Control& c) {
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

} // namespace

void FitToText(Control& c) {
    auto& d = c.d();
    if (MeasureLater(c)) {
        if (!d.fitPending) Unmeasured().insert(&c);
        d.fitPending = true;
        return;
    }
    if (d.fitPending) {
        d.fitPending = false;
        Unmeasured().erase(&c);
    }
    Measure(c);
}

void SettleFit(Control& c) {
    if (!c.d().fitPending) return;
    c.d().fitPending = false;
    Unmeasured().erase(&c);
    Measure(c);
}

void SettleFitsIn(const Control& form) {
    std::vector<Control*> inForm;
    for (Control* c : Unmeasured()) {
        if (FormOf(*c) == &form) inForm.push_back(c);
    }
    for (Control* c : inForm)
        SettleFit(*c);
}

void ForgetFit(Control& c) {
    if (c.d().fitPending) Unmeasured().erase(&c);
    c.d().fitPending = false;
}

} // namespace qo
