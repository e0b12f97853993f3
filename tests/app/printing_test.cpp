// "Печать билетов...": the tickets printed into a PDF file through the print dialog's answers, then
// read back with poppler's pdftotext as a person reading the paper would.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "app/class_main_form_d80004.h"
#include "app/inline_code_printing.h"
#include "app/ticket_page.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/messages.h"
#include "widgets/menu_element.h"

namespace qotest {
namespace {

constexpr const char* kPrintItem = "Печать билетов...";
constexpr const char* kFillAll = "Заполнить все";

// The PDF's text, one entry per page; empty when pdftotext is missing.
std::vector<QString> PagesOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return {pages.begin(), pages.end()};
}

bool HaveTool(const char* name) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

// A page read as a player would: the tickets headed on it, and every other number it shows.
struct ReadPage {
    std::set<int> tickets;
    std::multiset<int> numbers;
};

ReadPage Read(const QString& page) {
    ReadPage r;
    static const QRegularExpression heading(QStringLiteral("Билет\\s+(\\d+)"));
    QString rest = page;
    for (auto m = heading.globalMatch(page); m.hasNext();) {
        const auto match = m.next();
        r.tickets.insert(match.captured(1).toInt());
        rest.replace(match.captured(0), QStringLiteral(" "));
    }
    static const QRegularExpression number(QStringLiteral("\\b(\\d{1,2})\\b"));
    for (auto m = number.globalMatch(rest); m.hasNext();)
        r.numbers.insert(m.next().captured(1).toInt());
    return r;
}

std::multiset<int> NumbersOf(UiDriver& ui, int position) {
    std::multiset<int> out;
    for (const std::string& t : ui.cellTexts(position)) {
        if (!t.empty()) out.insert(std::stoi(t));
    }
    return out;
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(dir_.isValid());
    }
    std::string pdf(const char* name) const { return dir_.filePath(QString::fromUtf8(name)).toStdString(); }
    QTemporaryDir dir_;
};

TEST_F(PrintingTest, EveryTicketWholeOnOnePageWithItsNumbersAndNote) {
    UiDriver ui;
    ui.newTickets(5);
    ui.chooseMenu(kFillAll);
    ui.typeNotes(2, QStringLiteral("Бабушка\nв синей кофте"));
    ui.typeNumber(QString::number(*NumbersOf(ui, 0).begin())); // a called cell prints shaded, number kept
    ui.platform().printAnswers.push_back({0, 0, pdf("all.pdf")});
    ui.chooseMenu(kPrintItem);

    ASSERT_EQ(ui.platform().printJobs.size(), 1u);
    EXPECT_EQ(ui.platform().printJobs[0].lowest, 1);
    EXPECT_EQ(ui.platform().printJobs[0].highest, 5);
    EXPECT_TRUE(ui.platform().boxes.empty());
    const std::vector<QString> pages = PagesOf(QString::fromStdString(pdf("all.pdf")));
    const int perPage = lotto::TicketsPerPage(190, 277);
    ASSERT_GE(perPage, 2);
    ASSERT_EQ(static_cast<int>(pages.size()), (5 + perPage - 1) / perPage);

    std::map<int, int> pageOf;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const ReadPage read = Read(pages[p]);
        EXPECT_GE(read.tickets.size(), 1u);
        std::multiset<int> expected;
        for (const int t : read.tickets) {
            EXPECT_TRUE(pageOf.emplace(t, static_cast<int>(p)).second) << "ticket " << t << " headed twice";
            const std::multiset<int> own = NumbersOf(ui, t - 1);
            expected.insert(own.begin(), own.end());
        }
        // Every number on the page belongs to a ticket headed there, and all of theirs are there.
        EXPECT_EQ(read.numbers, expected) << "page " << p + 1;
    }
    EXPECT_EQ(pageOf.size(), 5u);
    EXPECT_TRUE(pages[pageOf.at(3)].contains(QStringLiteral("Бабушка")));
    EXPECT_FALSE(pages[pageOf.at(3)].contains(QStringLiteral("кофте")));
}

TEST_F(PrintingTest, RangeOfTicketNumbersPrintsOnlyThose) {
    UiDriver ui;
    ui.newTickets(4);
    ui.chooseMenu(kFillAll);
    ui.platform().printAnswers.push_back({2, 3, pdf("range.pdf")});
    ui.chooseMenu(kPrintItem);
    const std::vector<QString> pages = PagesOf(QString::fromStdString(pdf("range.pdf")));
    std::set<int> printed;
    for (const QString& page : pages) {
        const std::set<int> t = Read(page).tickets;
        printed.insert(t.begin(), t.end());
    }
    EXPECT_EQ(printed, (std::set<int>{2, 3}));
}

TEST_F(PrintingTest, NothingToPrintIsToldAndCancelIsQuiet) {
    UiDriver ui;
    ui.chooseMenu(kPrintItem);
    EXPECT_TRUE(ui.platform().printJobs.empty());
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].text, qo::Cp1251("Билетов нет: печатать нечего."));

    ui.newTickets(1);
    ui.chooseMenu(kPrintItem); // the dialog cancelled
    EXPECT_EQ(ui.platform().printJobs.size(), 1u);
    EXPECT_EQ(ui.platform().boxes.size(), 1u);
}

TEST_F(PrintingTest, UnwritableFileIsTold) {
    UiDriver ui;
    ui.newTickets(1);
    ui.platform().printAnswers.push_back({0, 0, pdf("no such folder/x.pdf")});
    ui.chooseMenu(kPrintItem);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].text.rfind(qo::Cp1251("Билеты не напечатаны."), 0), 0u);
}

// A page rendered to a picture shows ink: the painting reached the page, not only its text. With
// QO_PRINT_PICTURE set, the picture is kept there (the README's printed page).
TEST_F(PrintingTest, PageRendersToAPicture) {
    if (!HaveTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    UiDriver ui;
    ui.newTickets(2);
    ui.chooseMenu(kFillAll);
    ui.typeNotes(0, QStringLiteral("Дедушка"));
    ui.typeNotes(1, QStringLiteral("Внучка"));
    ui.platform().printAnswers.push_back({0, 0, pdf("page.pdf")});
    ui.chooseMenu(kPrintItem);
    const QString prefix = dir_.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
             QString::fromStdString(pdf("page.pdf")), prefix});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0);
    const QString png = prefix + QStringLiteral(".png");
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            dark += qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 200);
    const QByteArray keep = qgetenv("QO_PRINT_PICTURE");
    if (!keep.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(keep));
        EXPECT_TRUE(QFile::copy(png, QString::fromLocal8Bit(keep)));
    }
}

TEST(TicketsPerPage, TwoOrMoreWhateverThePaper) {
    EXPECT_EQ(lotto::TicketsPerPage(190, 277), 2); // A4 upright
    EXPECT_EQ(lotto::TicketsPerPage(277, 190), 2); // A4 on its side
    EXPECT_GE(lotto::TicketsPerPage(190, 460), 3); // long paper takes more
    EXPECT_EQ(lotto::TicketsPerPage(100, 100), 2); // small paper: smaller cells, still two
}

} // namespace
} // namespace qotest
