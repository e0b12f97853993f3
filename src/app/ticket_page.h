#pragma once
// Tickets on paper: what a printed ticket carries, how a page of them looks, and the words the
// print dialogs say for them. The layer gives the pages and the dialogs (print.h).
#include <array>
#include <string>
#include <vector>

#include "widgets/layer/print.h"

namespace qo {
class Control;
}

namespace lotto {

struct PrintedTicket {
    static constexpr int kCells = 54;        // two cards of three rows by nine columns, row by row
    int number = 0;                          // the ticket's place in the list, from 1
    std::string note;                        // Windows-1251: the first line of its notes
    std::array<std::string, kCells> cells{}; // Windows-1251, "" for an empty cell
    std::array<bool, kCells> marked{};       // a called number: shaded, so the paper shows it in grey
};

struct TicketPrintJob {
    qo::Control* owner = nullptr;       // nullptr: the owner window rule
    std::vector<PrintedTicket> tickets; // in list order
    // The ticket numbers to print, as the player chose them; the dialog starts with them all.
    int first = 0;
    int last = 0;
    std::string error; // UTF-8: why nothing was printed, when the printer refused

    // The tickets whose numbers lie in first…last.
    std::vector<PrintedTicket> chosen() const;
};

// Shows the platform's print dialog for `job`; false when the player cancelled or printing failed
// (then `job.error` says why).
bool PrintTickets(TicketPrintJob& job);

// How many tickets stand on one page of that size (millimetres), never fewer than two.
int TicketsPerPage(double pageWidthMm, double pageHeightMm);

// Paints the tickets two or more to a page, none split across pages; false when the device refused.
bool PaintTicketPages(qo::PageCanvas& pages, const std::vector<PrintedTicket>& tickets);

} // namespace lotto
