#include "widgets/layer/painting.h"

#include "widgets/layer/canvas.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/style_cache.h"
#include <QFontMetrics>
#include <QPainter>

namespace qo {
namespace {

// One bevel or border frame, drawn as the desktop draws a 3D frame: the top-left polyline from the
// bottom-left corner up to the top-right one, then the bottom-right polyline back; the second
// colour wins the two shared corners. `r` uses inclusive right and bottom edges.
void Frame(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    if (rt < l || b < t) return;
    p.fillRect(QRect(QPoint(l, t), QPoint(l, b)), topLeft);
    p.fillRect(QRect(QPoint(l, t), QPoint(std::max(l, rt - 1), t)), topLeft);
    p.fillRect(QRect(QPoint(rt, t), QPoint(rt, b)), bottomRight);
    p.fillRect(QRect(QPoint(l, b), QPoint(rt, b)), bottomRight);
}

void Bevel(QPainter& p, QRect& r, int kind, int width) {
    if (kind == 0) return;
    const QColor shadow = ToQColor(clBtnShadow);
    const QColor light = ToQColor(clBtnHighlight);
    for (int i = 0; i < width; ++i) {
        if (kind == 1)
            Frame(p, r, shadow, light);
        else
            Frame(p, r, light, shadow);
        r.adjust(1, 1, -1, -1);
    }
}

int HorizontalFlag(int h) {
    return h == 1 ? Qt::AlignRight : h == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
}
int VerticalFlag(int v) {
    return v == 1 ? Qt::AlignTop : v == 2 ? Qt::AlignBottom : Qt::AlignVCenter;
}

} // namespace

void PaintPanel(QPainter& p, const Control& c, const QRect& client) {
    const auto& d = c.d();
    QRect r = client;
    Bevel(p, r, d.rare().panel.outerBevel, d.rare().panel.bevelWidth);
    const QColor own = ToQColor(d.color);
    for (int i = 0; i < d.rare().panel.borderWidth; ++i) {
        Frame(p, r, own, own);
        r.adjust(1, 1, -1, -1);
    }
    Bevel(p, r, d.rare().panel.innerBevel, d.rare().panel.bevelWidth);
    if (!d.transparent && r.isValid()) p.fillRect(r, own);
    if (!d.text.empty() && r.isValid()) {
        p.setFont(FontFor(*d.font));
        p.setPen(ToQColor(d.font->color));
        p.drawText(
            r, HorizontalFlag(d.hAlign) | VerticalFlag(d.vAlign) | Qt::TextSingleLine | Qt::TextExpandTabs,
            ToQString(d.text));
    }
}

void PaintLabel(QPainter& p, const Control& c, const QRect& client) {
    const auto& d = c.d();
    if (!d.transparent) p.fillRect(client, ToQColor(d.color));
    if (d.text.empty()) return;
    p.setFont(FontFor(*d.font));
    p.setPen(ToQColor(d.font->color));
    p.drawText(client, HorizontalFlag(d.hAlign) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs,
               ToQString(d.text));
}

void Canvas::fillRect(const Rect& r, Color color) {
    painter_.fillRect(QRect(r.left, r.top, r.width, r.height), ToQColor(color));
}

void Canvas::polyline(const std::vector<std::pair<int, int>>& points, Color color) {
    if (points.size() < 2) return;
    painter_.setPen(ToQColor(color));
    for (std::size_t i = 1; i < points.size(); ++i) {
        painter_.drawLine(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second);
    }
}

void Canvas::drawText(const Rect& r, std::string_view text, int horizontal, int vertical) {
    drawText(r, text, horizontal, vertical, control_.font());
}

void Canvas::drawText(const Rect& r, std::string_view text, int horizontal, int vertical,
                      const FontDesc& font) {
    painter_.setFont(FontFor(font));
    painter_.setPen(ToQColor(font.color));
    painter_.drawText(QRect(r.left, r.top, r.width, r.height),
                      HorizontalFlag(horizontal) | VerticalFlag(vertical) | Qt::TextSingleLine |
                          Qt::TextExpandTabs,
                      ToQString(text));
}

TextExtent Canvas::textExtent(std::string_view text) const {
    return control_.textExtent(text);
}

} // namespace qo
