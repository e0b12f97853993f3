// A form's widget: made as a top-level window with its client area, and kept in step with the
// form's caption, styles, outer rectangle, window state, opacity and icon.
#include "widgets/layer/form_kind.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace qo {

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

void FormDecorations(const Control& c, int& extraWidth, int& extraHeight) {
    extraWidth = extraHeight = 0;
    const auto& d = c.d();
    if (d.kind != ControlKind::Form || !d.widget) return;
    extraWidth = d.rare().frame.left() + d.rare().frame.right();
    extraHeight = d.rare().frame.top() + d.rare().frame.bottom();
    auto* fw = static_cast<FormWidget*>(d.widget.data());
    if (fw->bar && !fw->bar->isHidden()) extraHeight += fw->bar->sizeHint().height();
}

namespace {

QWidget* MakeForm(Control& c, QWidget*, QWidget*& client) {
    auto* f = LinkWidget(new FormWidget(), c);
    LinkWidget(static_cast<ClientWidget*>(f->client), c);
    f->setAttribute(Qt::WA_QuitOnClose, false);
    client = f->client;
    return f;
}

void FormMade(Control& c, QWidget&) {
    ApplyMenu(c);
    ApplyIcon(c);
    ApplyOpacity(c);
}

void FormText(Control& c, QWidget& w) {
    w.setWindowTitle(ToQString(c.d().text));
}

// A form without a sizing frame keeps its size: the window manager is told so (least size = most
// size), since a frame without sizing borders is only a look on some desktops.
void ApplySizeLimits(Control& c, const QSize& size) {
    QWidget* w = c.d().widget;
    if (!(c.d().style & WS_THICKFRAME)) {
        if (w->minimumSize() != size || w->maximumSize() != size) w->setFixedSize(size);
    } else if (w->minimumSize() != QSize(0, 0) ||
               w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void FormGeometry(Control& c, QWidget& w) {
    auto& d = c.d();
    // The state holds the outer rectangle; the widget's own size is without the frame.
    if (w.windowHandle()) d.rareW().frame = w.windowHandle()->frameMargins();
    const QMargins m = d.rare().frame;
    const Rect want = d.bounds; // the widget's own resize and move events must not rewrite it midway
    d.rareW().applyingGeometry = true;
    const QSize size(std::max(0, want.width - m.left() - m.right()),
                     std::max(0, want.height - m.top() - m.bottom()));
    ApplySizeLimits(c, size);
    if (w.size() != size) w.resize(size);
    if (w.frameGeometry().topLeft() != QPoint(want.left, want.top)) w.move(want.left, want.top);
    d.rareW().applyingGeometry = false;
    static_cast<FormWidget&>(w).arrange();
}

void FormStyles(Control& c, QWidget& w) {
    auto& d = c.d();
    w.setMouseTracking(false);
    static_cast<FormWidget&>(w).client->setMouseTracking(static_cast<bool>(d.on().onMouseMove));
    Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint;
    if ((d.style & WS_CAPTION) == WS_CAPTION) f |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if ((d.style & WS_CAPTION) != WS_CAPTION && !(d.style & WS_THICKFRAME)) f |= Qt::FramelessWindowHint;
    if (d.style & WS_MINIMIZEBOX) f |= Qt::WindowMinimizeButtonHint;
    if (d.style & WS_MAXIMIZEBOX) f |= Qt::WindowMaximizeButtonHint;
    if (d.exStyle & WS_EX_TOOLWINDOW) f |= Qt::Tool;
    if (!(d.style & WS_THICKFRAME)) f |= Qt::MSWindowsFixedSizeDialogHint;
    if (w.windowFlags() != f) {
        const bool shown = w.isVisible();
        w.setWindowFlags(f);
        if (shown) w.show();
    }
    ApplyGeometry(c); // a sizing frame that came or went changes what the size may become
}

void FormPalette(Control&, QWidget& w) {
    w.update();
}

void FormUnlink(QWidget& w) {
    static_cast<ClientWidget*>(static_cast<FormWidget&>(w).client)->control = nullptr;
}

// Hears the first exposure of a form's window, mapped and framed by the window manager, for the
// state it waits to take; then goes.
class StateOnExpose : public QObject {
public:
    StateOnExpose(const Control& c, QObject* parent) : QObject(parent), alive_(Life(c)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            if (Control* form = Control::FromId(alive_.id)) ApplyStateOnceFramed(*form, false);
            if (Control* form = Control::FromId(alive_.id); !form || !form->d().rare().stateOnceFramed)
                deleteLater();
        }
        return false;
    }

private:
    LifeToken alive_;
};

} // namespace

const ControlKindOps kFormKind{
    .make = &MakeForm,
    .made = &FormMade,
    .text = &FormText,
    .styles = &FormStyles,
    .geometry = &FormGeometry,
    .palette = &FormPalette,
    .unlink = &FormUnlink,
};

void ApplyWindowState(Control& c) {
    auto& d = c.d();
    QWidget* w = Realise(c);
    if (!w) return;
    const int state = d.rare().windowState;
    if ((state == 1 || state == 2) && d.rare().normalFrame.isNull()) {
        // NOTE: a window manager keeps, for the restore, the window as it was when maximised or
        // minimised, and hears of a state only for a window it has mapped. Before it has framed
        // and mapped the window, the outer rectangle asked for can not be made the one it keeps:
        // the form is shown as asked, and takes its state once its window is exposed, or after a
        // while from a window manager that never frames it.
        d.rareW().stateOnceFramed = state;
        if (AwaitsFrame(*w)) {
            w->show();
            w->windowHandle()->installEventFilter(new StateOnExpose(c, w->windowHandle()));
            const LifeToken alive = Life(c);
            QTimer::singleShot(kFrameWaitMs, w, [alive] {
                if (Control* form = Control::FromId(alive.id)) ApplyStateOnceFramed(*form, true);
            });
            return;
        }
        ApplyStateOnceFramed(c, true);
        return;
    }
    d.rareW().stateOnceFramed = 0; // a state asked later wins over one still waiting
    switch (state) {
    case 1:
        w->showMinimized();
        break;
    case 2:
        w->showMaximized();
        break;
    default:
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->showNormal();
        w->setAttribute(Qt::WA_ShowWithoutActivating, false);
        break;
    }
}

bool AwaitsFrame(QWidget& w) {
    // The offscreen and minimal platforms frame no window, ever.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
    w.winId(); // a native window: a system that frames it at once tells its frame now
    return !w.windowHandle() || w.windowHandle()->frameMargins().isNull() || !w.windowHandle()->isExposed();
}

void ApplyStateOnceFramed(Control& c, bool now) {
    auto& d = c.d();
    const int state = d.rare().stateOnceFramed;
    if (!state || !d.widget || (!now && AwaitsFrame(*d.widget))) return;
    d.rareW().stateOnceFramed = 0;
    ApplyGeometry(c); // the asked rectangle, with the frame as it is known now
    if (state == 1)
        d.widget->showMinimized();
    else
        d.widget->showMaximized();
}

void ApplyOpacity(Control& c) {
    auto& d = c.d();
    if (d.widget && d.kind == ControlKind::Form) d.widget->setWindowOpacity(d.rare().opacity / 255.0);
}

void ApplyIcon(Control& c) {
    auto& d = c.d();
    if (!d.rare().icon) return;
    if (d.kind == ControlKind::Application)
        QApplication::setWindowIcon(*d.rare().icon);
    else if (d.widget)
        d.widget->setWindowIcon(*d.rare().icon);
}

} // namespace qo
