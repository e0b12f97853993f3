#include "app/class_child_panel_da14f8.h"

#include "containers/edit_multi.h"
#include "widgets/layer/control.h"
#include "widgets/panel.h"

namespace lotto {

TClassChildPanel_DA14F8::TClassChildPanel_DA14F8(qo::Control* parent) {
    auto& panel = addWindow<qo::TQOPanel>(parent);
    panel.left = 275;
    panel.top = 5;
    panel.width = 5;
    panel.height = 185;
    panel.align = qo::alNone;
    panel.color = qo::clBtnFace;
    panel.outerBevel = 1; // a lowered groove
    panel.innerBevel = 2;
    panel.Init();

    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(0);
    edge.SetDataInputCount(0);
}

} // namespace lotto
