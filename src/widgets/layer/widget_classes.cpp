#include "widgets/layer/widget_classes.h"

#include <QContextMenuEvent>

#include "widgets/layer/apply.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/painting.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_view.h"
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace qo {

RoutedBase* RoutedOf(QWidget* w) {
    return dynamic_cast<RoutedBase*>(w);
}

FormWidget::FormWidget() : Routed<QWidget>(nullptr) {
    frameRole = true;
    auto* cw = new ClientWidget(this);
    cw->setAutoFillBackground(true);
    client = cw;
}

void FormWidget::arrange() {
    const int barHeight = (bar && !bar->isHidden()) ? bar->sizeHint().height() : 0;
    if (bar) bar->setGeometry(0, 0, width(), barHeight);
    client->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight));
}

void ClientWidget::paintEvent(QPaintEvent*) {
    if (!control || !control->d().on().onPaint) return;
    QPainter p(this);
    Canvas canvas(p, *control);
    CallHandler(control->d().on().onPaint, canvas);
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (control) PaintLabel(p, *control, contentsRect());
    drawFrame(&p);
}

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
            Guarded("щелчок мыши", 0, true, [&] {
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

void EditWidget::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    if (!control || control->mark() == kNoMark) return;
    QPainter p(this);
    PaintMark(p, rect(), control->mark());
}

void EditWidget::contextMenuEvent(QContextMenuEvent* e) {
    if (!control) return QLineEdit::contextMenuEvent(e);
    Guarded("контекстное меню", 0, true,
            [&] { ShowEditMenu(*control, *this, createStandardContextMenu(), e->globalPos()); });
}

void MemoWidget::contextMenuEvent(QContextMenuEvent* e) {
    if (!control) return QPlainTextEdit::contextMenuEvent(e);
    Guarded("контекстное меню", 0, true, [&] {
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
            const char* what = EventWhat(e->type(), userAct);
            Guarded(what, 0, userAct, [&] { used = RouteMouse(*control, *viewport(), e); });
            if (used) return true;
        }
        break;
    default:
        break;
    }
    return QPlainTextEdit::viewportEvent(e);
}

ScrollBoxWidget::ScrollBoxWidget(QWidget* parent) : Routed<QFrame>(parent) {
    viewport = new QWidget(this);
    content = new QWidget(viewport);
    content->setAutoFillBackground(true);
    vbar = new QScrollBar(Qt::Vertical, this);
    hbar = new QScrollBar(Qt::Horizontal, this);
    vbar->hide();
    hbar->hide();
    for (QScrollBar* bar : {vbar, hbar}) {
        const bool vertical = bar == vbar;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, vertical](int action) {
            if (!control) return;
            int code = -1;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                code = SB_LINEDOWN;
                break;
            case QAbstractSlider::SliderSingleStepSub:
                code = SB_LINEUP;
                break;
            case QAbstractSlider::SliderPageStepAdd:
                code = SB_PAGEDOWN;
                break;
            case QAbstractSlider::SliderPageStepSub:
                code = SB_PAGEUP;
                break;
            case QAbstractSlider::SliderToMinimum:
                code = SB_TOP;
                break;
            case QAbstractSlider::SliderToMaximum:
                code = SB_BOTTOM;
                break;
            case QAbstractSlider::SliderMove:
                code = SB_THUMBTRACK;
                break;
            default:
                return;
            }
            const int track = bar->sliderPosition();
            Control& c = *control;
            const LifeToken alive = Life(c);
            Message m{vertical ? WM_VSCROLL : WM_HSCROLL, static_cast<std::uintptr_t>(MakeLong(code, track)),
                      0, 0};
            Guarded("прокрутка", 0, true, [&] {
                const bool consumed = Deliver(c, m);
                if (alive.expired()) return;
                if (!consumed) HandleScrollRequest(c, vertical, code, track);
                // The bar shows the position the request produced, not its own guess.
                const ScrollInfo& info = vertical ? c.d().rare().vScroll : c.d().rare().hScroll;
                bar->setSliderPosition(info.pos);
            });
        });
    }
}

void ScrollBoxWidget::arrange() {
    const QRect cr = contentsRect();
    const int sb = ScrollBarExtent();
    const bool v = control && control->d().rare().vBar;
    const bool h = control && control->d().rare().hBar;
    const int vw = std::max(0, cr.width() - (v ? sb : 0));
    const int vh = std::max(0, cr.height() - (h ? sb : 0));
    viewport->setGeometry(cr.x(), cr.y(), vw, vh);
    vbar->setVisible(v);
    hbar->setVisible(h);
    if (v) vbar->setGeometry(cr.x() + vw, cr.y(), sb, vh);
    if (h) hbar->setGeometry(cr.x(), cr.y() + vh, vw, sb);
    if (!control) return;
    const auto& d = control->d();
    const int extW = d.rare().extentWidth, extH = d.rare().extentHeight;
    content->setGeometry(-d.rare().hScroll.pos, -d.rare().vScroll.pos, std::max(vw, extW),
                         std::max(vh, extH));
}

} // namespace qo
