// Forms: window state, opacity, menu bar, modal result, activation, closing and the owner window
// rule.
#include "widgets/layer/form_control.h"

#include "widgets/layer/forms.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/form_kind.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/realise.h"
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace qo {
namespace {

FormControl* g_activeForm = nullptr;
FormControl* g_loopMainForm = nullptr;

} // namespace

void SetLoopMainForm(FormControl* form) {
    g_loopMainForm = form;
}

void FormActivated(FormControl& form, bool active) {
    if (active)
        g_activeForm = &form;
    else if (g_activeForm == &form)
        g_activeForm = nullptr;
    Message m{WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0, 0};
    Deliver(form, m);
}

void FormClosing(FormControl& form) {
    // Default processing of a close: the window goes (the Control stays, windowless).
    auto& d = form.d();
    d.visible = false;
    d.style &= ~WS_VISIBLE;
    if (g_activeForm == &form) g_activeForm = nullptr;
    ReleaseWidget(form, false);
    if (g_loopMainForm == &form) {
        g_loopMainForm = nullptr;
        TerminateMessageLoop();
    }
}

void ForgetForm(FormControl& form) {
    if (g_activeForm == &form) g_activeForm = nullptr;
    if (g_loopMainForm == &form) g_loopMainForm = nullptr;
}

FormControl* OwnerControl() {
    if (g_activeForm) return g_activeForm;
    Control* app = ApplicationObject();
    if (!app) return nullptr;
    for (Control* c : app->children()) {
        if (auto* form = As<FormControl>(c)) return form;
    }
    return nullptr;
}

FormControl* FormControl::Create(Control* parent) {
    auto* c = new FormControl(ControlKind::Form, parent);
    auto& d = c->d();
    d.visible = false;
    d.text = "Form";
    d.style = WS_OVERLAPPEDWINDOW;
    d.clientEdge = true; // children with an edge start with it
    d.tabNavigates = false;
    d.bounds = {0, 0, 320, 240};
    return c;
}

void FormControl::setWindowState(int state) {
    auto& d = this->d();
    d.rareW().windowState = state;
    d.visible = true;
    d.style |= WS_VISIBLE;
    ApplyWindowState(*this);
}

int FormControl::windowState() const {
    const auto& d = this->d();
    if (d.widget) {
        if (d.widget->isMinimized()) return 1;
        if (d.widget->isMaximized()) return 2;
        return 0;
    }
    return d.rare().windowState;
}

Rect FormControl::normalBounds() const {
    const auto& d = this->d();
    if (!d.widget || windowState() == 0) return d.bounds;
    const QRect g = d.widget->normalGeometry();
    if (!g.isValid()) return d.bounds;
    // A form maximised before it was ever seen otherwise was framed as its system frames it.
    const QMargins m = d.rare().normalFrame.isNull() ? d.rare().frame : d.rare().normalFrame;
    return Rect{g.x() - m.left(), g.y() - m.top(), g.width() + m.left() + m.right(),
                g.height() + m.top() + m.bottom()};
}

void FormControl::bringOntoScreen() {
    const Rect& b = d().bounds;
    const QRect r(b.left, b.top, std::max(1, b.width), std::max(1, b.height));
    const QScreen* best = nullptr;
    qint64 bestOverlap = -1;
    qint64 bestDistance = 0;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect a = s->availableGeometry();
        if (a.contains(r)) return;
        const QRect common = a.intersected(r);
        const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        const QPoint gap = a.center() - r.center();
        const qint64 distance = qint64(gap.x()) * gap.x() + qint64(gap.y()) * gap.y();
        if (!best || overlap > bestOverlap || (overlap == bestOverlap && distance < bestDistance)) {
            best = s;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    if (!best) return;
    const QRect a = best->availableGeometry();
    const int width = std::min(b.width, a.width());
    const int height = std::min(b.height, a.height());
    setBounds(std::clamp(b.left, a.left(), a.left() + a.width() - width),
              std::clamp(b.top, a.top(), a.top() + a.height() - height), width, height);
}

void FormControl::setOpacity(int alpha) {
    d().rareW().opacity = std::clamp(alpha, 0, 255);
    if (d().rare().opacity == 255)
        d().exStyle &= ~WS_EX_LAYERED;
    else
        d().exStyle |= WS_EX_LAYERED;
    ApplyOpacity(*this);
}
int FormControl::opacity() const {
    return d().rare().opacity;
}

void FormControl::setMenu(Menu* menu) {
    auto& d = this->d();
    if (d.rare().menu && d.rare().menu != menu) d.rare().menu->form_ = nullptr;
    d.rareW().menu = menu;
    if (menu) {
        if (menu->form_ && menu->form_ != this) menu->form_->setMenu(nullptr);
        menu->form_ = this;
    }
    ApplyMenu(*this);
    LayoutChildren(*this);
}

Menu* FormControl::menu() const {
    return d().rare().menu;
}

void FormControl::bringToForeground() {
    QWidget* w = Realise(*this);
    if (!w) return;
    QWidget* window = w->window();
    // A minimised window asked for comes back as it was, maximised or not.
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->raise();
    window->activateWindow();
}

void FormControl::setModalResult(int result) {
    d().rareW().modalResult = result;
}
int FormControl::modalResult() const {
    return d().rare().modalResult;
}

void FormControl::setKeyboardNavigation(bool on) {
    d().keyboardNavigation = on;
}
bool FormControl::keyboardNavigation() const {
    return d().keyboardNavigation;
}
Control* FormControl::focusedControl() const {
    return d().rare().focused;
}

} // namespace qo
