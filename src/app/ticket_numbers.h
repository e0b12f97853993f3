#pragma once
// Keeps each ticket's number (its place in the list, from 1) in step with the list, so what a
// screen reader says for the ticket's controls stays true after tickets are added or deleted; and
// the game model's list of tickets in the list's order. What a ticket does with its number is the
// ticket's business.
#include <cstdint>

#include "runtime/link.h"

namespace qo {
class TQOMultiElementEx;
}

namespace lotto {

namespace game {
class Model;
}

class TicketNumbers {
public:
    explicit TicketNumbers(qo::TQOMultiElementEx& tickets) : tickets_(tickets) {}

    // After one ticket is added or deleted. Only tickets whose place changed are visited.
    void Renumber(qo::TData& d, std::uint16_t index);
    // The model the tickets record into, borrowed; none: each ticket keeps its game to itself.
    void Follow(game::Model* model) { model_ = model; }

private:
    qo::TQOMultiElementEx& tickets_;
    game::Model* model_ = nullptr;
};

} // namespace lotto
