#pragma once
// Inside the layer: the tickets' pages painted on any paged device (a printer, a PDF file), and the
// toolkit's print dialogs that the toolkit platform shows.
#include "widgets/layer/print.h"

class QPagedPaintDevice;

namespace qo {

// Paints the tickets two or more to a page, none split across pages; false when the device refused.
bool PaintTicketPages(QPagedPaintDevice& device, const std::vector<PrintedTicket>& tickets);
// The range of tickets, then the system's print dialog, then the pages.
bool PrintThroughDialog(PrintJob& job);

} // namespace qo
