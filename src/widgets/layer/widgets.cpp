#include "widgets/layer/widgets.h"

#include "widgets/layer/canvas.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/style_cache.h"
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTextCursor>
#include <QWindow>

namespace qo {
namespace {

void SetWidgetControl(QWidget* w, Control* c) {
    if (auto* r = dynamic_cast<Routed<QWidget>*>(w))
        r->control = c;
    else if (auto* r = dynamic_cast<Routed<QFrame>*>(w))
        r->control = c;
    else if (auto* r = dynamic_cast<Routed<QPushButton>*>(w))
        r->control = c;
    else if (auto* r = dynamic_cast<Routed<QLineEdit>*>(w))
        r->control = c;
    else if (auto* r = dynamic_cast<Routed<QPlainTextEdit>*>(w))
        r->control = c;
}

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

int VirtualKey(const QKeyEvent& e) {
    const int k = e.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        return (e.modifiers() & Qt::KeypadModifier) ? VK_NUMPAD0 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0);
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        break;
    }
    if (k >= 0x20 && k < 0x80) return k;
    return 0;
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
bool CallMouse(Control& c, Control::MouseHandler ControlPrivate::*slot, const MouseEvent& m) {
    if (!(c.d().*slot)) return true;
    const LifeToken alive = Life(c);
    auto h = c.d().*slot;
    h(m);
    return !alive.expired();
}

bool Originates(QWidget& w) {
    QWidget* f = QApplication::focusWidget();
    return f == &w || (f == nullptr && w.isWindow());
}

void InsertIntoEdit(Control& c, const QString& s) {
    auto& d = c.d();
    if (auto* e = qobject_cast<QLineEdit*>(d.widget.data())) {
        e->insert(s);
        TextChangedByUser(c, e->text());
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        d.settingText = true;
        m->insertPlainText(s);
        d.settingText = false;
        TextChangedByUser(c, m->toPlainText());
    }
}

// A typed key, in the order the messages of a key press arrive: the form's Tab filter, WM_KEYDOWN
// (raw chain, then the key-down handler), WM_CHAR (raw chain, then the character handler), then
// the control's own filters (digits only, letter case). True when the key is used up.
bool RouteKeyPress(Control& c, QWidget& w, QKeyEvent* e) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    int key = VirtualKey(*e);
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
    if (d.onKeyDown) {
        auto h = d.onKeyDown;
        h(key, shift);
        if (alive.expired() || key == 0) return true;
    }
    const QString text = e->text();
    if (!text.isEmpty()) {
        int ch = Cp1251FromChar(text.at(0).unicode());
        if (ch < 0) ch = '?';
        const int typed = ch;
        Message chr{WM_CHAR, static_cast<std::uintptr_t>(ch), 0, 0};
        if (Deliver(c, chr) || alive.expired()) return true;
        if (d.onChar) {
            auto h = d.onChar;
            h(ch);
            if (alive.expired() || ch == 0) return true;
        }
        if (d.isEdit() && ch >= 32) {
            if ((d.style & ES_NUMBER) && !(ch >= '0' && ch <= '9')) return true;
            QChar q(CharFromCp1251(static_cast<unsigned char>(ch)));
            if (d.style & ES_UPPERCASE) q = q.toUpper();
            if (d.style & ES_LOWERCASE) q = q.toLower();
            if (ch != typed || q.unicode() != CharFromCp1251(static_cast<unsigned char>(typed))) {
                if (!(d.style & ES_READONLY)) InsertIntoEdit(c, QString(q));
                return true;
            }
        }
    }
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
    int key = VirtualKey(*e);
    Message up{static_cast<std::uint32_t>((e->modifiers() & Qt::AltModifier) ? WM_SYSKEYUP : WM_KEYUP),
               static_cast<std::uintptr_t>(key), 0, 0};
    if (Deliver(c, up) || alive.expired()) return true;
    if (d.onKeyUp) {
        auto h = d.onKeyUp;
        h(key, KeyFlags(Qt::NoButton, e->modifiers()));
        if (alive.expired() || key == 0) return true;
    }
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
        if (!CallMouse(c, &ControlPrivate::onMouseDown, m)) return true;
        break;
    }
    case QEvent::MouseButtonRelease: {
        const MouseEvent m =
            MakeMouse(c, w, ButtonCode(e->button()), e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &ControlPrivate::onMouseUp, m)) return true;
        if ((d.kind == ControlKind::Label || d.kind == ControlKind::Panel) && e->button() == Qt::LeftButton &&
            w.rect().contains(e->position().toPoint()) && d.onClick) {
            auto h = d.onClick;
            h();
            if (alive.expired()) return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick: {
        const MouseEvent m =
            MakeMouse(c, w, ButtonCode(e->button()), e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &ControlPrivate::onDoubleClick, m)) return true;
        break;
    }
    case QEvent::MouseMove: {
        const MouseEvent m = MakeMouse(c, w, 0, e->buttons(), e->modifiers(), e->position());
        if (!CallMouse(c, &ControlPrivate::onMouseMove, m)) return true;
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
    const bool vertical = d.vBar || !d.hBar;
    const LifeToken alive = Life(box);
    for (int i = 0; i < std::abs(notches) && !alive.expired(); ++i) {
        const int code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
        box.send(vertical ? WM_VSCROLL : WM_HSCROLL, static_cast<std::uintptr_t>(code), 0);
    }
}

