// The mouse and the wheel: a record of button, key flags and position to the handlers, then on to
// the toolkit for the kinds that act on the mouse themselves (buttons, edits).
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/input_routing.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/routed_widget.h"
#include <QFrame>
#include <QMouseEvent>
#include <QWheelEvent>

namespace qo {

int KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    int k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    if (mods & Qt::AltModifier) k |= MK_ALT;
    return k;
}

namespace {

int ButtonCode(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 3;
    default:
        return 0;
    }
}

QPoint ClientOrigin(const Control& c, QWidget& w) {
    if (auto* f = qobject_cast<QFrame*>(&w)) return f->contentsRect().topLeft();
    (void)c;
    return {};
}

MouseEvent MakeMouse(const Control& c, QWidget& w, int button, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers mods, QPointF pos) {
    const QPoint p = pos.toPoint() - ClientOrigin(c, w);
    return MouseEvent{button, KeyFlags(buttons, mods), MakeLong(p.x(), p.y())};
}

// Calls a mouse handler; false when the control went away meanwhile.
bool CallMouse(Control& c, Control::MouseHandler HandlerSet::*slot, const MouseEvent& m) {
    const LifeToken alive = Life(c);
    return !CallHandler(c.d().on().*slot, m) || !alive.expired();
}

// Whether `p` lies on a control standing on `c`: the toolkit hands a press such a control leaves
// unused (a right press on a list) to the widgets under it, but on the desktop it is the child's
// alone, so a form never takes it for the start of a drag.
bool OnChildControl(const Control& c, QWidget& w, QPoint p) {
    for (QWidget* x = w.childAt(p); x && x != &w; x = x->parentWidget()) {
        if (const RoutedBase* r = RoutedOf(x); r && r->control && r->control != &c) return true;
    }
    return false;
}

} // namespace

// Mouse events: to the handlers, then on to the toolkit for the kinds that act on the mouse.
bool RouteMouse(Control& c, QWidget& w, QEvent* ev) {
    auto& d = c.d();
    auto* e = static_cast<QMouseEvent*>(ev);
    if (OnChildControl(c, w, e->position().toPoint())) return false;
    // The back and forward buttons are a browser's, not a window's: a press of one is no press of
    // the left, right or middle button with the button left out, so no handler hears it and no
    // window it lands on starts to move.
    if (ev->type() != QEvent::MouseMove && ButtonCode(e->button()) == 0) {
        ev->accept();
        return true;
    }
    const bool own = d.kind == ControlKind::Button || d.isEdit();
    const LifeToken alive = Life(c);
    switch (ev->type()) {
    case QEvent::MouseButtonPress: {
        const MouseEvent m =
            MakeMouse(c, w, ButtonCode(e->button()), e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &HandlerSet::onMouseDown, m)) return true;
        break;
    }
    case QEvent::MouseButtonRelease: {
        const MouseEvent m =
            MakeMouse(c, w, ButtonCode(e->button()), e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &HandlerSet::onMouseUp, m)) return true;
        if ((d.kind == ControlKind::Label || d.kind == ControlKind::Panel) && e->button() == Qt::LeftButton &&
            w.rect().contains(e->position().toPoint()) && CallHandler(d.on().onClick) && alive.expired())
            return true;
        break;
    }
    case QEvent::MouseButtonDblClick: {
        const MouseEvent m =
            MakeMouse(c, w, ButtonCode(e->button()), e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &HandlerSet::onDoubleClick, m)) return true;
        break;
    }
    case QEvent::MouseMove: {
        const MouseEvent m = MakeMouse(c, w, 0, e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &HandlerSet::onMouseMove, m)) return true;
        break;
    }
    default:
        break;
    }
    if (!own) {
        ev->accept();
        return true;
    }
    return false;
}

void ScrollByWheel(Control& box, int delta) {
    auto& d = box.d();
    const int notches = delta / 40; // three lines per notch of 120
    const bool vertical = d.rare().vBar || !d.rare().hBar;
    const LifeToken alive = Life(box);
    for (int i = 0; i < std::abs(notches) && !alive.expired(); ++i) {
        const int code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
        box.send(vertical ? WM_VSCROLL : WM_HSCROLL, static_cast<std::uintptr_t>(code), 0);
    }
}

bool RouteWheel(Control& c, QWidget& w, QWheelEvent* e) {
    auto& d = c.d();
    if (d.on().onMouseWheel) {
        const QPoint p = e->position().toPoint() - ClientOrigin(c, w);
        const MouseEvent m{e->angleDelta().y(), KeyFlags(e->buttons(), e->modifiers()),
                           MakeLong(p.x(), p.y())};
        if (!CallMouse(c, &HandlerSet::onMouseWheel, m)) return true;
    }
    if (d.kind == ControlKind::Memo) return false; // scrolls its own text
    // The wheel scrolls the nearest scroll box round the pointer, whatever lies under it.
    for (Control* box = &c; box; box = box->parent()) {
        if (box->kind() == ControlKind::ScrollBox) {
            ScrollByWheel(*box, e->angleDelta().y());
            break;
        }
    }
    e->accept();
    return true;
}

} // namespace qo
