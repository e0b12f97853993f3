#include "app/ticket_numbers.h"

#include "app/class_child_panel_ex_d82a4c.h"
#include "containers/edit_multi_ex.h"
#include "containers/multi_element_ex.h"

namespace lotto {

void TicketNumbers::Renumber(qo::TData&, std::uint16_t) {
    // NOTE: the container has taken a deleted ticket off its list at once, though it destroys it
    // only when the click that asked for it is over; so the places read here are already right.
    // One ticket added or deleted moves only the tickets after it: walking back from the end, the
    // first ticket already in its place has all those before it in theirs too.
    for (std::size_t i = tickets_.InstanceCount(); i-- > 0;) {
        // The list's factory makes nothing but tickets.
        auto* ticket = static_cast<TClassChildPanelEx_D82A4C*>(tickets_.InstanceAt(i)->schemeObject);
        if (ticket->number() == static_cast<int>(i) + 1) break;
        ticket->SetNumber(static_cast<int>(i) + 1);
    }
}

} // namespace lotto