bool RouteWheel(Control& c, QWidget& w, QWheelEvent* e) {
    auto& d = c.d();
    if (d.onMouseWheel) {
        const QPoint p = e->position().toPoint() - ClientOrigin(c, w);
        const MouseEvent m{e->angleDelta().y(), KeyFlags(e->buttons(), e->modifiers()),
                           MakeLong(p.x(), p.y())};
        if (!CallMouse(c, &ControlPrivate::onMouseWheel, m)) return true;
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
        if (!d.wasShown || !d.visible) {
            d.wasShown = true;
            d.visible = true;
            d.style |= WS_VISIBLE;
            if (d.onShow) {
                auto h = d.onShow;
                h();
            }
        }
        return false;
    case QEvent::Hide:
        if (!w.isVisible() && !(w.windowState() & Qt::WindowMinimized)) d.wasShown = false;
        return false;
    case QEvent::WindowStateChange: {
        const auto s = w.windowState();
        d.windowState = (s & Qt::WindowMinimized) ? 1 : (s & Qt::WindowMaximized) ? 2 : 0;
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
    case QEvent::FocusIn: {
        if (Control* f = c.form(); f && f != &c) f->d().focused = &c;
        Message m{WM_SETFOCUS, 0, 0, 0};
        Deliver(c, m);
        return false;
    }
    case QEvent::FocusOut: {
        Message m{WM_KILLFOCUS, 0, 0, 0};
        Deliver(c, m);
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
    if (!control || !control->d().onPaint) return;
    QPainter p(this);
    Canvas canvas(p, *control);
    auto h = control->d().onPaint;
    h(canvas);
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (control) PaintLabel(p, *control, contentsRect());
    drawFrame(&p);
}

void PanelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (control) {
        PaintPanel(p, *control, contentsRect());
        if (control->d().onPaint) {
            Canvas canvas(p, *control);
            auto h = control->d().onPaint;
            h(canvas);
        }
    }
    drawFrame(&p);
}

bool MemoWidget::viewportEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (control) {
            DeliveryScope scope;
            if (RouteMouse(*control, *viewport(), e)) return true;
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
            const bool consumed = Deliver(c, m);
            if (alive.expired()) return;
            if (!consumed) HandleScrollRequest(c, vertical, code, track);
            // The bar shows the position the request produced, not its own guess.
            const ScrollInfo& info = vertical ? c.d().vScroll : c.d().hScroll;
            bar->setSliderPosition(info.pos);
        });
    }
}

void ScrollBoxWidget::arrange() {
    const QRect cr = contentsRect();
    const int sb = ScrollBarExtent();
    const bool v = control && control->d().vBar;
    const bool h = control && control->d().hBar;
    const int vw = std::max(0, cr.width() - (v ? sb : 0));
    const int vh = std::max(0, cr.height() - (h ? sb : 0));
    viewport->setGeometry(cr.x(), cr.y(), vw, vh);
    vbar->setVisible(v);
    hbar->setVisible(h);
    if (v) vbar->setGeometry(cr.x() + vw, cr.y(), sb, vh);
    if (h) hbar->setGeometry(cr.x(), cr.y() + vh, vw, sb);
    if (!control) return;
    const auto& d = control->d();
    int extW = 0, extH = 0;
    for (Control* child : d.children) {
        if (!child->visible()) continue;
        extW = std::max(extW, child->bounds().right());
        extH = std::max(extH, child->bounds().bottom());
    }
    content->setGeometry(-d.hScroll.pos, -d.vScroll.pos, std::max(vw, extW), std::max(vh, extH));
}

