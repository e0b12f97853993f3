#pragma once
// "Печать билетов...": the list's tickets on paper, as the cells and notes hold them now. Which
// tickets and which printer are asked by the platform's print dialog; how a page looks is the
// program's (ticket_page.h).
#include <cstdint>

#include "app/ticket_page.h"
#include "runtime/link.h"

namespace qo {
class TQOMultiElement;
}

namespace lotto {

class TQOInlineCode_Printing {
public:
    // `ticketList`: the main scheme's container, borrowed for its lifetime.
    explicit TQOInlineCode_Printing(const qo::TQOMultiElement& ticketList);

    int menuItem = -1; // the number of the menu item "Печать билетов..."

    void Choose(qo::TData& d, std::uint16_t index); // a menu item's number

    // Every ticket of the list as it would be printed, in list order.
    TicketPrintJob Job() const;

private:
    const qo::TQOMultiElement& ticketList_;
};

} // namespace lotto
