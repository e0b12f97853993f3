#include "app/undo_call_key.h"

#include "widgets/layer/keyboard_state.h"
#include "widgets/layer/messages.h"

namespace lotto {

void TQOInlineCode_UndoCallKey::Key(qo::TData& d, std::uint16_t) {
    if (qo::ToInteger(d) != 'Z' || !qo::KeyHeld(qo::VK_CONTROL) || qo::KeyHeld(qo::VK_MENU)) return;
    qo::TData value;
    qo::ReadData(boxValue, value);
    if (value.kind != qo::dkNull) return;
    qo::FireNull(undo);
}

} // namespace lotto
