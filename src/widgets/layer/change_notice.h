#pragma once
// Inside the layer: where a control's content changes, the change watch hears of it.
namespace qo {

void NoteContentChange();

} // namespace qo
