#include "widgets/layer/panel_control.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"

namespace qo {
namespace {

// What aligned children keep from the edges: the frames the panel draws round them.
std::int16_t MarginFor(const PanelStyle& style) {
    return static_cast<std::int16_t>((style.outerBevel ? style.bevelWidth : 0) + style.borderWidth +
                                     (style.innerBevel ? style.bevelWidth : 0));
}

} // namespace

PanelControl* PanelControl::Create(Control* parent, const PanelStyle& style) {
    auto* c = new PanelControl(ControlKind::Panel, parent);
    auto& d = c->d();
    d.style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
    d.text.clear();
    d.bounds = {0, 0, 185, 41};
    d.rareW().panel = style;
    if (style.borderStyle == 1) {
        d.style |= WS_BORDER;
        d.exStyle |= WS_EX_CLIENTEDGE;
    }
    d.margin = MarginFor(style);
    RealiseLater(*c);
    return c;
}

void PanelControl::setPanelStyle(const PanelStyle& style) {
    auto& d = this->d();
    d.rareW().panel = style;
    d.margin = MarginFor(style);
    LayoutChildren(*this);
    repaint();
}
const PanelStyle& PanelControl::panelStyle() const {
    return d().rare().panel;
}

} // namespace qo
