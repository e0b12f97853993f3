#include "app/ticket_numbers.h"

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_d9d224.h"
#include "containers/edit_multi_ex.h"
#include "containers/multi_element_ex.h"
#include "game/model.h"

namespace lotto {

void TicketNumbers::Renumber(qo::TData&, std::uint16_t) {
    const std::size_t count = tickets_.InstanceCount();
    const auto at = [this](std::size_t i) {
        // The list's factory makes nothing but tickets.
        return static_cast<TClassChildPanelEx_D82A4C*>(tickets_.InstanceAt(i)->schemeObject);
    };
    if (model_) {
        // A ticket is added at the end, and joins the model there; after a delete the model takes
        // the list's order again, before the deleted ticket is destroyed.
        if (count > 0 && model_->tickets().size() + 1 == count &&
            at(count - 1)->body().logic().game().model() != model_) {
            at(count - 1)->body().logic().JoinGame(*model_);
        } else {
            std::vector<game::Ticket*> order;
            order.reserve(count);
            for (std::size_t i = 0; i < count; ++i)
                order.push_back(&at(i)->body().logic().game());
            model_->Reorder(order);
        }
    }
    // NOTE: the container has taken a deleted ticket off its list at once, though it destroys it
    // only when the click that asked for it is over; so the places read here are already right.
    // One ticket added or deleted moves only the tickets after it: walking back from the end, the
    // first ticket already in its place has all those before it in theirs too.
    for (std::size_t i = count; i-- > 0;) {
        TClassChildPanelEx_D82A4C* ticket = at(i);
        if (ticket->number() == static_cast<int>(i) + 1) break;
        ticket->SetNumber(static_cast<int>(i) + 1);
    }
}

} // namespace lotto
