#pragma once
// Painting the layer does itself (painting.cpp): a panel's bevels, border, fill and caption, and
// a label's text, as the desktop draws them; the Canvas a paint handler receives.
class QPainter;
class QRect;

namespace qo {

class Control;

void PaintPanel(QPainter& p, const Control& c, const QRect& client);
void PaintLabel(QPainter& p, const Control& c, const QRect& client);

} // namespace qo
