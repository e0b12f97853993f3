// A ticket is drawn as the screen shows it, in black and white: a heading with its number and the
// first line of its notes, then its two cards as grids with large bold numbers; a called number's
// cell is shaded grey, since paper has no red.
#include "app/ticket_page.h"

#include <algorithm>
#include <cmath>

#include "runtime/cp1251.h"

#include "game/shape.h"

namespace lotto {
namespace {

// A ticket's parts in cell heights: the heading above, the gap between its cards, and the space
// left between two tickets on a page.
constexpr double kHeading = 0.7;
constexpr double kCardGap = 0.35;
constexpr double kTicketGap = 0.6;
constexpr double kTicketHeight = kHeading + 3 + kCardGap + 3;
constexpr double kLargestCellMm = 20;
using game::kColumns;
constexpr qo::Color kInk = qo::Rgb(0, 0, 0);
constexpr qo::Color kCalled = qo::Rgb(200, 200, 200);
constexpr const char* kFont = "Arial";

struct Layout {
    double cell = 0; // the side of a cell, in the unit the page was given in
    int perPage = 2;
};

// Cells as large as the width allows, unless two tickets would no longer fit in the height.
Layout LayoutFor(double width, double height, double largestCell) {
    Layout l;
    l.cell = std::min({width / kColumns, height / (2 * kTicketHeight + kTicketGap), largestCell});
    if (l.cell <= 0) return l;
    const int fit = static_cast<int>(
        std::floor((height + kTicketGap * l.cell) / ((kTicketHeight + kTicketGap) * l.cell)));
    l.perPage = std::max(2, fit);
    return l;
}

void PaintTicket(qo::PageCanvas& p, const PrintedTicket& t, double x, double y, double cell, double width) {
    const qo::PageFont heading{kFont, std::max(1, static_cast<int>(cell * 0.45)), true};
    const std::string title = qo::Cp1251("Билет ") + std::to_string(t.number);
    p.drawText({x, y, width, cell * kHeading}, title, heading, 0, 0, kInk);
    if (!t.note.empty()) {
        const double used = p.textWidth(title + "  ", heading);
        const qo::PageFont plain{kFont, heading.pixelSize, false};
        p.drawText({x + used, y, std::max(0.0, width - used), cell * kHeading}, t.note, plain, 0, 0, kInk,
                   true);
    }

    const qo::PageFont number{kFont, std::max(1, static_cast<int>(cell * 0.55)), true};
    const double thin = std::max(1.0, cell / 60);
    const double thick = std::max(2.0, cell / 20);
    for (int card = 0; card < 2; ++card) {
        const double top = y + cell * (kHeading + card * (3 + kCardGap));
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const std::size_t i = static_cast<std::size_t>((card * 3 + row) * kColumns + column);
                const qo::PageRect r{x + column * cell, top + row * cell, cell, cell};
                if (t.marked[i]) p.fillRect(r, kCalled);
                p.frameRect(r, thin, kInk);
                if (!t.cells[i].empty()) p.drawText(r, t.cells[i], number, 2, 0, kInk);
            }
        }
        p.frameRect({x, top, kColumns * cell, 3 * cell}, thick, kInk);
    }
}

} // namespace

std::vector<PrintedTicket> TicketPrintJob::chosen() const {
    std::vector<PrintedTicket> out;
    for (const PrintedTicket& t : tickets) {
        if (t.number >= first && t.number <= last) out.push_back(t);
    }
    return out;
}

int TicketsPerPage(double pageWidthMm, double pageHeightMm) {
    return LayoutFor(pageWidthMm, pageHeightMm, kLargestCellMm).perPage;
}

bool PaintTicketPages(qo::PageCanvas& pages, const std::vector<PrintedTicket>& tickets) {
    const Layout l = LayoutFor(pages.width(), pages.height(), kLargestCellMm * pages.pixelsPerMm());
    if (l.cell <= 0) return false;
    if (!pages.open()) return false;
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const int place = static_cast<int>(i % static_cast<std::size_t>(l.perPage));
        // NOTE: a new page only between pages' worth of tickets, so a ticket never breaks across two.
        if (i > 0 && place == 0 && !pages.newPage()) return false;
        PaintTicket(pages, tickets[i], 0, place * (kTicketHeight + kTicketGap) * l.cell, l.cell,
                    kColumns * l.cell);
    }
    return pages.close();
}

bool PrintTickets(TicketPrintJob& job) {
    if (job.tickets.empty()) return false;
    qo::PrintJob print;
    print.owner = job.owner;
    qo::PrintWords& w = print.words;
    w.documentName = qo::Cp1251("Билеты");
    w.creator = qo::Cp1251("Фишкодром");
    w.title = qo::Cp1251("Печать билетов");
    w.all = qo::Cp1251("&Все билеты (") + std::to_string(job.tickets.size()) + ")";
    w.range = qo::Cp1251("Билеты &с номера");
    w.to = qo::Cp1251("&по");
    w.rangeName = qo::Cp1251("Билеты с номера по номер");
    w.firstName = qo::Cp1251("Первый билет");
    w.lastName = qo::Cp1251("Последний билет");
    w.next = qo::Cp1251("Далее...");
    w.cancel = qo::Cp1251("Отмена");
    print.lowest = job.tickets.front().number;
    print.highest = job.tickets.back().number;
    print.first = job.first;
    print.last = job.last;
    print.paint = [&job](qo::PageCanvas& pages, int first, int last) {
        job.first = first;
        job.last = last;
        return PaintTicketPages(pages, job.chosen());
    };
    const bool printed = qo::Print(print);
    job.first = print.first;
    job.last = print.last;
    switch (print.failure) {
    case qo::PrintFailure::None:
        break;
    case qo::PrintFailure::PrinterRefused:
        job.error = "принтер не принял задание";
        break;
    case qo::PrintFailure::FileNotWritten:
        job.error = "не удалось записать файл" + (print.failedFile.empty() ? "" : " " + print.failedFile);
        break;
    }
    return printed;
}

} // namespace lotto
