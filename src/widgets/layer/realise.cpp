// Making a Control's widget from its state, and letting go of it.
#include "widgets/layer/realise.h"

#include "widgets/layer/accessibility.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_kind.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/routed_widget.h"
#include "widgets/layer/scroll_view.h"

namespace qo {
namespace {

void SetWidgetControl(QWidget* w, Control* c) {
    if (RoutedBase* r = RoutedOf(w)) r->control = c;
}

} // namespace

bool HiddenWindow(const Control& c) {
    return c.d().kind == ControlKind::Form && !c.d().visible;
}

QWidget* Realise(Control& c) {
    auto& d = c.d();
    if (d.widget) return d.widget;
    const ControlKindOps& ops = KindOps(d.kind);
    if (!ops.make || d.destroying) return nullptr;
    SettleParentLayout(d); // the widget goes where the row lies, not where it lay
    SettleFit(c);
    QWidget* parentWidget = nullptr;
    if (d.kind != ControlKind::Form && d.parent && d.parent->kind() != ControlKind::Application) {
        Realise(*d.parent);
        // Realising the parent realises the children that are near the view, this one among them.
        if (d.widget) return d.widget;
        parentWidget = d.parent->d().client();
    }
    QWidget* client = nullptr;
    QWidget* w = ops.make(c, parentWidget, client);
    d.widget = w;
    if (client && client != w) d.rareW().client = client;
    if (!d.enabled) w->setEnabled(false);
    ApplyStyles(c);
    ApplyPalette(c);
    ApplyFont(c);
    ApplyText(c);
    ApplyAlignment(c);
    ApplyCursor(c);
    ApplyGeometry(c);
    ApplyAccessibility(c);
    if (ops.made) ops.made(c, *w);
    for (Control* child : d.children) {
        if (NearView(*child) && !PaintedByParent(*child) && !HiddenWindow(*child)) Realise(*child);
    }
    if (ops.childrenMade) ops.childrenMade(c, *w);
    if (d.kind != ControlKind::Form)
        w->setVisible(d.visible);
    else if (d.visible)
        ApplyVisible(c);
    return w;
}

static void UnlinkTree(Control& c) {
    auto& d = c.d();
    for (Control* child : d.children) {
        // A form below this one has a top-level window of its own, which no widget of ours holds:
        // let it go now, or nothing ever would.
        if (child->d().kind == ControlKind::Form) {
            ReleaseWidget(*child, false);
            continue;
        }
        UnlinkTree(*child);
    }
    if (d.widget) {
        SetWidgetControl(d.widget, nullptr);
        if (const auto unlink = KindOps(d.kind).unlink) unlink(*d.widget);
    }
    d.widget = nullptr;
    if (d.rare().client) d.rareW().client = nullptr;
}

void ReleaseWidget(Control& c, bool parentGoing) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    const bool parentWidgetGoes =
        parentGoing && d.parent && d.parent->hasWindow() && d.kind != ControlKind::Form;
    UnlinkTree(c);
    if (parentWidgetGoes) return;
    if (DeliveryScope::active()) {
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

void ReleaseWidgetLater(Control& c) {
    QWidget* w = c.d().widget;
    if (!w) return;
    UnlinkTree(c);
    w->hide();
    w->deleteLater();
}

} // namespace qo
