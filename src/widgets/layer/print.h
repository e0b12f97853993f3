#pragma once
// Tickets on paper: what a printed ticket carries, the job the program hands to the platform's print
// dialog, and the painting of the pages. Which tickets there are and what they hold is the program's;
// the dialog is the platform's (platform.h), so tests answer it and print into a PDF file.
#include <array>
#include <string>
#include <vector>

namespace qo {

class Control;

struct PrintedTicket {
    static constexpr int kCells = 54;        // two cards of three rows by nine columns, row by row
    int number = 0;                          // the ticket's place in the list, from 1
    std::string note;                        // Windows-1251: the first line of its notes
    std::array<std::string, kCells> cells{}; // Windows-1251, "" for an empty cell
    std::array<bool, kCells> marked{};       // a called number: shaded, so the paper shows it in grey
};

struct PrintJob {
    Control* owner = nullptr;           // nullptr: the owner window rule
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
bool PrintTickets(PrintJob& job);

// How many tickets stand on one page of that size (millimetres), never fewer than two.
int TicketsPerPage(double pageWidthMm, double pageHeightMm);

// Paints `tickets` into a PDF file of A4 pages (UTF-8 path): what a print to a file makes, and what
// tests read. False, with `error` (UTF-8) set, when the file cannot be written.
bool WriteTicketsPdf(const std::string& pathUtf8, const std::vector<PrintedTicket>& tickets,
                     std::string* error);

} // namespace qo
