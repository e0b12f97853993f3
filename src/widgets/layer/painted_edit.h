#pragma once
// A one-line edit no element listens to, on a panel, is drawn by the panel until it is needed as
// an editor (focus, a click, typing), and goes back to being drawn when the focus leaves it: a
// ticket's 54 cells cost one paint, not 54 widgets. A screen reader gets real widgets throughout.
#include "widgets/layer/colors.h"

class QPainter;
class QPoint;
class QRect;

namespace qo {

class Control;

bool PaintedByParent(const Control& c);
// Draws the edits a panel widget paints for its children, within `area` (widget coordinates).
void PaintChildEdits(QPainter& p, const Control& panel, const QRect& area);
// An edit's mark (Control::setMark): a frame inside its border, in `r`, the edit's whole rectangle.
void PaintMark(QPainter& p, const QRect& r, Color mark);
// The painted edit under `pos` (panel widget coordinates), or nullptr.
Control* PaintedEditAt(const Control& panel, const QPoint& pos);
// Asks the parent's widget to draw a painted edit again.
void UpdatePainted(const Control& c);
// An editor that lost the focus goes back to being painted at the next turn of the loop.
void ReleaseEditorLater(Control& c);

} // namespace qo
