#pragma once
// Inside the layer: where a control's content changes, the change watch hears of it.
#include "widgets/layer/change_watch.h"

namespace qo {

void NoteContentChange(const Control& changed, ContentChange what);

} // namespace qo
