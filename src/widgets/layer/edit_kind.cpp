// A one-line edit's widget: made with the user's typing wired to the control, and kept in step
// with its text, frame, read-only and password styles, length limit and alignment.
#include "widgets/layer/edit_kind.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/painted_edit.h"
#include <QContextMenuEvent>
#include <QPainter>

namespace qo {

void EditWidget::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    if (!control || control->mark() == kNoMark) return;
    QPainter p(this);
    PaintMark(p, rect(), control->mark());
}

void EditWidget::contextMenuEvent(QContextMenuEvent* e) {
    if (!control) return QLineEdit::contextMenuEvent(e);
    Guarded(Doing::ContextMenu, 0, true,
            [&] { ShowEditMenu(*control, *this, createStandardContextMenu(), e->globalPos()); });
}

namespace {

QWidget* MakeEdit(Control& c, QWidget* parent, QWidget*&) {
    auto* e = LinkWidget(new EditWidget(parent), c);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& s) {
        if (!e->control || e->control->d().settingText) return;
        Guarded(Doing::Typing, 0, true, [&] { TextChangedByUser(*e->control, s); });
    });
    return e;
}

void EditText(Control& c, QWidget& w) {
    const auto& d = c.d();
    auto& e = static_cast<QLineEdit&>(w);
    if (d.text.empty() && e.text().isEmpty()) return;
    e.setText(ToQString(d.text));
    e.setCursorPosition(0);
}

void EditStyles(Control& c, QWidget& w) {
    const auto& d = c.d();
    // Compared first: thousands of cells are made at once and most values are the defaults.
    auto& e = static_cast<QLineEdit&>(w);
    const bool frame = (d.exStyle & WS_EX_CLIENTEDGE) || (d.style & WS_BORDER);
    if (e.hasFrame() != frame) e.setFrame(frame);
    const bool readOnly = d.style & ES_READONLY;
    if (e.isReadOnly() != readOnly) e.setReadOnly(readOnly);
    const auto echo = (d.style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal;
    if (e.echoMode() != echo) e.setEchoMode(echo);
    const int limit = d.limit > 0 ? d.limit : 32767;
    if (e.maxLength() != limit) e.setMaxLength(limit);
}

void EditAlignment(Control& c, QWidget& w) {
    const auto& d = c.d();
    Qt::Alignment a = Qt::AlignVCenter;
    const int h = (d.style & ES_CENTER) ? 2 : (d.style & ES_RIGHT) ? 1 : d.hAlign;
    a |= h == 2 ? Qt::AlignHCenter : h == 1 ? Qt::AlignRight : Qt::AlignLeft;
    auto& e = static_cast<QLineEdit&>(w);
    if (e.alignment() != a) e.setAlignment(a);
}

} // namespace

const ControlKindOps kEditKind{
    .make = &MakeEdit,
    .text = &EditText,
    .styles = &EditStyles,
    .alignment = &EditAlignment,
};

} // namespace qo
