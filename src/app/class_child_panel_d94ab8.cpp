#include "app/class_child_panel_d94ab8.h"

#include "containers/edit_multi.h"
#include "widgets/layer/control.h"
#include "widgets/memo.h"
#include "widgets/panel.h"

namespace lotto {

TClassChildPanel_D94AB8::TClassChildPanel_D94AB8(qo::Control* parent) {
    // ---- the window
    auto& panel = addWindow<qo::TQOPanel>(parent);
    panel.left = 367;
    panel.top = 2;
    panel.width = 120;
    panel.height = 196;
    panel.align = qo::alClient;
    panel.color = qo::clBtnFace;
    panel.Init();

    // ---- the edge
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(1);
    edge.SetDataInputCount(1);

    // ---- elements
    auto& memo = add<qo::TQOMemo>(panel.control());
    memo.left = 5;
    memo.top = 5;
    memo.width = 635;
    memo.height = 347;
    memo.align = qo::alClient;
    memo.color = qo::clWindow;
    memo.flatBorder = 0;
    memo.font = {"MS Sans Serif", 8, 0, qo::clBlack, 1};
    memo.scrollBars = 2; // vertical only, so long lines wrap
    memo.editable = 1;
    memo.Init();

    // ---- links
    connect<&qo::TQOMemo::SetLines>(edge.innerEvents[0], memo);
    // NOTE: the notes are read as typed, not as the memo wraps them: a ticket file's notes keep
    // their lines whatever the width of the memo they were typed into.
    connect<&qo::TQOMemo::TypedLines>(edge.innerDataInputs[0], memo);

    memo_ = &memo;
}

} // namespace lotto
