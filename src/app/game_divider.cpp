#include "app/game_divider.h"

#include "containers/edit_multi.h"
#include "widgets/layer/colors.h"
#include "widgets/panel.h"

namespace lotto {

GameDivider::GameDivider(qo::Control* parent, int top) {
    auto& bar = addWindow<qo::TQOPanel>(parent);
    bar.left = 5;
    bar.top = top;
    bar.width = 240;
    bar.height = 5;
    bar.color = qo::clBtnFace;
    bar.font.color = 0;
    bar.innerBevel = 2;
    bar.outerBevel = 0;
    bar.bevelWidth = 1;
    bar.borderStyle = 0;
    bar.borderWidth = 1;
    bar.Init();

    // A bar has no points; the edge is there because every contained scheme has one.
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(0);
    edge.SetDataInputCount(0);
}

} // namespace lotto
