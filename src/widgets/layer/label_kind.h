#pragma once
// The label's kind: a frame that paints the control's text itself, as the desktop draws a label.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QFrame>

namespace qo {

class LabelWidget : public Routed<QFrame> {
public:
    using Routed<QFrame>::Routed;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace qo
