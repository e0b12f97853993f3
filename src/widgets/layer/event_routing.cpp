// The toolkit events of a Control's widget, and of a form's frame, turned into the layer's
// messages and handlers: moves and sizes, closing, activation, showing, focus, painting, keys and
// the mouse (handed on to key_input.cpp and mouse_input.cpp).
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/form_kind.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/input_routing.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_box_kind.h"
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWindow>

namespace qo {
namespace {

bool Originates(QWidget& w) {
    QWidget* f = QApplication::focusWidget();
    return f == &w || (f == nullptr && w.isWindow());
}

bool RouteFrameEvent(FormControl& c, QWidget& w, QEvent* e) {
    auto& d = c.d();
    switch (e->type()) {
    case QEvent::Resize:
    case QEvent::Move: {
        static_cast<FormWidget&>(w).arrange();
        if (d.rare().applyingGeometry) return false;
        // NOTE: the frame becomes known only once the window is shown, and may change more than
        // once while the window manager decorates it. A frame that changed then is no move by the
        // user: the outer rectangle asked for stays, the client area gives way. Once the form has
        // been maximised or minimised its place is the window manager's, frame and all, also on
        // the way back: putting the asked rectangle back would undo a maximise, or take a restore
        // somewhere else than where the window manager kept the window.
        const QMargins frame = w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins();
        const bool normal =
            !(w.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        if (!normal) d.rareW().placedByWindowManager = true;
        d.rareW().frame = frame;
        if (normal && !d.rare().placedByWindowManager && frame != d.rare().normalFrame) {
            d.rareW().normalFrame = frame;
            ApplyGeometry(c);
            ApplyStateOnceFramed(c, false);
            return false;
        }
        const QRect fg = w.frameGeometry();
        SetBoundsInternal(c, Rect{fg.x(), fg.y(), fg.width(), fg.height()}, true);
        return false;
    }
    case QEvent::Close: {
        e->ignore();
        const LifeToken alive = Life(c);
        Message m{WM_CLOSE, 0, 0, 0};
        if (!Deliver(c, m) && !alive.expired()) FormClosing(c);
        return true;
    }
    case QEvent::WindowActivate:
        FormActivated(c, true);
        return false;
    case QEvent::WindowDeactivate:
        FormActivated(c, false);
        return false;
    case QEvent::Show:
        if (!d.rare().wasShown || !d.visible) {
            d.rareW().wasShown = true;
            d.visible = true;
            d.style |= WS_VISIBLE;
            CallHandler(d.on().onShow);
        }
        return false;
    case QEvent::Hide:
        if (!(w.windowState() & Qt::WindowMinimized)) d.rareW().wasShown = false;
        return false;
    case QEvent::WindowStateChange: {
        const auto s = w.windowState();
        d.rareW().windowState = (s & Qt::WindowMinimized) ? 1 : (s & Qt::WindowMaximized) ? 2 : 0;
        return false;
    }
    case QEvent::KeyPress:
        if (!Originates(w)) return false;
        return RouteKeyPress(c, w, static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease:
        if (!Originates(w)) return false;
        return RouteKeyRelease(c, static_cast<QKeyEvent*>(e));
    default:
        return false;
    }
}

} // namespace

bool RouteEvent(Control& c, QWidget& w, QEvent* e, bool frameRole) {
    if (frameRole) return RouteFrameEvent(static_cast<FormControl&>(c), w, e);
    auto& d = c.d();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return RouteMouse(c, w, e);
    case QEvent::Wheel:
        return RouteWheel(c, w, static_cast<QWheelEvent*>(e));
    case QEvent::KeyPress:
        if (!Originates(w)) {
            e->accept();
            return true; // keys belong to the window that has the focus, as on the desktop
        }
        return RouteKeyPress(c, w, static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease:
        if (!Originates(w)) {
            e->accept();
            return true;
        }
        return RouteKeyRelease(c, static_cast<QKeyEvent*>(e));
    case QEvent::InputMethod: {
        // Text an input method commits is typed text too: the same characters, the same filters.
        auto* im = static_cast<QInputMethodEvent*>(e);
        if (im->commitString().isEmpty() || !im->preeditString().isEmpty() || im->replacementLength() != 0)
            return false;
        return RouteTypedText(c, im->commitString());
    }
    case QEvent::FocusIn: {
        if (FormControl* f = c.form(); f && f != &c) f->d().rareW().focused = &c;
        Message m{WM_SETFOCUS, 0, 0, 0};
        Deliver(c, m);
        return false;
    }
    case QEvent::FocusOut: {
        Message m{WM_KILLFOCUS, 0, 0, 0};
        Deliver(c, m);
        if (PaintedByParent(c)) ReleaseEditorLater(c);
        return false;
    }
    case QEvent::Paint: {
        Message m{WM_PAINT, 0, 0, 0};
        const LifeToken alive = Life(c);
        return Deliver(c, m) || alive.expired();
    }
    case QEvent::Resize:
        if (d.kind == ControlKind::ScrollBox) static_cast<ScrollBoxWidget&>(w).arrange();
        return false;
    case QEvent::Show:
        if (d.kind == ControlKind::Memo) ApplyFirstLine(c);
        return false;
    default:
        return false;
    }
}

} // namespace qo
