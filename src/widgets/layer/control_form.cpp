// Forms: window state, opacity, icon, menu bar, activation, closing, the owner window rule, and the
// Tab navigation filter.
#include "widgets/layer/control_private.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/widgets.h"
#include <QIcon>
#include <QPixmap>
#include <algorithm>

namespace qo {
namespace {

Control* g_activeForm = nullptr;
Control* g_loopMainForm = nullptr;

void Collect(Control& c, std::vector<Control*>& out) {
    for (Control* child : c.children()) {
        if (!child->visible()) continue; // hidden with a parent: none below can take part
        const auto& d = child->d();
        if ((d.style & WS_TABSTOP) && d.focusable) out.push_back(child);
        Collect(*child, out);
    }
}

} // namespace

void SetLoopMainForm(Control* form) {
    g_loopMainForm = form;
}

// Tab navigation: controls with the tab-stop style that are focusable and shown, ordered by
// position (an equal position goes after the one collected first); the next position after the
// focused control's, wrapping round; equal positions are never chosen.
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
