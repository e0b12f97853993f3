#pragma once
// Ctrl+Z on the number box takes the last call back while the box is empty; in a box that holds
// text it keeps its usual meaning (the box's own undo). Which move goes is the game window's
// business.
#include <cstdint>

#include "runtime/link.h"

namespace lotto {

class TQOInlineCode_UndoCallKey {
public:
    qo::TEventLink boxValue; // data: the number box's value, null while it is empty
    qo::TEventLink undo;     // the last move is to go

    void Key(qo::TData& d, std::uint16_t index); // a virtual key code pressed in the box
};

} // namespace lotto
