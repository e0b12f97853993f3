// Tickets on paper. A ticket is drawn as the screen shows it, in black and white: a heading with its
// number and the first line of its notes, then its two cards as grids with large bold numbers; a
// called number's cell is shaded grey, since paper has no red.
#include "widgets/layer/print.h"

#include "widgets/layer/encoding.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/print_pages.h"
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

namespace qo {
namespace {

// A ticket's parts in cell heights: the heading above, the gap between its cards, and the space
// left between two tickets on a page.
constexpr double kHeading = 0.7;
constexpr double kCardGap = 0.35;
constexpr double kTicketGap = 0.6;
constexpr double kTicketHeight = kHeading + 3 + kCardGap + 3;
constexpr double kLargestCellMm = 20;
constexpr int kColumns = 9;

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

void PaintTicket(QPainter& p, const PrintedTicket& t, QPointF at, double cell, double width) {
    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(std::max(1, static_cast<int>(cell * 0.45)));
    heading.setBold(true);
    p.setFont(heading);
    const QString title = QStringLiteral("Билет %1").arg(t.number);
    const QRectF headRect(at.x(), at.y(), width, cell * kHeading);
    p.drawText(headRect, Qt::AlignLeft | Qt::AlignVCenter, title);
    if (!t.note.empty()) {
        const double used = QFontMetricsF(heading).horizontalAdvance(title + QStringLiteral("  "));
        QFont plain = heading;
        plain.setBold(false);
        p.setFont(plain);
        const QRectF noteRect(at.x() + used, at.y(), std::max(0.0, width - used), cell * kHeading);
        const QString note =
            QFontMetricsF(plain).elidedText(ToQString(t.note), Qt::ElideRight, noteRect.width());
        p.drawText(noteRect, Qt::AlignLeft | Qt::AlignVCenter, note);
    }

    QFont number(QStringLiteral("Arial"));
    number.setPixelSize(std::max(1, static_cast<int>(cell * 0.55)));
    number.setBold(true);
    p.setFont(number);
    const QPen thin(Qt::black, std::max(1.0, cell / 60));
    const QPen thick(Qt::black, std::max(2.0, cell / 20));
    for (int card = 0; card < 2; ++card) {
        const double top = at.y() + cell * (kHeading + card * (3 + kCardGap));
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const std::size_t i = static_cast<std::size_t>((card * 3 + row) * kColumns + column);
                const QRectF r(at.x() + column * cell, top + row * cell, cell, cell);
                if (t.marked[i]) p.fillRect(r, QColor(200, 200, 200));
                p.setPen(thin);
                p.drawRect(r);
                if (!t.cells[i].empty()) p.drawText(r, Qt::AlignCenter, ToQString(t.cells[i]));
            }
        }
        p.setPen(thick);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(at.x(), top, kColumns * cell, 3 * cell));
    }
}

} // namespace

std::vector<PrintedTicket> PrintJob::chosen() const {
    std::vector<PrintedTicket> out;
    for (const PrintedTicket& t : tickets) {
        if (t.number >= first && t.number <= last) out.push_back(t);
    }
    return out;
}

int TicketsPerPage(double pageWidthMm, double pageHeightMm) {
    return LayoutFor(pageWidthMm, pageHeightMm, kLargestCellMm).perPage;
}

bool PaintTicketPages(QPagedPaintDevice& device, const std::vector<PrintedTicket>& tickets) {
    const QRect area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double pxPerMm = device.logicalDpiX() / 25.4;
    const Layout l = LayoutFor(area.width(), area.height(), kLargestCellMm * pxPerMm);
    if (l.cell <= 0) return false;
    QPainter p;
    if (!p.begin(&device)) return false;
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const int place = static_cast<int>(i % static_cast<std::size_t>(l.perPage));
        // NOTE: a new page only between pages' worth of tickets, so a ticket never breaks across two.
        if (i > 0 && place == 0 && !device.newPage()) return false;
        const QPointF at(0, place * (kTicketHeight + kTicketGap) * l.cell);
        PaintTicket(p, tickets[i], at, l.cell, kColumns * l.cell);
    }
    return p.end();
}

bool WriteTicketsPdf(const std::string& pathUtf8, const std::vector<PrintedTicket>& tickets,
                     std::string* error) {
    QPdfWriter writer(QString::fromStdString(pathUtf8));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Фишкодром"));
    writer.setTitle(QStringLiteral("Билеты"));
    const bool ok = PaintTicketPages(writer, tickets);
    if (!ok && error) *error = "не удалось записать файл";
    return ok;
}

bool PrintThroughDialog(PrintJob& job) {
    QWidget* owner = nullptr;
    if (Control* c = job.owner ? job.owner : OwnerControl()) owner = c->widget();
    if (job.tickets.empty()) return false;
    const int lowest = job.tickets.front().number;
    const int highest = job.tickets.back().number;
    job.first = lowest;
    job.last = highest;

    // Which tickets: all of them, or a range of their numbers. The system dialog's own page range
    // counts pages, which the player does not see before printing.
    if (lowest < highest) {
        QDialog ask(owner);
        ask.setWindowTitle(QStringLiteral("Печать билетов"));
        auto* all = new QRadioButton(QStringLiteral("&Все билеты (%1)").arg(job.tickets.size()), &ask);
        auto* range = new QRadioButton(QStringLiteral("Билеты &с номера"), &ask);
        auto* from = new QSpinBox(&ask);
        auto* to = new QSpinBox(&ask);
        auto* toLabel = new QLabel(QStringLiteral("&по"), &ask);
        for (QSpinBox* s : {from, to})
            s->setRange(lowest, highest);
        from->setValue(lowest);
        to->setValue(highest);
        toLabel->setBuddy(to);
        all->setAccessibleName(all->text().remove(QLatin1Char('&')));
        range->setAccessibleName(QStringLiteral("Билеты с номера по номер"));
        from->setAccessibleName(QStringLiteral("Первый билет"));
        to->setAccessibleName(QStringLiteral("Последний билет"));
        all->setChecked(true);
        auto* group = new QButtonGroup(&ask);
        group->addButton(all);
        group->addButton(range);
        auto pickRange = [range] { range->setChecked(true); };
        QObject::connect(from, &QSpinBox::valueChanged, range, pickRange);
        QObject::connect(to, &QSpinBox::valueChanged, range, pickRange);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Далее..."));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
        QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
        auto* grid = new QGridLayout(&ask);
        grid->addWidget(all, 0, 0, 1, 4);
        grid->addWidget(range, 1, 0);
        grid->addWidget(from, 1, 1);
        grid->addWidget(toLabel, 1, 2);
        grid->addWidget(to, 1, 3);
        grid->addWidget(buttons, 2, 0, 1, 4);
        if (ask.exec() != QDialog::Accepted) return false;
        if (range->isChecked()) {
            job.first = std::min(from->value(), to->value());
            job.last = std::max(from->value(), to->value());
        }
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setColorMode(QPrinter::GrayScale);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Билеты"));
    printer.setCreator(QStringLiteral("Фишкодром"));
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Печать билетов"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!PaintTicketPages(printer, job.chosen())) {
        job.error = printer.outputFileName().isEmpty()
                        ? "принтер не принял задание"
                        : "не удалось записать файл " + printer.outputFileName().toStdString();
        return false;
    }
    return true;
}

bool PrintTickets(PrintJob& job) {
    return CurrentPlatform().print(job);
}

} // namespace qo