// ---- Realisation.

int ScrollBarExtent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int NonClientInset(const Control& c) {
    const auto& d = c.d();
    if (d.kind == ControlKind::Form || d.kind == ControlKind::Application) return 0;
    if (d.exStyle & WS_EX_CLIENTEDGE) return 2;
    if (d.style & WS_DLGFRAME) return 3;
    if (d.style & WS_BORDER) return 1;
    return 0;
}

int EditFrameWidth(const Control& c) {
    return NonClientInset(c);
}

void FormDecorations(const Control& c, int& extraWidth, int& extraHeight) {
    extraWidth = extraHeight = 0;
    const auto& d = c.d();
    if (d.kind != ControlKind::Form || !d.widget) return;
    const QRect fg = d.widget->frameGeometry();
    const QRect g = d.widget->geometry();
    extraWidth = fg.width() - g.width();
    extraHeight = fg.height() - g.height();
    auto* fw = static_cast<FormWidget*>(d.widget.data());
    if (fw->bar && !fw->bar->isHidden()) extraHeight += fw->bar->sizeHint().height();
}

static void ApplyFrame(Control& c) {
    auto& d = c.d();
    auto* f = qobject_cast<QFrame*>(d.widget.data());
    if (!f) return;
    int style = QFrame::NoFrame, width = 1;
    if (d.exStyle & WS_EX_CLIENTEDGE) {
        style = QFrame::WinPanel | QFrame::Sunken;
        width = 2;
    } else if (d.style & WS_DLGFRAME) {
        style = QFrame::Panel | QFrame::Raised;
        width = 3;
    } else if (d.style & WS_BORDER) {
        style = QFrame::Box | QFrame::Plain;
    }
    if (f->frameStyle() != style) f->setFrameStyle(style);
    if (style != QFrame::NoFrame && f->lineWidth() != width) f->setLineWidth(width);
}

QWidget* Realise(Control& c) {
    auto& d = c.d();
    if (d.widget) return d.widget;
    if (d.kind == ControlKind::Application || d.destroying) return nullptr;
    QWidget* parentWidget = nullptr;
    if (d.kind != ControlKind::Form && d.parent && d.parent->kind() != ControlKind::Application) {
        Realise(*d.parent);
        parentWidget = d.parent->d().client;
    }
    QWidget* w = nullptr;
    QWidget* client = nullptr;
    switch (d.kind) {
    case ControlKind::Form: {
        auto* f = new FormWidget();
        f->control = &c;
        static_cast<ClientWidget*>(f->client)->control = &c;
        f->setAttribute(Qt::WA_QuitOnClose, false);
        w = f;
        client = f->client;
        break;
    }
    case ControlKind::Button: {
        auto* b = new ButtonWidget(parentWidget);
        b->control = &c;
        QObject::connect(b, &QPushButton::clicked, b, [b] {
            if (!b->control || !b->control->d().onClick) return;
            DeliveryScope scope;
            auto h = b->control->d().onClick;
            h();
        });
        w = b;
        break;
    }
    case ControlKind::Label: {
        auto* l = new LabelWidget(parentWidget);
        l->control = &c;
        w = l;
        break;
    }
    case ControlKind::Panel: {
        auto* p = new PanelWidget(parentWidget);
        p->control = &c;
        w = p;
        break;
    }
    case ControlKind::Edit: {
        auto* e = new EditWidget(parentWidget);
        e->control = &c;
        QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& s) {
            if (!e->control || e->control->d().settingText) return;
            DeliveryScope scope;
            TextChangedByUser(*e->control, s);
        });
        w = e;
        break;
    }
    case ControlKind::Memo: {
        auto* m = new MemoWidget(parentWidget);
        m->control = &c;
        m->setTabChangesFocus(false);
        QObject::connect(m, &QPlainTextEdit::textChanged, m, [m] {
            if (!m->control || m->control->d().settingText) return;
            DeliveryScope scope;
            TextChangedByUser(*m->control, m->toPlainText());
        });
        w = m;
        break;
    }
    case ControlKind::ScrollBox: {
        auto* s = new ScrollBoxWidget(parentWidget);
        s->control = &c;
        w = s;
        client = s->content;
        break;
    }
    case ControlKind::Application:
        return nullptr;
    }
    d.widget = w;
    d.client = client ? client : w;
    if (!d.enabled) w->setEnabled(false);
    ApplyStyles(c);
    ApplyPalette(c);
    ApplyFont(c);
    ApplyText(c);
    ApplyAlignment(c);
    ApplyCursor(c);
    ApplyGeometry(c);
    if (d.kind == ControlKind::Form) {
        ApplyMenu(c);
        ApplyIcon(c);
        ApplyOpacity(c);
    }
    if (d.kind == ControlKind::Memo) {
        auto* m = static_cast<MemoWidget*>(w);
        m->setReadOnly(d.style & ES_READONLY);
    }
    for (Control* child : d.children)
        Realise(*child);
    if (d.kind == ControlKind::ScrollBox) ApplyScrollBars(c);
    if (d.kind != ControlKind::Form)
        w->setVisible(d.visible);
    else if (d.visible)
        ApplyVisible(c);
    return w;
}

