// Commands of edits beyond typing: pasted text offered to the element first, and the element's
// own commands in the box's context menu.
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/input_routing.h"
#include "widgets/layer/registry.h"
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

namespace qo {
namespace {

// True when the element took the clipboard's text.
bool OfferPaste(Control& c) {
    const auto handler = c.d().rare().onPaste; // a copy: the handler may replace itself
    if (!handler) return false;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const std::string text = FromQString(clipboard ? clipboard->text() : QString());
    DeliveryScope scope;
    return handler(text);
}

} // namespace

void EditControl::setOnPaste(PasteHandler h) {
    d().rareW().onPaste = std::move(h);
}

void EditControl::addContextCommand(std::string_view text, NotifyHandler run) {
    d().rareW().contextCommands.emplace_back(std::string(text), std::move(run));
    if (d().widget) ApplyStyles(*this); // a list's keys move its current line
}

bool RoutePaste(Control& c, QKeyEvent* e) {
    if (!EditControl::Holds(c.kind()) || !c.d().rare().onPaste || !e->matches(QKeySequence::Paste))
        return false;
    return OfferPaste(c);
}

void ShowEditMenu(Control& c, QWidget& w, QMenu* standard, const QPoint& at) {
    std::unique_ptr<QMenu> menu(standard);
    const std::int32_t id = c.id();
    if (c.d().rare().onPaste) {
        // A one-line box names its items only by their texts, which end in their keys.
        const QString pasteKeys =
            QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* a : menu->actions()) {
            if (a->objectName() != QLatin1String("edit-paste") && !a->text().endsWith(pasteKeys)) continue;
            a->setObjectName(QStringLiteral("edit-paste"));
            // The box's own paste would put the text in as it is; the element decides instead.
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            QObject::connect(a, &QAction::triggered, &w, [id, &w] {
                Control* target = Control::FromId(id);
                if (!target || OfferPaste(*target)) return;
                if (auto* line = qobject_cast<QLineEdit*>(&w)) line->paste();
                if (auto* memo = qobject_cast<QPlainTextEdit*>(&w)) memo->paste();
            });
        }
    }
    const auto& commands = c.d().rare().contextCommands;
    if (!commands.empty()) menu->addSeparator();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        QObject::connect(menu->addAction(ToQString(commands[i].first)), &QAction::triggered, &w, [id, i] {
            Control* target = Control::FromId(id);
            if (target && i < target->d().rare().contextCommands.size())
                CallHandler(target->d().rare().contextCommands[i].second);
        });
    }
    menu->exec(at);
}

} // namespace qo
