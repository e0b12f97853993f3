// The keyboard focus: giving it, the tab order, and the Tab navigation of a form; mouse capture.
#include "widgets/layer/focus.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/scroll_view.h"
#include <algorithm>
#include <climits>
#include <vector>

namespace qo {
namespace {

// A control Tab can reach, with the child of a list (setTabItems) it lies in, if any.
struct Stop {
    Control* control;
    Control* item;
};

void Collect(Control& c, Control* item, std::vector<Stop>& out) {
    for (Control* child : c.children()) {
        if (!child->visible()) continue; // hidden with a parent: none below can take part
        Control* inItem = c.d().tabItems ? child : item;
        const auto& d = child->d();
        // NOTE: in a list a control that keeps Tab (a ticket's notes) stays out of the round: Tab
        // would take the player in and never out again, typing into the notes instead.
        const bool keepsTab = inItem && !d.tabNavigates;
        if ((d.style & WS_TABSTOP) && d.focusable && !keepsTab) out.push_back({child, inItem});
        Collect(*child, inItem, out);
    }
}

// What Tab can choose: a control, or a whole list standing at its own position.
struct Unit {
    int position;
    Control* control;
    Control* list;
};

// The form's rule over units ordered by position: forward the smallest position above p, backward
// the greatest below it, the first collected among equals; positions equal to p are never chosen.
// Without a wrap round, nothing when the end is reached.
const Unit* Pick(const std::vector<Unit>& units, int p, bool backward, bool wrap) {
    const Unit* chosen = nullptr;
    if (!backward) {
        for (const Unit& u : units) {
            if (u.position > p) return &u;
        }
        return wrap && !units.empty() ? &units.front() : nullptr;
    }
    for (const Unit& u : units) {
        if (u.position < p && (!chosen || u.position > chosen->position)) chosen = &u;
    }
    if (chosen || !wrap) return chosen;
    for (const Unit& u : units) {
        if (!chosen || u.position > chosen->position) chosen = &u;
    }
    return chosen;
}

void SortByPosition(std::vector<Unit>& units) {
    std::stable_sort(units.begin(), units.end(),
                     [](const Unit& a, const Unit& b) { return a.position < b.position; });
}

std::vector<Unit> StopsIn(const std::vector<Stop>& stops, Control* item) {
    std::vector<Unit> units;
    for (const Stop& s : stops) {
        if (s.item == item) units.push_back({s.control->tabPosition(), s.control, nullptr});
    }
    SortByPosition(units);
    return units;
}

// The list child `c` lies in (the innermost, as Collect counts it), or none.
Control* ItemOf(Control* c) {
    for (; c && c->parent(); c = c->parent()) {
        if (c->parent()->d().tabItems) return c;
    }
    return nullptr;
}

// From the list child at `from` on (backward: down), the first control of the first child that has
// any, or the last control of the last.
Control* EnterList(const std::vector<Stop>& stops, Control& list, bool backward, std::ptrdiff_t from) {
    const auto& items = list.children();
    const std::ptrdiff_t step = backward ? -1 : 1;
    for (std::ptrdiff_t i = from; i >= 0 && i < static_cast<std::ptrdiff_t>(items.size()); i += step) {
        // The ends of a child's own order: what Tab reaches there first, or last.
        const std::vector<Unit> units = StopsIn(stops, items[static_cast<std::size_t>(i)]);
        if (const Unit* u = Pick(units, backward ? INT_MIN : INT_MAX, backward, true)) return u->control;
    }
    return nullptr;
}

// Among the form's controls outside every list, each list counting as one at its own position.
Control* PickOutside(const std::vector<Stop>& stops, int p, bool backward) {
    std::vector<Unit> units;
    std::vector<Control*> lists;
    for (const Stop& s : stops) {
        if (!s.item) {
            units.push_back({s.control->tabPosition(), s.control, nullptr});
        } else if (Control* list = s.item->parent();
                   std::find(lists.begin(), lists.end(), list) == lists.end()) {
            lists.push_back(list);
            units.push_back({list->tabPosition(), nullptr, list});
        }
    }
    SortByPosition(units);
    const Unit* u = Pick(units, p, backward, true);
    if (!u) return nullptr;
    if (u->control) return u->control;
    const auto count = static_cast<std::ptrdiff_t>(u->list->children().size());
    return EnterList(stops, *u->list, backward, backward ? count - 1 : 0);
}

// Tab in a form that holds lists: within the focused control's list child first, then on to the
// next child, past the last one (or before the first) on among the other controls. Tickets all
// carry the same positions, so the form's rule alone would always choose the first ticket.
Control* PickWithLists(const std::vector<Stop>& stops, Control* focused, bool backward) {
    const int p = focused ? focused->tabPosition() : 0;
    Control* item = ItemOf(focused);
    if (!item) return PickOutside(stops, p, backward);
    const std::vector<Unit> own = StopsIn(stops, item);
    if (const Unit* u = Pick(own, p, backward, false)) return u->control;
    Control& list = *item->parent();
    const auto& items = list.children();
    const std::ptrdiff_t at = std::find(items.begin(), items.end(), item) - items.begin();
    if (Control* next = EnterList(stops, list, backward, backward ? at - 1 : at + 1)) return next;
    return PickOutside(stops, list.tabPosition(), backward);
}

} // namespace

void NavigateTab(Control& form, bool backward) {
    std::vector<Stop> stops;
    Collect(form, nullptr, stops);
    if (stops.empty()) return;
    Control* focused = form.d().rare().focused;
    Control* chosen = nullptr;
    if (std::any_of(stops.begin(), stops.end(), [](const Stop& s) { return s.item != nullptr; })) {
        chosen = PickWithLists(stops, focused, backward);
    } else {
        std::vector<Unit> units;
        for (const Stop& s : stops)
            units.push_back({s.control->tabPosition(), s.control, nullptr});
        SortByPosition(units);
        chosen = Pick(units, focused ? focused->tabPosition() : 0, backward, true)->control;
    }
    if (!chosen) return;
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
void Control::setTabItems(bool on) {
    d_->tabItems = on;
}
bool Control::tabItems() const {
    return d_->tabItems;
}
} // namespace qo
