// Forms: window state, opacity, icon, menu bar, activation, closing and the owner window rule.
#include "widgets/layer/forms.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/widget_classes.h"
#include <QIcon>
#include <QPixmap>
#include <algorithm>

namespace qo {
namespace {

Control* g_activeForm = nullptr;
Control* g_loopMainForm = nullptr;

} // namespace

void SetLoopMainForm(Control* form) {
    g_loopMainForm = form;
}

void FormActivated(Control& form, bool active) {
    if (active)
        g_activeForm = &form;
    else if (g_activeForm == &form)
        g_activeForm = nullptr;
    Message m{WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0, 0};
    Deliver(form, m);
}

void FormClosing(Control& form) {
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

void ForgetForm(Control& form) {
    if (g_activeForm == &form) g_activeForm = nullptr;
    if (g_loopMainForm == &form) g_loopMainForm = nullptr;
}

Control* OwnerControl() {
    if (g_activeForm) return g_activeForm;
    Control* app = ApplicationObject();
    if (!app) return nullptr;
    for (Control* c : app->children()) {
        if (c->kind() == ControlKind::Form) return c;
    }
    return nullptr;
}

void Control::setWindowState(int state) {
    auto& d = *d_;
    d.rareW().windowState = state;
    if (d.kind != ControlKind::Form) return;
    d.visible = true;
    d.style |= WS_VISIBLE;
    ApplyWindowState(*this);
}

int Control::windowState() const {
    const auto& d = *d_;
    if (d.widget && d.kind == ControlKind::Form) {
        if (d.widget->isMinimized()) return 1;
        if (d.widget->isMaximized()) return 2;
        return 0;
    }
    return d.rare().windowState;
}

void Control::setOpacity(int alpha) {
    d_->rareW().opacity = std::clamp(alpha, 0, 255);
    if (d_->rare().opacity == 255)
        d_->exStyle &= ~WS_EX_LAYERED;
    else
        d_->exStyle |= WS_EX_LAYERED;
    ApplyOpacity(*this);
}
int Control::opacity() const {
    return d_->rare().opacity;
}

bool Control::setIconFile(const std::string& pathUtf8) {
    QIcon icon(QString::fromStdString(pathUtf8));
    if (icon.isNull() || icon.availableSizes().isEmpty()) return false;
    d_->rareW().icon = std::make_unique<QIcon>(icon);
    ApplyIcon(*this);
    return true;
}

bool Control::setIconData(std::string_view imageBytes) {
    QPixmap pm;
    if (!pm.loadFromData(reinterpret_cast<const uchar*>(imageBytes.data()),
                         static_cast<uint>(imageBytes.size()))) {
        return false;
    }
    d_->rareW().icon = std::make_unique<QIcon>(pm);
    ApplyIcon(*this);
    return true;
}

void Control::copyIconFrom(const Control& other) {
    if (!other.d_->rare().icon) return;
    d_->rareW().icon = std::make_unique<QIcon>(*other.d_->rare().icon);
    ApplyIcon(*this);
}

bool Control::hasIcon() const {
    return d_->rare().icon != nullptr;
}

void Control::setMenu(Menu* menu) {
    auto& d = *d_;
    if (d.rare().menu && d.rare().menu != menu) d.rare().menu->form_ = nullptr;
    d.rareW().menu = menu;
    if (menu) {
        if (menu->form_ && menu->form_ != this) menu->form_->setMenu(nullptr);
        menu->form_ = this;
    }
    ApplyMenu(*this);
    LayoutChildren(*this);
}

Menu* Control::menu() const {
    return d_->rare().menu;
}

void Control::bringToForeground() {
    QWidget* w = Realise(*this);
    if (!w) return;
    QWidget* window = w->window();
    window->raise();
    window->activateWindow();
}

void Control::setModalResult(int result) {
    d_->rareW().modalResult = result;
}
int Control::modalResult() const {
    return d_->rare().modalResult;
}

} // namespace qo
