#include "widgets/layer/widgets.h"

#include "widgets/layer/canvas.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/key_codes.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/style_cache.h"
#include <QApplication>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTextCursor>
#include <QWindow>

namespace qo {
namespace {

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

bool Originates(QWidget& w) {
    QWidget* f = QApplication::focusWidget();
    return f == &w || (f == nullptr && w.isWindow());
}

// The characters of a key press (or of text an input method commits), each as WM_CHAR and then
// through the character handler and the edit's own filters (digits only, letter case), in
// Windows-1251 as the program holds its texts. When nothing was changed or held back the toolkit
// types the text itself (false); otherwise what came through is typed here and the event is used
// up (true), so that a character the code page lacks shows as the '?' the program stores.
bool RouteTypedText(Control& c, const QString& text) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    std::string typed;
    bool changed = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int ch = Cp1251FromChar(text.at(i).unicode());
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        if (ch < 0) {
            ch = '?';
            changed = true;
        }
        const int original = ch;
        Message chr{WM_CHAR, static_cast<std::uintptr_t>(ch), 0, 0};
        if (Deliver(c, chr) || alive.expired()) return true;
        CallHandler(d.on().onChar, ch);
        if (alive.expired()) return true;
        if (ch != original) changed = true;
        if (ch <= 0 || ch > 255) {
            changed = true;
            continue;
        }
        if (d.isEdit() && ch >= 32) {
            if ((d.style & ES_NUMBER) && !(ch >= '0' && ch <= '9')) {
                changed = true;
                continue;
            }
            QChar q(CharFromCp1251(static_cast<unsigned char>(ch)));
            if (d.style & ES_UPPERCASE) q = q.toUpper();
            if (d.style & ES_LOWERCASE) q = q.toLower();
            const int cased = Cp1251FromChar(q.unicode());
            if (cased >= 0 && cased != ch) {
                ch = cased;
                changed = true;
            }
        }
        typed.push_back(static_cast<char>(ch));
    }
    if (!changed) return false;
    if (d.isEdit() && !(d.style & ES_READONLY)) {
        // Control characters a handler left standing are keys (Backspace, Return), not text.
        std::erase_if(typed, [](char k) { return static_cast<unsigned char>(k) < 32 && k != '\t'; });
        if (!typed.empty()) c.replaceSelection(typed);
    }
    return true;
}

// A typed key, in the order the messages of a key press arrive: the form's Tab filter, WM_KEYDOWN
// (raw chain, then the key-down handler), WM_CHAR (raw chain, then the character handler), then
// the control's own filters (digits only, letter case). True when the key is used up.
bool RouteKeyPress(Control& c, QWidget& w, QKeyEvent* e) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    int key = VirtualKeyCode(*e);
    const int shift = KeyFlags(Qt::NoButton, e->modifiers());
    const bool tab = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
    if (tab && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Control* form = c.form();
        if (form && form->keyboardNavigation() && d.tabNavigates) {
            NavigateTab(*form, e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    Message down{static_cast<std::uint32_t>((e->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN),
                 static_cast<std::uintptr_t>(key), 0, 0};
    if (Deliver(c, down) || alive.expired()) return true;
    if (CallHandler(d.on().onKeyDown, key, shift) && (alive.expired() || key == 0)) return true;
    if (!e->text().isEmpty() && RouteTypedText(c, e->text())) return true;
    if (tab) {
        // Without the form's navigation Tab moves nothing; only a memo that keeps Tab types it.
        return !(d.kind == ControlKind::Memo && !d.tabNavigates);
    }
    (void)w;
    return false;
}

bool RouteKeyRelease(Control& c, QKeyEvent* e) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    int key = VirtualKeyCode(*e);
    Message up{static_cast<std::uint32_t>((e->modifiers() & Qt::AltModifier) ? WM_SYSKEYUP : WM_KEYUP),
               static_cast<std::uintptr_t>(key), 0, 0};
    if (Deliver(c, up) || alive.expired()) return true;
    if (CallHandler(d.on().onKeyUp, key, KeyFlags(Qt::NoButton, e->modifiers())) &&
        (alive.expired() || key == 0))
        return true;
    return false;
}

// Mouse events: to the handlers, then on to the toolkit for the kinds that act on the mouse.
bool RouteMouse(Control& c, QWidget& w, QEvent* ev) {
    auto& d = c.d();
    auto* e = static_cast<QMouseEvent*>(ev);
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

bool RouteFrameEvent(Control& c, QWidget& w, QEvent* e) {
    auto& d = c.d();
    switch (e->type()) {
    case QEvent::Resize:
    case QEvent::Move: {
        static_cast<FormWidget&>(w).arrange();
        if (d.rare().applyingGeometry) return false;
        // NOTE: the frame becomes known only once the window is shown. A frame that changed is no
        // move by the user: the outer rectangle asked for stays, the client area gives way.
        const QMargins frame = w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins();
        if (frame != d.rare().frame) {
            d.rareW().frame = frame;
            ApplyGeometry(c);
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

const char* EventWhat(int qtEventType, bool& userAct) {
    userAct = true;
    switch (static_cast<QEvent::Type>(qtEventType)) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return "щелчок мыши";
    case QEvent::Wheel:
        return "прокрутка колесом мыши";
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return "нажатие клавиши";
    case QEvent::InputMethod:
        return "ввод текста";
    case QEvent::Close:
        return "закрытие окна";
    default:
        break;
    }
    userAct = false;
    switch (static_cast<QEvent::Type>(qtEventType)) {
    case QEvent::MouseMove:
        return "движение мыши";
    case QEvent::Paint:
        return "отрисовка окна";
    case QEvent::Move:
    case QEvent::Resize:
        return "перемещение или изменение размера окна";
    case QEvent::Show:
    case QEvent::Hide:
        return "показ или скрытие окна";
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return "смена активного окна";
    default:
        return "событие окна";
    }
}

bool RouteEvent(Control& c, QWidget& w, QEvent* e, bool frameRole) {
    if (frameRole) return RouteFrameEvent(c, w, e);
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
        if (Control* f = c.form(); f && f != &c) f->d().rareW().focused = &c;
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

// ---- Widgets.

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
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonDblClick && t != QEvent::MouseMove &&
        t != QEvent::MouseButtonRelease)
        return Routed<QFrame>::event(e);
    auto* me = static_cast<QMouseEvent*>(e);
    if ((t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) && control) {
        if (Control* cell = PaintedEditAt(*control, me->position().toPoint())) {
            DeliveryScope scope;
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

bool MemoWidget::viewportEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (control) {
            DeliveryScope scope;
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
            DeliveryScope scope;
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
