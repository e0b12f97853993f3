#pragma once
// A label: one line of painted text that reports clicks, and may size itself to its text.
#include "widgets/layer/control.h"

namespace qo {

class LabelControl final : public Control {
public:
    static LabelControl* Create(Control* parent); // text "Push", 65 × 17
    static bool Holds(ControlKind k) { return k == ControlKind::Label; }

    // With auto-size the label measures its text after each change (and now): the width follows
    // for alignment none/left/right, the height for none/top/bottom (text size + 1).
    void setAutoSize(bool on);
    bool autoSize() const;

private:
    using Control::Control;
};

} // namespace qo
