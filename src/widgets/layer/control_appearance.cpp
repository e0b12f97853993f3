// Colours, font, text, visibility, styles and the other looks of a Control.
#include "widgets/layer/accessibility.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/change_notice.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/style_cache.h"
#include <QApplication>
#include <QFontMetrics>
#include <QWidget>
#include <utility>

namespace qo {
namespace {

void FontChanged(Control& c) {
    ApplyFont(c);
    ApplyPalette(c);
    if (c.d().isEdit()) InvalidateLines(c);
    if (c.d().autoSize) FitToText(c);
    c.repaint();
}

// Fonts are shared (InternFont): a change takes the shared copy of the font with that part changed.
template <class T, class V> void SetFontPart(ControlPrivate& d, T FontDesc::*part, V value) {
    FontDesc f = *d.font;
    f.*part = std::move(value);
    d.font = InternFont(f);
}

void ParentNotice(Control& c) {
    if (c.parent() && c.kind() != ControlKind::Form) ChildChanged(*c.parent(), c);
}

} // namespace

void Control::setColor(Color color) {
    if (d_->color == color && d_->widget) return;
    const bool changed = d_->color != color;
    d_->color = color;
    // Told once the control holds the new colour: a listener may read it.
    if (changed) NoteContentChange(*this, ContentChange::Colour);
    ApplyPalette(*this); // a new palette repaints by itself
}
Color Control::color() const {
    return d_->color;
}

void Control::setFont(const FontDesc& font) {
    d_->font = InternFont(font);
    FontChanged(*this);
}
const FontDesc& Control::font() const {
    return *d_->font;
}
void Control::setFontColor(Color color) {
    SetFontPart(*d_, &FontDesc::color, color);
    ApplyPalette(*this);
    repaint();
}
void Control::setFontStyle(std::uint8_t style) {
    SetFontPart(*d_, &FontDesc::style, style);
    FontChanged(*this);
}
void Control::setFontFace(std::string_view face) {
    SetFontPart(*d_, &FontDesc::face, std::string(face));
    FontChanged(*this);
}
void Control::setFontHeight(int height) {
    SetFontPart(*d_, &FontDesc::height, height);
    FontChanged(*this);
}
void Control::setFontCharset(std::uint8_t charset) {
    SetFontPart(*d_, &FontDesc::charset, charset);
}
void Control::copyParentFont() {
    if (!d_->parent) return;
    d_->font = d_->parent->d().font;
    FontChanged(*this);
}

void Control::setText(std::string_view text) {
    auto& d = *d_;
    const bool changed = d.text != text;
    d.text = std::string(text);
    if (changed) NoteContentChange(*this, ContentChange::Text);
    AccessibleTextChanged(*this);
    switch (d.kind) {
    case ControlKind::Application:
        // Kept, not shown: the toolkit would add an application display name to every window's
        // title on some desktops ("Игра — Фишкодром"), and each window is titled by its caption.
        return;
    case ControlKind::Edit:
    case ControlKind::Memo: {
        InvalidateLines(*this);
        d.selStart = d.selEnd = 0;
        if (d.rare().firstLine != 0) d.rareW().firstLine = 0;
        ApplyText(*this);
        // A one-line edit reports a whole-text replacement; a multi-line one does not.
        if (d.kind == ControlKind::Edit) CallHandler(d.on().onChange);
        return;
    }
    default:
        ApplyText(*this);
        if (d.autoSize) FitToText(*this);
        return;
    }
}
const std::string& Control::text() const {
    return d_->text;
}

void Control::setVisible(bool visible) {
    auto& d = *d_;
    // What a window never shown left unmeasured is measured before it shows.
    if (visible && d.kind == ControlKind::Form) SettleFitsIn(*this);
    if (d.visible == visible) {
        // A form asked to show while its window is hidden (or gone) shows it again.
        if (d.kind == ControlKind::Form && visible && !(d.widget && d.widget->isVisible()))
            ApplyVisible(*this);
        return;
    }
    d.visible = visible;
    d.style = visible ? (d.style | WS_VISIBLE) : (d.style & ~WS_VISIBLE);
    ApplyVisible(*this);
    ParentNotice(*this);
}
bool Control::visible() const {
    return d_->visible;
}

bool Control::showing() const {
    for (const Control* c = this; c; c = c->d_->parent) {
        if (c->d_->kind == ControlKind::Application) break;
        if (!c->d_->visible) return false;
    }
    return true;
}

void Control::setEnabled(bool enabled) {
    auto& d = *d_;
    if (d.enabled == enabled) return;
    d.enabled = enabled;
    d.style = enabled ? (d.style & ~WS_DISABLED) : (d.style | WS_DISABLED);
    ApplyEnabled(*this);
    Message m{WM_ENABLE, enabled ? 1u : 0u, 0, 0};
    Deliver(*this, m);
}
bool Control::enabled() const {
    return d_->enabled;
}

void Control::setClientEdge(bool on) {
    auto& d = *d_;
    if (d.clientEdge == on) return;
    d.clientEdge = on;
    std::uint32_t style = d.style, ex = d.exStyle;
    if (on) {
        ex |= WS_EX_CLIENTEDGE;
        style &= ~WS_BORDER;
    } else if (ex & WS_EX_CLIENTEDGE) {
        ex &= ~WS_EX_CLIENTEDGE;
        style |= WS_BORDER;
    }
    d.exStyle = ex;
    setStyle(style);
}
bool Control::clientEdge() const {
    return d_->clientEdge;
}

void Control::setStyle(std::uint32_t style) {
    auto& d = *d_;
    const std::uint32_t old = d.style;
    d.style = style;
    if ((old ^ style) & WS_VISIBLE) setVisible(style & WS_VISIBLE);
    if ((old ^ style) & WS_DISABLED) setEnabled(!(style & WS_DISABLED));
    ApplyStyles(*this);
    ApplyAlignment(*this);
    if (d.isEdit()) InvalidateLines(*this);
    LayoutChildren(*this);
    repaint();
}
std::uint32_t Control::style() const {
    return d_->style;
}

void Control::setExStyle(std::uint32_t exStyle) {
    d_->exStyle = exStyle;
    ApplyStyles(*this);
    if (d_->isEdit()) InvalidateLines(*this);
    LayoutChildren(*this);
    repaint();
}
std::uint32_t Control::exStyle() const {
    return d_->exStyle;
}

void Control::setCursor(int cursor) {
    d_->cursor = cursor;
    ApplyCursor(*this);
}
int Control::cursor() const {
    return d_->cursor;
}

void Control::setTransparent(bool transparent) {
    d_->transparent = transparent;
    repaint();
}
bool Control::transparent() const {
    return d_->transparent;
}

void Control::setTextAlign(int horizontal) {
    d_->hAlign = horizontal;
    ApplyAlignment(*this);
}
int Control::textAlign() const {
    return d_->hAlign;
}
void Control::setVerticalTextAlign(int vertical) {
    d_->vAlign = vertical;
    repaint();
}
int Control::verticalTextAlign() const {
    return d_->vAlign;
}

TextExtent Control::textExtent(std::string_view text) const {
    const QFontMetrics fm(FontFor(*d_->font));
    return TextExtent{fm.horizontalAdvance(ToQString(text)), fm.height()};
}

void Control::repaint() {
    if (d_->widget) d_->widget->update();
}

} // namespace qo
