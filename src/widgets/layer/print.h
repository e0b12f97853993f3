#pragma once
// Paper. The layer offers a surface of pages to paint on and the dialogs that choose what to print
// and where: a range of the things the program numbers, then the system's printer (a PDF file
// among its printers). What the pages show and every word the dialogs say are the program's; the
// dialog is the platform's (platform.h), so tests answer it and print into a PDF file.
#include <functional>
#include <string>
#include <string_view>

#include "widgets/layer/colors.h"

class QPagedPaintDevice;
class QPainter;

namespace qo {

class Control;

struct PageRect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct PageFont {
    std::string family; // Windows-1251
    int pixelSize = 1;
    bool bold = false;
};

// The pages being painted, in the device's pixels from the top left of the printable area.
class PageCanvas {
public:
    explicit PageCanvas(QPagedPaintDevice& device);
    ~PageCanvas();
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    double width() const; // of the printable area
    double height() const;
    double pixelsPerMm() const;

    // Starts the first page; false when the device refused. Nothing is painted before.
    bool open();
    bool newPage();
    // Ends the last page; false when the device could not finish (a file not written).
    bool close();

    void fillRect(const PageRect& r, Color color);
    // The outline of `r`, lines `lineWidth` wide.
    void frameRect(const PageRect& r, double lineWidth, Color color);
    // One line of Windows-1251 text in `r`; with `elide`, cut with an ellipsis where it does not fit.
    // horizontal: 0 left, 1 right, 2 centre; vertical: 0 centre, 1 top, 2 bottom.
    void drawText(const PageRect& r, std::string_view text, const PageFont& font, int horizontal,
                  int vertical, Color color, bool elide = false);
    double textWidth(std::string_view text, const PageFont& font) const;

private:
    QPagedPaintDevice& device_;
    QPainter* painter_ = nullptr;
};

// The words of the print dialogs, Windows-1251 (an '&' marks a key).
struct PrintWords {
    std::string documentName; // the print queue's and the file's title
    std::string creator;
    std::string title;     // the dialogs' caption
    std::string all;       // "all of them", with how many
    std::string range;     // "from number", before the first of the range
    std::string to;        // between the first and the last
    std::string rangeName; // what a screen reader calls the range's choice...
    std::string firstName; // ... its first number
    std::string lastName;  // ... and its last
    std::string next;      // the button that goes on to the printer
    std::string cancel;
};

enum class PrintFailure { None, PrinterRefused, FileNotWritten };

struct PrintJob {
    Control* owner = nullptr; // nullptr: the owner window rule
    PrintWords words;
    // The numbers of the things to print; the range asked is within them, and only when they differ.
    int lowest = 0;
    int highest = 0;
    // The numbers chosen; the dialog starts with them all.
    int first = 0;
    int last = 0;
    // Paints the things numbered first…last; false when the device refused.
    std::function<bool(PageCanvas& pages, int first, int last)> paint;
    // Why nothing was printed, when the printer or the file refused; the file's name (UTF-8).
    PrintFailure failure = PrintFailure::None;
    std::string failedFile;
};

// Shows the platform's print dialog for `job`; false when the player cancelled or printing failed
// (then `job.failure` says why).
bool Print(PrintJob& job);

// Paints the job's chosen things into a PDF file of A4 pages (UTF-8 path): what a print to a file
// makes, and what tests read. False, with `job.failure` set, when the file cannot be written.
bool WritePdf(const std::string& pathUtf8, PrintJob& job);

} // namespace qo
