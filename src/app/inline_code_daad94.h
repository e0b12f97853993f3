#pragma once
// The commands that concern every ticket at once: mark a called number, reset numbers or colours
// (after asking), fill. It walks the tickets by position; what a ticket does with each command is
// the ticket's own business. A call, and a call taken back, is the game's too: the model hears it
// before the tickets do, and records it itself on the tickets it cannot change the cells of.
#include <cstdint>

#include "runtime/link.h"

namespace lotto {

namespace game {
class Model;
class Ticket;
} // namespace game

class TQOInlineCode_DAAD94 {
public:
    qo::TEventLink count;        // data: the number of tickets
    qo::TEventLink select;       // makes the ticket at a position current
    qo::TEventLink check;        // to the current ticket: mark a number
    qo::TEventLink resetNumbers; // to the current ticket
    qo::TEventLink resetColours; // to the current ticket
    qo::TEventLink fill;         // to the current ticket
    qo::TEventLink takeBack;     // to the current ticket: take a called number back

    void CheckAll(qo::TData& d, std::uint16_t index);
    void ResetAllNumbers(qo::TData& d, std::uint16_t index);
    void ResetAllColours(qo::TData& d, std::uint16_t index);
    void FillAll(qo::TData& d, std::uint16_t index);
    void TakeBackAll(qo::TData& d, std::uint16_t index); // a call removed from the real game

    game::Model* model = nullptr; // borrowed; none: the calls are the tickets' alone

private:
    void ForEachTicket(const qo::TEventLink& command, const qo::TData& value);
    // `throughList`, given the model's ticket at the same place: whether the command goes to the
    // ticket itself; one it does not go to the model has already dealt with.
    template <class Sieve>
    void ForEachTicket(const qo::TEventLink& command, const qo::TData& value, const Sieve& throughList);
};

} // namespace lotto
