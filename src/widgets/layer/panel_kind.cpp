// A panel's widget: painted from the control's panel style, then by the element's paint handler,
// then the edits it draws; a press on a drawn edit makes it a real editor.
#include "widgets/layer/panel_kind.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/painting.h"
#include "widgets/layer/realise.h"
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace qo {

void PanelWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (control) {
        PaintPanel(p, *control, contentsRect());
        if (control->d().on().onPaint) {
            Canvas canvas(p, *control);
            CallHandler(control->d().on().onPaint, canvas);
        }
        if (control) PaintChildEdits(p, *control, e->rect());
    }
    drawFrame(&p);
}

// A press on a drawn edit makes it a real editor and hands it the press and what follows, so the
// caret lands where the player clicked, as in any edit.
bool PanelWidget::event(QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::ToolTip && control) {
        // A drawn edit has no widget to carry its tip: the panel shows it.
        auto* he = static_cast<QHelpEvent*>(e);
        if (Control* cell = PaintedEditAt(*control, he->pos()); cell && !cell->toolTip().empty()) {
            QToolTip::showText(he->globalPos(), ToQString(cell->toolTip()), this);
            return true;
        }
        // The panel's own tip, made now if it is made when asked.
        const QString tip = ToQString(control->toolTip());
        if (toolTip() != tip) setToolTip(tip);
    }
    if (t == QEvent::Leave && overEdit_ && control) pointAt(QPoint(-1, -1));
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonDblClick && t != QEvent::MouseMove &&
        t != QEvent::MouseButtonRelease)
        return Routed<QFrame>::event(e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (t == QEvent::MouseMove && control && !mouseTarget_) pointAt(me->position().toPoint());
    constexpr Qt::MouseButtons kPressing = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;
    if ((t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) && control &&
        (me->button() & kPressing)) {
        if (Control* cell = PaintedEditAt(*control, me->position().toPoint())) {
            Guarded(Doing::Click, 0, true, [&] {
                if (QWidget* w = Realise(*cell)) {
                    w->setFocus(Qt::MouseFocusReason);
                    mouseTarget_ = w;
                }
            });
        }
    }
    if (!mouseTarget_) return Routed<QFrame>::event(e);
    QMouseEvent forwarded(t, mouseTarget_->mapFrom(this, me->position()), me->globalPosition(), me->button(),
                          me->buttons(), me->modifiers());
    QPointer<QWidget> target = mouseTarget_;
    if (t == QEvent::MouseButtonRelease && me->buttons() == Qt::NoButton) mouseTarget_ = nullptr;
    QCoreApplication::sendEvent(target, &forwarded);
    return true;
}

void PanelWidget::pointAt(QPoint pos) {
    const Control* edit = rect().contains(pos) ? PaintedEditAt(*control, pos) : nullptr;
    if (edit) {
        const Qt::CursorShape shape = ShowsTextCursor(*edit) ? Qt::IBeamCursor : Qt::ArrowCursor;
        if (!overEdit_ || cursor().shape() != shape) setCursor(shape);
        overEdit_ = true;
    } else if (overEdit_) {
        overEdit_ = false;
        unsetCursor();
        ApplyCursor(*control); // the panel's own
    }
}

namespace {

QWidget* MakePanel(Control& c, QWidget* parent, QWidget*&) {
    return LinkWidget(new PanelWidget(parent), c);
}

} // namespace

const ControlKindOps kPanelKind{
    .make = &MakePanel,
    .paintedRole = QAccessible::Grouping,
    // A panel follows the pointer over the edits it draws, to show their cursor there.
    .followsPointer = true,
};

} // namespace qo
