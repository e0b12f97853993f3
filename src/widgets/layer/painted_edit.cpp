// One-line edits drawn by their panel: the look of a line edit without its widget, and the
// hand-over to a real editor when the player clicks or tabs into one.
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/style_cache.h"
#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace qo {
namespace {

// Where the child lies in its panel's widget: children of panels sit inside the panel's border.
QRect RectInParent(const Control& c) {
    const Rect& b = c.d().bounds;
    const int inset = NonClientInset(*c.d().parent);
    return QRect(b.left + inset, b.top + inset, std::max(0, b.width), std::max(0, b.height));
}

Qt::Alignment EditAlignment(const ControlPrivate& d) {
    const int h = (d.style & ES_CENTER) ? 2 : (d.style & ES_RIGHT) ? 1 : d.hAlign;
    return Qt::AlignVCenter | (h == 2 ? Qt::AlignHCenter : h == 1 ? Qt::AlignRight : Qt::AlignLeft);
}

} // namespace

bool PaintedByParent(const Control& c) {
    const auto& d = c.d();
    if (d.kind != ControlKind::Edit || d.listened() || !d.parent || d.destroying) return false;
    if (d.parent->d().kind != ControlKind::Panel || (d.style & ES_PASSWORD)) return false;
    return !QAccessible::isActive();
}

void PaintChildEdits(QPainter& p, const Control& panel, const QRect& area) {
    QStyle* style = QApplication::style();
    const int frameWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const FontDesc* font = nullptr; // the painter's: a ticket's cells share one
    for (const Control* child : panel.d().children) {
        const auto& d = child->d();
        if (d.widget || !d.visible || !PaintedByParent(*child)) continue;
        const QRect r = RectInParent(*child);
        if (!r.intersects(area)) continue;
        // Drawn as the toolkit draws a line edit: the panel, then the text inside its margins.
        QStyleOptionFrame frame;
        frame.rect = r;
        frame.palette = PaletteFor(d.color, d.font->color);
        frame.state = QStyle::State_Sunken | (d.enabled ? QStyle::State_Enabled : QStyle::State_None);
        if (d.style & ES_READONLY) frame.state |= QStyle::State_ReadOnly;
        const bool framed = (d.exStyle & WS_EX_CLIENTEDGE) || (d.style & WS_BORDER);
        frame.lineWidth = framed ? frameWidth : 0;
        frame.midLineWidth = 0;
        style->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, nullptr);
        if (child->mark() != kNoMark) PaintMark(p, r, child->mark());
        if (d.text.empty()) continue;
        QRect text = style->subElementRect(QStyle::SE_LineEditContents, &frame, nullptr);
        text.adjust(2, 1, -2, -1); // the line edit's own margins
        if (d.font != font) {
            font = d.font;
            p.setFont(FontFor(*font));
        }
        p.setPen(frame.palette.color(d.enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        p.drawText(text, EditAlignment(d) | Qt::TextSingleLine, ToQString(d.text));
    }
}

void PaintMark(QPainter& p, const QRect& r, Color mark) {
    // Two pixels wide, a pixel inside the sunken border, under the text.
    const int inset = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    p.save();
    p.setPen(QPen(ToQColor(mark), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(r).adjusted(inset, inset, -inset, -inset));
    p.restore();
}

Control* PaintedEditAt(const Control& panel, const QPoint& pos) {
    const auto& kids = panel.d().children.all();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        const auto& d = (*it)->d();
        if (!d.visible || d.widget || !PaintedByParent(**it)) continue;
        if (RectInParent(**it).contains(pos)) return *it;
    }
    return nullptr;
}

void UpdatePainted(const Control& c) {
    const auto& d = c.d();
    if (d.widget || !d.parent || !d.parent->d().widget || !PaintedByParent(c)) return;
    d.parent->d().widget->update(RectInParent(c));
}

void ReleaseEditorLater(Control& c) {
    const LifeToken alive = Life(c);
    QTimer::singleShot(0, qApp, [alive] {
        Control* c = Control::FromId(alive.id);
        if (!c || !c->d().widget || !PaintedByParent(*c) || HoldsFocus(*c)) return;
        ReleaseWidgetLater(*c);
        UpdatePainted(*c);
    });
}

} // namespace qo
