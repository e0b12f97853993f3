// Pushing a Control's state into its widget, one part at a time: what every widget shows alike
// here, what a kind shows in its own way in its file pair (control_kind.h).
#include "widgets/layer/apply.h"

#include "widgets/layer/control_kind.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/style_cache.h"
#include <QApplication>
#include <QFrame>
#include <QStyle>

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

void ApplyGeometry(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) {
        // A drawn edit that moves leaves its old place to be drawn over too.
        if (PaintedByParent(c) && d.parent->d().widget) d.parent->d().widget->update();
        return;
    }
    if (const auto geometry = KindOps(d.kind).geometry) return geometry(c, *w);
    const Rect& b = d.bounds;
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
    if (const auto palette = KindOps(d.kind).palette) palette(c, *d.widget);
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
    if (const auto text = KindOps(d.kind).text)
        text(c, *w);
    else
        w->update();
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

void ApplyStyles(Control& c) {
    auto& d = c.d();
    QWidget* w = d.widget;
    if (!w) return UpdatePainted(c);
    const ControlKindOps& ops = KindOps(d.kind);
    ApplyFrame(c);
    const bool tracking = static_cast<bool>(d.on().onMouseMove) || ops.followsPointer;
    if (w->hasMouseTracking() != tracking) w->setMouseTracking(tracking);
    if (!d.isTopLevel()) {
        const bool tabStop = d.style & WS_TABSTOP;
        const Qt::FocusPolicy policy = d.focusable && (d.isEdit() || tabStop) ? Qt::StrongFocus : Qt::NoFocus;
        if (w->focusPolicy() != policy) w->setFocusPolicy(policy);
    }
    if (ops.styles) ops.styles(c, *w);
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
    const auto cursorTarget = KindOps(d.kind).cursorTarget;
    QWidget* target = cursorTarget ? cursorTarget(*w) : w;
    if (d.cursor == 0 && !d.isEdit()) {
        if (target->testAttribute(Qt::WA_SetCursor)) target->unsetCursor();
        return;
    }
    const Qt::CursorShape shape = ShowsTextCursor(c) ? Qt::IBeamCursor : Qt::ArrowCursor;
    if (target->cursor().shape() != shape) target->setCursor(shape);
}

void ApplyAlignment(Control& c) {
    auto& d = c.d();
    if (d.widget) {
        if (const auto alignment = KindOps(d.kind).alignment) return alignment(c, *d.widget);
        d.widget->update();
    }
    UpdatePainted(c);
}

} // namespace qo
