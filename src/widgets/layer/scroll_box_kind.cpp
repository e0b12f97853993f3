// A scroll box's widget: its bars turned into scroll requests to the control, and the view,
// content and bars laid out from the control's scroll state.
#include "widgets/layer/scroll_box_kind.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_view.h"

namespace qo {

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
            Guarded(Doing::Scrolling, 0, true, [&] {
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

namespace {

QWidget* MakeScrollBox(Control& c, QWidget* parent, QWidget*& client) {
    auto* s = LinkWidget(new ScrollBoxWidget(parent), c);
    client = s->content;
    return s;
}

void ScrollBoxChildrenMade(Control& c, QWidget&) {
    ApplyScrollBars(c);
}

} // namespace

const ControlKindOps kScrollBoxKind{
    .make = &MakeScrollBox,
    .childrenMade = &ScrollBoxChildrenMade,
    .paintedRole = QAccessible::Pane,
};

void ApplyScrollBars(Control& c) {
    auto& d = c.d();
    if (d.kind != ControlKind::ScrollBox || !d.widget) return;
    auto* s = static_cast<ScrollBoxWidget*>(d.widget.data());
    for (auto [bar, info] : {std::pair{s->vbar, &d.rare().vScroll}, std::pair{s->hbar, &d.rare().hScroll}}) {
        const QSignalBlocker block(bar);
        bar->setRange(info->min, info->max);
        bar->setPageStep(std::max(1, info->page));
        bar->setSingleStep(16);
        bar->setValue(info->pos);
    }
    s->arrange();
    SyncViewport(c);
}

} // namespace qo
