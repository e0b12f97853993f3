// Paper: the pages painted through a toolkit painter, the PDF file tests read, and the toolkit's
// dialogs that ask which of the numbered things and which printer.
#include "widgets/layer/print.h"

#include "widgets/layer/encoding.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/print_pages.h"
#include "widgets/layer/style_cache.h"
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

namespace qo {
namespace {

QRectF ToQRectF(const PageRect& r) {
    return {r.left, r.top, r.width, r.height};
}

QFont ToQFont(const PageFont& f) {
    QFont font(ToQString(f.family));
    font.setPixelSize(f.pixelSize);
    font.setBold(f.bold);
    return font;
}

Qt::Alignment AlignmentOf(int horizontal, int vertical) {
    const Qt::Alignment h = horizontal == 2   ? Qt::AlignHCenter
                            : horizontal == 1 ? Qt::AlignRight
                                              : Qt::AlignLeft;
    const Qt::Alignment v = vertical == 1 ? Qt::AlignTop : vertical == 2 ? Qt::AlignBottom : Qt::AlignVCenter;
    return h | v;
}

bool PaintPages(QPagedPaintDevice& device, PrintJob& job) {
    if (!job.paint) return false;
    PageCanvas pages(device);
    return job.paint(pages, job.first, job.last);
}

} // namespace

PageCanvas::PageCanvas(QPagedPaintDevice& device) : device_(device) {}

PageCanvas::~PageCanvas() {
    delete painter_;
}

double PageCanvas::width() const {
    return device_.pageLayout().paintRectPixels(device_.logicalDpiX()).width();
}

double PageCanvas::height() const {
    return device_.pageLayout().paintRectPixels(device_.logicalDpiX()).height();
}

double PageCanvas::pixelsPerMm() const {
    return device_.logicalDpiX() / 25.4;
}

bool PageCanvas::open() {
    if (!painter_) painter_ = new QPainter;
    if (!painter_->begin(&device_)) return false;
    painter_->setRenderHint(QPainter::Antialiasing);
    return true;
}

bool PageCanvas::newPage() {
    return device_.newPage();
}

bool PageCanvas::close() {
    return painter_ && painter_->end();
}

void PageCanvas::fillRect(const PageRect& r, Color color) {
    painter_->fillRect(ToQRectF(r), ToQColor(color));
}

void PageCanvas::frameRect(const PageRect& r, double lineWidth, Color color) {
    painter_->setPen(QPen(ToQColor(color), lineWidth));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(ToQRectF(r));
}

void PageCanvas::drawText(const PageRect& r, std::string_view text, const PageFont& font, int horizontal,
                          int vertical, Color color, bool elide) {
    const QFont f = ToQFont(font);
    const QColor c = ToQColor(color);
    if (painter_->pen().color() != c) painter_->setPen(QPen(c, painter_->pen().widthF()));
    painter_->setFont(f);
    QString shown = ToQString(text);
    if (elide) shown = QFontMetricsF(f).elidedText(shown, Qt::ElideRight, r.width);
    painter_->drawText(ToQRectF(r), AlignmentOf(horizontal, vertical), shown);
}

double PageCanvas::textWidth(std::string_view text, const PageFont& font) const {
    return QFontMetricsF(ToQFont(font)).horizontalAdvance(ToQString(text));
}

bool WritePdf(const std::string& pathUtf8, PrintJob& job) {
    QPdfWriter writer(QString::fromStdString(pathUtf8));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator(ToQString(job.words.creator));
    writer.setTitle(ToQString(job.words.documentName));
    const bool ok = PaintPages(writer, job);
    if (!ok) {
        job.failure = PrintFailure::FileNotWritten;
        job.failedFile.clear();
    }
    return ok;
}

bool PrintThroughDialog(PrintJob& job) {
    QWidget* owner = nullptr;
    if (Control* c = job.owner ? job.owner : OwnerControl()) owner = c->widget();
    const PrintWords& words = job.words;
    const int lowest = job.lowest;
    const int highest = job.highest;
    job.first = lowest;
    job.last = highest;

    // Which of them: all, or a range of their numbers. The system dialog's own page range counts
    // pages, which the player does not see before printing.
    if (lowest < highest) {
        QDialog ask(owner);
        ask.setWindowTitle(ToQString(words.title));
        auto* all = new QRadioButton(ToQString(words.all), &ask);
        auto* range = new QRadioButton(ToQString(words.range), &ask);
        auto* from = new QSpinBox(&ask);
        auto* to = new QSpinBox(&ask);
        auto* toLabel = new QLabel(ToQString(words.to), &ask);
        for (QSpinBox* s : {from, to})
            s->setRange(lowest, highest);
        from->setValue(lowest);
        to->setValue(highest);
        toLabel->setBuddy(to);
        all->setAccessibleName(all->text().remove(QLatin1Char('&')));
        range->setAccessibleName(ToQString(words.rangeName));
        from->setAccessibleName(ToQString(words.firstName));
        to->setAccessibleName(ToQString(words.lastName));
        all->setChecked(true);
        auto* group = new QButtonGroup(&ask);
        group->addButton(all);
        group->addButton(range);
        auto pickRange = [range] { range->setChecked(true); };
        QObject::connect(from, &QSpinBox::valueChanged, range, pickRange);
        QObject::connect(to, &QSpinBox::valueChanged, range, pickRange);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
        buttons->button(QDialogButtonBox::Ok)->setText(ToQString(words.next));
        buttons->button(QDialogButtonBox::Cancel)->setText(ToQString(words.cancel));
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
    printer.setDocName(ToQString(words.documentName));
    printer.setCreator(ToQString(words.creator));
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(ToQString(words.title));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!PaintPages(printer, job)) {
        job.failure =
            printer.outputFileName().isEmpty() ? PrintFailure::PrinterRefused : PrintFailure::FileNotWritten;
        job.failedFile = printer.outputFileName().toStdString();
        return false;
    }
    return true;
}

bool Print(PrintJob& job) {
    return CurrentPlatform().print(job);
}

} // namespace qo
