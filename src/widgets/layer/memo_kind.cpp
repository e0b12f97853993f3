// A memo's widget: made with the user's typing wired to the control, and kept in step with its
// text, first shown line, read-only style, wrapping and scroll bars.
#include "widgets/layer/memo_kind.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/edit_text.h"
#include <QContextMenuEvent>
#include <QScrollBar>

namespace qo {

void MemoWidget::contextMenuEvent(QContextMenuEvent* e) {
    if (!control) return QPlainTextEdit::contextMenuEvent(e);
    Guarded(Doing::ContextMenu, 0, true, [&] {
        // A list's line is picked by the click that opens its menu.
        if (isReadOnly() && !control->d().rare().contextCommands.empty())
            setTextCursor(cursorForPosition(e->pos()));
        ShowEditMenu(*control, *this, createStandardContextMenu(e->pos()), e->globalPos());
    });
}

bool MemoWidget::viewportEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (control) {
            bool used = true;
            bool userAct = false;
            const Doing what = EventWhat(e->type(), userAct);
            Guarded(what, 0, userAct, [&] { used = RouteMouse(*control, *viewport(), e); });
            if (used) return true;
        }
        break;
    default:
        break;
    }
    return QPlainTextEdit::viewportEvent(e);
}

void ApplyReadOnly(Control& c, QPlainTextEdit& memo) {
    const bool readOnly = c.d().style & ES_READONLY;
    memo.setReadOnly(readOnly);
    // A read-only memo with commands for its lines is a list: the arrow keys move the line they
    // act on, as they move the current line of any list.
    if (readOnly && !c.d().rare().contextCommands.empty())
        memo.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ApplyFirstLine(Control& c) {
    auto& d = c.d();
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data()))
        m->verticalScrollBar()->setValue(d.rare().firstLine);
}

namespace {

QWidget* MakeMemo(Control& c, QWidget* parent, QWidget*&) {
    auto* m = LinkWidget(new MemoWidget(parent), c);
    m->setTabChangesFocus(false);
    QObject::connect(m, &QPlainTextEdit::textChanged, m, [m] {
        if (!m->control || m->control->d().settingText) return;
        Guarded(Doing::Typing, 0, true, [&] { TextChangedByUser(*m->control, m->toPlainText()); });
    });
    return m;
}

void MemoMade(Control& c, QWidget& w) {
    ApplyReadOnly(c, static_cast<MemoWidget&>(w));
}

void MemoText(Control& c, QWidget& w) {
    static_cast<QPlainTextEdit&>(w).setPlainText(EditDisplayText(c.d().text));
    ApplyFirstLine(c);
}

void MemoStyles(Control& c, QWidget& w) {
    const auto& d = c.d();
    auto& m = static_cast<QPlainTextEdit&>(w);
    ApplyReadOnly(c, m);
    const bool wraps = !(d.style & (ES_AUTOHSCROLL | WS_HSCROLL));
    m.setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m.setVerticalScrollBarPolicy((d.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m.setHorizontalScrollBarPolicy((d.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

QWidget* MemoCursorTarget(QWidget& w) {
    return static_cast<QPlainTextEdit&>(w).viewport();
}

} // namespace

const ControlKindOps kMemoKind{
    .make = &MakeMemo,
    .made = &MemoMade,
    .text = &MemoText,
    .styles = &MemoStyles,
    .cursorTarget = &MemoCursorTarget,
};

} // namespace qo
