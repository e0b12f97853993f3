// The keyboard focus: giving it, the tab order, and the Tab navigation of a form; mouse capture.
#include "widgets/layer/focus.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/scroll_view.h"
#include <algorithm>
#include <vector>

namespace qo {
namespace {

void Collect(Control& c, std::vector<Control*>& out) {
    for (Control* child : c.children()) {
        if (!child->visible()) continue; // hidden with a parent: none below can take part
        const auto& d = child->d();
        if ((d.style & WS_TABSTOP) && d.focusable) out.push_back(child);
        Collect(*child, out);
    }
}

} // namespace

void NavigateTab(Control& form, bool backward) {
    std::vector<Control*> all;
    Collect(form, all);
    std::stable_sort(all.begin(), all.end(),
                     [](Control* a, Control* b) { return a->tabPosition() < b->tabPosition(); });
    if (all.empty()) return;
    Control* focused = form.d().rare().focused;
    const int p = focused ? focused->tabPosition() : 0;
    Control* chosen = nullptr;
    if (!backward) {
        for (Control* c : all) {
            if (c->tabPosition() > p) {
                chosen = c;
                break;
            }
        }
        if (!chosen) chosen = all.front();
    } else {
        for (Control* c : all) {
            if (c->tabPosition() < p && (!chosen || c->tabPosition() > chosen->tabPosition())) chosen = c;
        }
        if (!chosen) {
            for (Control* c : all) {
                if (!chosen || c->tabPosition() > chosen->tabPosition()) chosen = c;
            }
        }
    }
    FocusControl(*chosen, backward ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    form.d().rareW().focused = chosen;
}

void FocusControl(Control& c, Qt::FocusReason reason) {
    auto& d = c.d();
    if (!d.focusable) return;
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    // A control the keyboard reaches comes into view first, so the player sees where the focus went.
    if (byKeyboard) ScrollIntoView(c);
    QWidget* w = Realise(c);
    if (!w) return;
    if (d.kind == ControlKind::Form) {
        w->activateWindow();
        return;
    }
    // NOTE: the reason decides the look: focus moved by Tab makes the style draw its focus frame.
    w->setFocus(reason);
    if (Control* f = c.form()) f->d().rareW().focused = &c;
}

void Control::setFocus() {
    FocusControl(*this, Qt::OtherFocusReason);
}
bool Control::hasFocus() const {
    return d_->widget && d_->widget->hasFocus();
}

void Control::bringToFront() {
    if (d_->widget) d_->widget->raise();
}

void Control::setCapture() {
    if (d_->widget && d_->widget->isVisible()) d_->widget->grabMouse();
}
void Control::releaseCapture() {
    if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
}

void Control::setTabPosition(int position) {
    auto& d = *d_;
    if (d.parent) {
        for (Control* s : d.parent->d().children) {
            if (s != this && s->d_->tabPosition >= position) ++s->d_->tabPosition;
        }
    }
    d.tabPosition = position;
}
int Control::tabPosition() const {
    return d_->tabPosition;
}
void Control::setFocusable(bool focusable) {
    d_->focusable = focusable;
    ApplyStyles(*this);
}
bool Control::focusable() const {
    return d_->focusable;
}
void Control::setTabNavigates(bool on) {
    d_->tabNavigates = on;
}
bool Control::tabNavigates() const {
    return d_->tabNavigates;
}
} // namespace qo
