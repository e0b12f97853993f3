#pragma once
// A panel: a painted area with bevels, a border and a caption, that keeps its aligned children
// inside the frame it draws.
#include "widgets/layer/control.h"

namespace qo {

class PanelControl final : public Control {
public:
    static PanelControl* Create(Control* parent, const PanelStyle& style); // 185 × 41
    static bool Holds(ControlKind k) { return k == ControlKind::Panel; }

    void setPanelStyle(const PanelStyle& style); // also sets the margin
    const PanelStyle& panelStyle() const;

private:
    using Control::Control;
};

} // namespace qo
