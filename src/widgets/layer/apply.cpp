// Pushing a Control's state into its widget, one part at a time.
#include "widgets/layer/apply.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/style_cache.h"
#include "widgets/layer/widget_classes.h"
#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace qo {

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
    extraWidth = d.rare().frame.left() + d.rare().frame.right();
    extraHeight = d.rare().frame.top() + d.rare().frame.bottom();
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

// A form without a sizing frame keeps its size: the window manager is told so (least size = most
// size), since a frame without sizing borders is only a look on some desktops.
static void ApplySizeLimits(Control& c, const QSize& size) {
    QWidget* w = c.d().widget;
    if (!(c.d().style & WS_THICKFRAME)) {
        if (w->minimumSize() != size || w->maximumSize() != size) w->setFixedSize(size);
    } else if (w->minimumSize() != QSize(0, 0) ||
               w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void ApplyGeometry(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) {
        // A drawn edit that moves leaves its old place to be drawn over too.
        if (PaintedByParent(c) && d.parent->d().widget) d.parent->d().widget->update();
        return;
    }
    const Rect& b = d.bounds;
    if (d.kind == ControlKind::Form) {
        // The state holds the outer rectangle; the widget's own size is without the frame.
        if (w->windowHandle()) d.rareW().frame = w->windowHandle()->frameMargins();
        const QMargins m = d.rare().frame;
        const Rect want = b; // the widget's own resize and move events must not rewrite it midway
        d.rareW().applyingGeometry = true;
        const QSize size(std::max(0, want.width - m.left() - m.right()),
                         std::max(0, want.height - m.top() - m.bottom()));
        ApplySizeLimits(c, size);
        if (w->size() != size) w->resize(size);
        if (w->frameGeometry().topLeft() != QPoint(want.left, want.top)) w->move(want.left, want.top);
        d.rareW().applyingGeometry = false;
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
    if (!d.widget) return UpdatePainted(c);
    d.widget->setPalette(PaletteFor(d.color, d.font->color));
    if (d.kind == ControlKind::Form) d.widget->update();
}

void ApplyFont(Control& c) {
    auto& d = c.d();
    if (!d.widget) return UpdatePainted(c);
    d.widget->setFont(FontFor(*d.font));
}

void ApplyText(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return UpdatePainted(c);
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
    if (!d.widget) return UpdatePainted(c);
    d.widget->setVisible(d.visible);
}

void ApplyEnabled(Control& c) {
    auto& d = c.d();
    if (!d.widget) return UpdatePainted(c);
    d.widget->setEnabled(d.enabled);
}

void ApplyReadOnly(Control& c, QPlainTextEdit& memo) {
    const bool readOnly = c.d().style & ES_READONLY;
    memo.setReadOnly(readOnly);
    // A read-only memo with commands for its lines is a list: the arrow keys move the line they
    // act on, as they move the current line of any list.
    if (readOnly && !c.d().rare().contextCommands.empty())
        memo.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ApplyStyles(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return UpdatePainted(c);
    ApplyFrame(c);
    // A panel follows the pointer over the edits it draws, to show their cursor there.
    const bool tracking = static_cast<bool>(d.on().onMouseMove) || d.kind == ControlKind::Panel;
    if (w->hasMouseTracking() != tracking) w->setMouseTracking(tracking);
    if (d.kind == ControlKind::Form) {
        w->setMouseTracking(false);
        static_cast<FormWidget*>(w)->client->setMouseTracking(static_cast<bool>(d.on().onMouseMove));
        Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint;
        if ((d.style & WS_CAPTION) == WS_CAPTION) f |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        if ((d.style & WS_CAPTION) != WS_CAPTION && !(d.style & WS_THICKFRAME)) f |= Qt::FramelessWindowHint;
        if (d.style & WS_MINIMIZEBOX) f |= Qt::WindowMinimizeButtonHint;
        if (d.style & WS_MAXIMIZEBOX) f |= Qt::WindowMaximizeButtonHint;
        if (d.exStyle & WS_EX_TOOLWINDOW) f |= Qt::Tool;
        if (!(d.style & WS_THICKFRAME)) f |= Qt::MSWindowsFixedSizeDialogHint;
        if (w->windowFlags() != f) {
            const bool shown = w->isVisible();
            w->setWindowFlags(f);
            if (shown) w->show();
        }
        ApplyGeometry(c); // a sizing frame that came or went changes what the size may become
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
        ApplyReadOnly(c, *m);
        const bool wraps = !(d.style & (ES_AUTOHSCROLL | WS_HSCROLL));
        m->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m->setVerticalScrollBarPolicy((d.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy((d.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
    }
}

bool ShowsTextCursor(const Control& c) {
    // Edits show the text cursor of their own; IDC_EDIT_CURSOR asks for it elsewhere, anything else
    // is the arrow.
    const auto& d = c.d();
    return d.cursor == IDC_EDIT_CURSOR || (d.cursor == 0 && d.isEdit());
}

void ApplyCursor(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return;
    QWidget* target = w;
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) target = m->viewport();
    if (d.cursor == 0 && !d.isEdit()) {
        if (target->testAttribute(Qt::WA_SetCursor)) target->unsetCursor();
        return;
    }
    const Qt::CursorShape shape = ShowsTextCursor(c) ? Qt::IBeamCursor : Qt::ArrowCursor;
    if (target->cursor().shape() != shape) target->setCursor(shape);
}

void ApplyAlignment(Control& c) {
    auto& d = c.d();
    if (d.kind != ControlKind::Edit || !d.widget) {
        if (d.widget) d.widget->update();
        UpdatePainted(c);
        return;
    }
    Qt::Alignment a = Qt::AlignVCenter;
    const int h = (d.style & ES_CENTER) ? 2 : (d.style & ES_RIGHT) ? 1 : d.hAlign;
    a |= h == 2 ? Qt::AlignHCenter : h == 1 ? Qt::AlignRight : Qt::AlignLeft;
    auto* e = static_cast<QLineEdit*>(d.widget.data());
    if (e->alignment() != a) e->setAlignment(a);
}

void ApplyScrollBars(Control& c) {
    auto& d = c.d();
    auto* s = dynamic_cast<ScrollBoxWidget*>(d.widget.data());
    if (!s) return;
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

void ApplyFirstLine(Control& c) {
    auto& d = c.d();
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data()))
        m->verticalScrollBar()->setValue(d.rare().firstLine);
}

namespace {

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
