#include "app/inline_code_printing.h"

#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/kept_game.h"
#include "containers/multi_element_ex.h"
#include "runtime/cp1251.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace lotto {
namespace {

constexpr const char* kCaption = "Печать билетов";

std::string FirstLine(const std::string& notes) {
    return notes.substr(0, notes.find_first_of("\r\n"));
}

} // namespace

TQOInlineCode_Printing::TQOInlineCode_Printing(const qo::TQOMultiElement& ticketList)
    : ticketList_(ticketList) {}

TicketPrintJob TQOInlineCode_Printing::Job() const {
    TicketPrintJob job;
    job.owner = qo::OwnerControl();
    const TClassChildScrollBox_D80098& list = TClassChildScrollBox_D80098::Of(ticketList_);
    const std::size_t count = list.tickets().InstanceCount();
    job.tickets.resize(count);
    KeptTicket kept;
    for (std::size_t i = 0; i < count; ++i) {
        const TClassChildPanelEx_D82A4C& ticket = list.ticket(i);
        ticket.Keep(kept);
        PrintedTicket& printed = job.tickets[i];
        printed.number = ticket.number() > 0 ? ticket.number() : static_cast<int>(i) + 1;
        printed.note = FirstLine(kept.notes);
        printed.cells = kept.cells;
        for (std::size_t c = 0; c < kept.colours.size(); ++c)
            printed.marked[c] = kept.colours[c] != 0xFFFFFF;
    }
    if (!job.tickets.empty()) {
        job.first = job.tickets.front().number;
        job.last = job.tickets.back().number;
    }
    return job;
}

void TQOInlineCode_Printing::Choose(qo::TData& d, std::uint16_t) {
    if (menuItem < 0 || qo::ToInteger(d) != menuItem) return;
    TicketPrintJob job = Job();
    if (job.tickets.empty()) {
        qo::ShowMessageBox(qo::OwnerControl(), qo::Cp1251("Билетов нет: печатать нечего."),
                           qo::Cp1251(kCaption), qo::MB_OK | qo::MB_ICONINFORMATION);
        return;
    }
    if (PrintTickets(job) || job.error.empty()) return;
    qo::ShowMessageBox(qo::OwnerControl(),
                       qo::Cp1251("Билеты не напечатаны.") + "\r\n" + qo::Utf8ToCp1251(job.error),
                       qo::Cp1251(kCaption), qo::MB_OK | qo::MB_ICONEXCLAMATION);
}

} // namespace lotto
