// Making a Control's widget from its state, and letting go of it.
#include "widgets/layer/realise.h"

#include "widgets/layer/accessibility.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/widget_classes.h"

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
    if (d.kind == ControlKind::Application || d.destroying) return nullptr;
    SettleParentLayout(d); // the widget goes where the row lies, not where it lay
    SettleFit(c);
    QWidget* parentWidget = nullptr;
    if (d.kind != ControlKind::Form && d.parent && d.parent->kind() != ControlKind::Application) {
        Realise(*d.parent);
        // Realising the parent realises the children that are near the view, this one among them.
        if (d.widget) return d.widget;
        parentWidget = d.parent->d().client();
    }
    QWidget* w = nullptr;
    QWidget* client = nullptr;
    switch (d.kind) {
    case ControlKind::Form: {
        auto* f = new FormWidget();
        f->control = &c;
        static_cast<ClientWidget*>(f->client)->control = &c;
        f->setAttribute(Qt::WA_QuitOnClose, false);
        w = f;
        client = f->client;
        break;
    }
    case ControlKind::Button: {
        auto* b = new ButtonWidget(parentWidget);
        b->control = &c;
        QObject::connect(b, &QPushButton::clicked, b, [b] {
            if (!b->control) return;
            Guarded("нажатие кнопки", b->control->id(), true,
                    [b] { CallHandler(b->control->d().on().onClick); });
        });
        w = b;
        break;
    }
    case ControlKind::Label: {
        auto* l = new LabelWidget(parentWidget);
        l->control = &c;
        w = l;
        break;
    }
    case ControlKind::Panel: {
        auto* p = new PanelWidget(parentWidget);
        p->control = &c;
        w = p;
        break;
    }
    case ControlKind::Edit: {
        auto* e = new EditWidget(parentWidget);
        e->control = &c;
        QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& s) {
            if (!e->control || e->control->d().settingText) return;
            Guarded("ввод текста", 0, true, [&] { TextChangedByUser(*e->control, s); });
        });
        w = e;
        break;
    }
    case ControlKind::Memo: {
        auto* m = new MemoWidget(parentWidget);
        m->control = &c;
        m->setTabChangesFocus(false);
        QObject::connect(m, &QPlainTextEdit::textChanged, m, [m] {
            if (!m->control || m->control->d().settingText) return;
            Guarded("ввод текста", 0, true, [&] { TextChangedByUser(*m->control, m->toPlainText()); });
        });
        w = m;
        break;
    }
    case ControlKind::ScrollBox: {
        auto* s = new ScrollBoxWidget(parentWidget);
        s->control = &c;
        w = s;
        client = s->content;
        break;
    }
    case ControlKind::Application:
        return nullptr;
    }
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
    if (d.kind == ControlKind::Form) {
        ApplyMenu(c);
        ApplyIcon(c);
        ApplyOpacity(c);
    }
    if (d.kind == ControlKind::Memo) {
        ApplyReadOnly(c, *static_cast<MemoWidget*>(w));
    }
    for (Control* child : d.children) {
        if (NearView(*child) && !PaintedByParent(*child) && !HiddenWindow(*child)) Realise(*child);
    }
    if (d.kind == ControlKind::ScrollBox) ApplyScrollBars(c);
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
    if (d.widget) SetWidgetControl(d.widget, nullptr);
    if (d.kind == ControlKind::Form && d.widget) {
        static_cast<ClientWidget*>(static_cast<FormWidget*>(d.widget.data())->client)->control = nullptr;
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