static void UnlinkTree(Control& c) {
    auto& d = c.d();
    for (Control* child : d.children)
        UnlinkTree(*child);
    if (d.widget) SetWidgetControl(d.widget, nullptr);
    if (d.kind == ControlKind::Form && d.widget) {
        static_cast<ClientWidget*>(static_cast<FormWidget*>(d.widget.data())->client)->control = nullptr;
    }
    d.widget = nullptr;
    d.client = nullptr;
}

void ReleaseWidget(Control& c, bool parentGoing) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    const bool parentWidgetGoes =
        parentGoing && d.parent && d.parent->hasWindow() && d.kind != ControlKind::Form;
    UnlinkTree(c);
    if (parentWidgetGoes) return;
    if (DeliveryScope::active()) {
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

void ApplyGeometry(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    const Rect& b = d.bounds;
    if (d.kind == ControlKind::Form) {
        const QRect fg = w->frameGeometry();
        const QRect g = w->geometry();
        const int fw = fg.width() - g.width();
        const int fh = fg.height() - g.height();
        if (fg.topLeft() != QPoint(b.left, b.top)) w->move(b.left, b.top);
        const QSize size(std::max(0, b.width - fw), std::max(0, b.height - fh));
        if (w->size() != size) w->resize(size);
        static_cast<FormWidget*>(w)->arrange();
        return;
    }
    int dx = 0, dy = 0;
    if (d.parent && (d.parent->kind() == ControlKind::Panel || d.parent->kind() == ControlKind::Label)) {
        dx = dy = NonClientInset(*d.parent);
    }
    w->setGeometry(b.left + dx, b.top + dy, std::max(0, b.width), std::max(0, b.height));
}

void ApplyPalette(Control& c) {
    auto& d = c.d();
    if (!d.widget) return;
    d.widget->setPalette(PaletteFor(d.color, d.font.color));
    if (d.kind == ControlKind::Form) d.widget->update();
}

void ApplyFont(Control& c) {
    auto& d = c.d();
    if (d.widget) d.widget->setFont(FontFor(d.font));
}

void ApplyText(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    d.settingText = true;
    switch (d.kind) {
    case ControlKind::Form:
        w->setWindowTitle(ToQString(d.text));
        break;
    case ControlKind::Button:
        static_cast<QPushButton*>(w)->setText(ToQString(d.text));
        break;
    case ControlKind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (d.text.empty() && e->text().isEmpty()) break;
        e->setText(ToQString(d.text));
        e->setCursorPosition(0);
        break;
    }
    case ControlKind::Memo: {
        auto* m = static_cast<QPlainTextEdit*>(w);
        m->setPlainText(EditDisplayText(d.text));
        ApplyFirstLine(c);
        break;
    }
    default:
        w->update();
        break;
    }
    d.settingText = false;
}

