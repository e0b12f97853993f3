#include "app/inline_code_given_tickets.h"

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/inline_code_d9d224.h"
#include "app/ticket_file.h"
#include "containers/multi_element.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"

namespace lotto {

void TQOInlineCode_GivenTickets::Open(qo::TData&, std::uint16_t) {
    started_ = true;
    OpenGiven();
}

void TQOInlineCode_GivenTickets::OpenLater(const std::vector<std::string>& paths) {
    files.insert(files.end(), paths.begin(), paths.end());
    if (started_) OpenGiven();
}

void TQOInlineCode_GivenTickets::OpenGiven() {
    auto& list = TClassChildScrollBox_D80098::Of(ticketList_);
    // The main window, as for "Открыть..." on any of its tickets, whichever window is active.
    qo::Control* owner = ticketList_.ParentWindow() ? ticketList_.ParentWindow()->form() : nullptr;
    // A box about one file runs the loop, where more files may arrive: they wait their turn.
    if (opening_) return;
    opening_ = true;
    while (!files.empty()) {
        const std::string path = files.front();
        files.erase(files.begin());
        TicketFileContent content;
        // Read before the ticket is made: a file that cannot be read leaves the list as it was,
        // and an empty ticket would only replace the kept game on disk for nothing.
        if (!TQOInlineCode_D9D224::ReadTicketFile(path, owner, content)) continue;
        if (TClassChildPanelEx_D82A4C* ticket = list.NewTicket())
            ticket->body().logic().PutTicketFile(content);
    }
    opening_ = false;
}

} // namespace lotto
