#pragma once
// The scroll box's kind: a frame holding a view, the content that moves inside it (where the
// child widgets go), and the two bars, which send the control their scroll requests.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QFrame>
#include <QScrollBar>

namespace qo {

class ScrollBoxWidget : public Routed<QFrame> {
public:
    explicit ScrollBoxWidget(QWidget* parent);
    QWidget* viewport = nullptr;
    QWidget* content = nullptr;
    QScrollBar* vbar = nullptr;
    QScrollBar* hbar = nullptr;
    void arrange();
};

} // namespace qo
