#pragma once
// The button's kind: a push button whose click reaches the control's click handler.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QPushButton>

namespace qo {

class ButtonWidget : public Routed<QPushButton> {
public:
    using Routed<QPushButton>::Routed;
};

} // namespace qo
