// A label's widget: painted from the control's text, alignment and colours (painting.cpp).
#include "widgets/layer/label_kind.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/painting.h"
#include <QPainter>

namespace qo {

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (control) PaintLabel(p, *control, contentsRect());
    drawFrame(&p);
}

namespace {

QWidget* MakeLabel(Control& c, QWidget* parent, QWidget*&) {
    return LinkWidget(new LabelWidget(parent), c);
}

} // namespace

const ControlKindOps kLabelKind{
    .make = &MakeLabel,
    .paintedRole = QAccessible::StaticText,
};

} // namespace qo