void ApplyVisible(Control& c) {
    auto& d = c.d();
    if (d.kind == ControlKind::Form) {
        if (!d.widget && !d.visible) return;
        QWidget* w = Realise(c);
        if (!w) return;
        if (d.visible) {
            if (!w->isVisible()) w->show();
        } else {
            w->hide();
        }
        return;
    }
    if (d.widget) d.widget->setVisible(d.visible);
}

void ApplyEnabled(Control& c) {
    auto& d = c.d();
    if (d.widget) d.widget->setEnabled(d.enabled);
}

void ApplyStyles(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    ApplyFrame(c);
    const bool tracking = static_cast<bool>(d.onMouseMove);
    if (w->hasMouseTracking() != tracking) w->setMouseTracking(tracking);
    if (d.kind == ControlKind::Form) {
        w->setMouseTracking(false);
        static_cast<FormWidget*>(w)->client->setMouseTracking(static_cast<bool>(d.onMouseMove));
        Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint;
        if ((d.style & WS_CAPTION) == WS_CAPTION) f |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        if ((d.style & WS_CAPTION) != WS_CAPTION && !(d.style & WS_THICKFRAME)) f |= Qt::FramelessWindowHint;
        if (d.style & WS_MINIMIZEBOX) f |= Qt::WindowMinimizeButtonHint;
        if (d.style & WS_MAXIMIZEBOX) f |= Qt::WindowMaximizeButtonHint;
        if (d.exStyle & WS_EX_TOOLWINDOW) f |= Qt::Tool;
        if (w->windowFlags() != f) {
            const bool shown = w->isVisible();
            w->setWindowFlags(f);
            if (shown) w->show();
        }
        return;
    }
    const bool tabStop = d.style & WS_TABSTOP;
    const Qt::FocusPolicy policy = d.focusable && (d.isEdit() || tabStop) ? Qt::StrongFocus : Qt::NoFocus;
    if (w->focusPolicy() != policy) w->setFocusPolicy(policy);
    if (d.kind == ControlKind::Edit) {
        // Compared first: thousands of cells are made at once and most values are the defaults.
        auto* e = static_cast<QLineEdit*>(w);
        const bool frame = (d.exStyle & WS_EX_CLIENTEDGE) || (d.style & WS_BORDER);
        if (e->hasFrame() != frame) e->setFrame(frame);
        const bool readOnly = d.style & ES_READONLY;
        if (e->isReadOnly() != readOnly) e->setReadOnly(readOnly);
        const auto echo = (d.style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal;
        if (e->echoMode() != echo) e->setEchoMode(echo);
        const int limit = d.limit > 0 ? d.limit : 32767;
        if (e->maxLength() != limit) e->setMaxLength(limit);
    } else if (d.kind == ControlKind::Memo) {
        auto* m = static_cast<QPlainTextEdit*>(w);
        m->setReadOnly(d.style & ES_READONLY);
        const bool wraps = !(d.style & (ES_AUTOHSCROLL | WS_HSCROLL));
        m->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m->setVerticalScrollBarPolicy((d.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy((d.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
    }
}

void ApplyCursor(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    QWidget* target = w;
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) target = m->viewport();
    // Edits show the text cursor of their own; 19 asks for it elsewhere, anything else is the arrow.
    if (d.cursor == 0 && !d.isEdit()) {
        if (target->testAttribute(Qt::WA_SetCursor)) target->unsetCursor();
        return;
    }
    const Qt::CursorShape shape = (d.cursor == 19 || d.cursor == 0) ? Qt::IBeamCursor : Qt::ArrowCursor;
    if (target->cursor().shape() != shape) target->setCursor(shape);
}

void ApplyAlignment(Control& c) {
    auto& d = c.d();
    if (d.kind != ControlKind::Edit || !d.widget) {
        if (d.widget) d.widget->update();
        return;
    }
    Qt::Alignment a = Qt::AlignVCenter;
    const int h = (d.style & ES_CENTER) ? 2 : (d.style & ES_RIGHT) ? 1 : d.hAlign;
    a |= h == 2 ? Qt::AlignHCenter : h == 1 ? Qt::AlignRight : Qt::AlignLeft;
    auto* e = static_cast<QLineEdit*>(d.widget.data());
    if (e->alignment() != a) e->setAlignment(a);
}

static void BuildMenu(Control& form, QWidget* owner, const MenuItem& item, QMenuBar* bar, QMenu* menu) {
    const QString text = ToQString(item.text);
    const std::int32_t formId = form.id();
    QAction* action = nullptr;
    if (item.kind == MenuItemKind::Separator) {
        action = menu ? menu->addSeparator() : bar->addSeparator();
        action->setEnabled(false);
    } else if (item.hasSubmenu) {
        QMenu* sub = menu ? menu->addMenu(text) : bar->addMenu(text);
        action = sub->menuAction();
        for (const auto& child : item.children)
            BuildMenu(form, owner, *child, nullptr, sub);
    } else {
        action = menu ? menu->addAction(text) : bar->addAction(text);
        if (item.kind == MenuItemKind::Check || item.kind == MenuItemKind::Radio) {
            action->setCheckable(true);
            action->setChecked(item.checked);
        }
        const std::int32_t id = item.id;
        const bool checked = item.checked;
        QObject::connect(action, &QAction::triggered, owner, [formId, id, action, checked] {
            action->setChecked(checked); // the menu element decides marks, not the toolkit
            Control* f = Control::FromId(formId);
            if (!f) return;
            DeliveryScope scope;
            Message m{WM_COMMAND, static_cast<std::uintptr_t>(id), 0, 0};
            Deliver(*f, m);
        });
    }
    // Highlight: a command reports its identifier, a submenu title its position in its parent.
    int position = 0;
    if (item.hasSubmenu) {
        const auto& siblings = item.parent ? item.parent->children : form.menu()->items();
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            if (siblings[i].get() == &item) position = static_cast<int>(i);
        }
    }
    const std::uint32_t flags = MF_HILITE | (item.hasSubmenu ? MF_POPUP : 0);
    const std::uintptr_t wParam = static_cast<std::uintptr_t>(
        MakeLong(item.hasSubmenu ? position : (item.id & 0xFFFF), static_cast<int>(flags)));
    QObject::connect(action, &QAction::hovered, owner, [formId, wParam] {
        Control* f = Control::FromId(formId);
        if (!f) return;
        DeliveryScope scope;
        Message m{WM_MENUSELECT, wParam, 0, 0};
        Deliver(*f, m);
    });
}

void ApplyMenu(Control& c) {
    auto& d = c.d();
    if (d.kind != ControlKind::Form || !d.widget) return;
    auto* fw = static_cast<FormWidget*>(d.widget.data());
    if (fw->bar) {
        fw->bar->hide();
        fw->bar->deleteLater();
        fw->bar = nullptr;
    }
    if (d.menu && !d.menu->items().empty()) {
        fw->bar = new QMenuBar(fw);
        for (const auto& item : d.menu->items())
            BuildMenu(c, fw->bar, *item, fw->bar, nullptr);
        fw->bar->show();
    }
    fw->arrange();
}

void ApplyScrollBars(Control& c) {
    auto& d = c.d();
    auto* s = dynamic_cast<ScrollBoxWidget*>(d.widget.data());
    if (!s) return;
    for (auto [bar, info] : {std::pair{s->vbar, &d.vScroll}, std::pair{s->hbar, &d.hScroll}}) {
        const QSignalBlocker block(bar);
        bar->setRange(info->min, info->max);
        bar->setPageStep(std::max(1, info->page));
        bar->setSingleStep(16);
        bar->setValue(info->pos);
    }
    s->arrange();
}

void ApplyFirstLine(Control& c) {
    auto& d = c.d();
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data()))
        m->verticalScrollBar()->setValue(d.firstLine);
}

void ApplyWindowState(Control& c) {
    auto& d = c.d();
    QWidget* w = Realise(c);
    if (!w) return;
    switch (d.windowState) {
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

void ApplyOpacity(Control& c) {
    auto& d = c.d();
    if (d.widget && d.kind == ControlKind::Form) d.widget->setWindowOpacity(d.opacity / 255.0);
}

void ApplyIcon(Control& c) {
    auto& d = c.d();
    if (!d.icon) return;
    if (d.kind == ControlKind::Application)
        QApplication::setWindowIcon(*d.icon);
    else if (d.widget)
        d.widget->setWindowIcon(*d.icon);
}

} // namespace qo
