// A form's menu bar, built from its menu's item tree: choosing a command sends WM_COMMAND with its
// identifier to the form, highlighting an item sends WM_MENUSELECT.
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/form_kind.h"
#include "widgets/layer/menu.h"
#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qo {

static void BuildMenu(FormControl& form, QWidget* owner, const MenuItem& item, QMenuBar* bar, QMenu* menu) {
    const QString text = ToQString(item.text);
    const std::int32_t formId = form.id();
    QAction* action = nullptr;
    if (item.kind == MenuItemKind::Separator) {
        action = menu ? menu->addSeparator() : bar->addSeparator();
        action->setEnabled(false);
    } else if (item.hasSubmenu) {
        QMenu* sub = menu ? menu->addMenu(text) : bar->addMenu(text);
        sub->setToolTipsVisible(true); // a greyed item tells why
        action = sub->menuAction();
        for (const auto& child : item.children)
            BuildMenu(form, owner, *child, nullptr, sub);
    } else {
        action = menu ? menu->addAction(text) : bar->addAction(text);
        if (item.kind == MenuItemKind::Check || item.kind == MenuItemKind::Radio) {
            action->setCheckable(true);
            action->setChecked(item.checked);
        }
        action->setEnabled(item.enabled);
        if (!item.hint.empty()) {
            action->setToolTip(ToQString(item.hint));
            action->setStatusTip(action->toolTip());
        }
        const std::int32_t id = item.id;
        const bool checked = item.checked;
        QObject::connect(action, &QAction::triggered, owner, [formId, id, action, checked] {
            action->setChecked(checked); // the menu element decides marks, not the toolkit
            Control* f = Control::FromId(formId);
            if (!f) return;
            Message m{WM_COMMAND, static_cast<std::uintptr_t>(id), 0, 0};
            Guarded(Doing::MenuCommand, 0, true, [&] { Deliver(*f, m); });
        });
    }
    // Highlight: a command reports its identifier, a submenu title its position in its parent.
    int position = 0;
    if (item.hasSubmenu) {
        const auto& siblings = item.parent ? item.parent->children : form.menu()->items();
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            if (siblings[i].get() == &item) position = static_cast<int>(i);
        }
    }
    const std::uint32_t flags = MF_HILITE | (item.hasSubmenu ? MF_POPUP : 0);
    const std::uintptr_t wParam = static_cast<std::uintptr_t>(
        MakeLong(item.hasSubmenu ? position : (item.id & 0xFFFF), static_cast<int>(flags)));
    QObject::connect(action, &QAction::hovered, owner, [formId, wParam] {
        Control* f = Control::FromId(formId);
        if (!f) return;
        Message m{WM_MENUSELECT, wParam, 0, 0};
        Guarded(Doing::MenuHighlight, 0, false, [&] { Deliver(*f, m); });
    });
}

void ApplyMenu(Control& control) {
    auto* form = As<FormControl>(&control);
    if (!form || !form->hasWindow()) return;
    FormControl& c = *form;
    auto& d = c.d();
    auto* fw = static_cast<FormWidget*>(d.widget.data());
    if (fw->bar) {
        fw->bar->hide();
        fw->bar->deleteLater();
        fw->bar = nullptr;
    }
    if (d.rare().menu && !d.rare().menu->items().empty()) {
        fw->bar = new QMenuBar(fw);
        for (const auto& item : d.rare().menu->items())
            BuildMenu(c, fw->bar, *item, fw->bar, nullptr);
        fw->bar->show();
    }
    fw->arrange();
}

// A lone Alt the toolkit handles itself; F10 opens the first menu, as desktop programs here do.
bool EnterMenuBar(FormControl& form) {
    auto* fw = static_cast<FormWidget*>(form.d().widget.data());
    if (!fw || !fw->bar || fw->bar->isHidden()) return false;
    for (QAction* a : fw->bar->actions()) {
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
            fw->bar->setActiveAction(a);
            return true;
        }
    }
    return false;
}

} // namespace qo
