// Ticket files through the ticket's own "Сохранить..." and "Открыть..." buttons: the exact bytes,
// reading back, the numbers line's rules, and what the player is told when a file cannot be written
// or read.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_d9d224.h"
#include "runtime/cp1251.h"
#include "support/controls.h"
#include "support/ui_driver.h"
#include "widgets/layer/messages.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;

constexpr int At(int row, int column) {
    return row * 9 + column;
}

class TicketFile : public ::testing::Test {
protected:
    TicketFile() { ui.newTickets(1); }

    std::string path(const std::string& name) const { return ui.programFolder() + name; }

    void save(const std::string& file) { ui.saveTicket(0, file); }
    void open(const std::string& file) { ui.openTicket(0, file); }
    // Writes the bytes and opens them into the ticket.
    void openBytes(const std::string& bytes) {
        ASSERT_TRUE(writeFile(path("given.tkt"), bytes));
        open(path("given.tkt"));
    }
    void enter(std::initializer_list<const char*> numbers) {
        for (const char* n : numbers)
            ui.typeIntoEntry(0, n);
    }
    std::vector<std::string> row(int r) {
        std::vector<std::string> texts;
        for (int c = 0; c < 9; ++c)
            texts.push_back(ui.cellText(0, At(r, c)));
        return texts;
    }

    UiDriver ui;
};

TEST_F(TicketFile, SavesTheExactBytesOfTheExample) {
    enter({"5", "17", "38", "61", "90"});
    save(path("example.tkt"));
    EXPECT_EQ(readFile(path("example.tkt")), "5;17;38;61;90;\r\n\r\n");

    const auto& dialog = ui.platform().dialogs.back();
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.title, qo::Cp1251("Сохранение"));
    EXPECT_EQ(dialog.filter, qo::Cp1251("Файлы билетов(*.tkt)|*.tkt|Текст|*.txt|Все файлы|*.*"));
    EXPECT_EQ(dialog.options, qo::OFN_DEFAULT);
    EXPECT_EQ(dialog.owner, &ui.mainWindow());
    EXPECT_TRUE(ui.platform().boxes.empty());
}

// The format moves between this build and the Windows one unchanged: Windows-1251, CR LF, no header.
TEST_F(TicketFile, CyrillicNotesSavedAndOpenedByteForByte) {
    enter({"5", "17", "38", "61", "90", "12"});
    ui.cell(0, At(5, 4)).setText("07"); // as a player may type it into a cell
    ui.typeNotes(0, QStringLiteral("Билет №3\nкуплен у Ёжика"));
    save(path("cyr.tkt"));
    const std::string expected =
        "5;17;38;61;90;12;07;\r\n" + qo::Cp1251("Билет №3") + "\r\n" + qo::Cp1251("куплен у Ёжика") + "\r\n";
    EXPECT_EQ(readFile(path("cyr.tkt")), expected);

    UiDriver other;
    other.newTickets(1);
    other.platform().dialogAnswers = {path("cyr.tkt")};
    other.click(0, UiDriver::Button::kOpen);
    EXPECT_EQ(other.notesText(0), qo::Cp1251("Билет №3\r\nкуплен у Ёжика"));
    EXPECT_EQ(other.cellText(0, At(0, 0)), "5");
    EXPECT_EQ(other.cellText(0, At(1, 1)), "12");
    EXPECT_EQ(other.cellText(0, At(1, 0)), "7"); // read as the number it stands for
}

TEST_F(TicketFile, SaveThenOpenRestoresNumbersNotesWithTrailingBreakAndWhiteCells) {
    ui.click(0, UiDriver::Button::kFill);
    const std::vector<std::string> numbers = ui.cellTexts(0);
    ui.typeNotes(0, "first\nsecond\n");
    const std::string notes = ui.notesText(0);
    ASSERT_EQ(notes, "first\r\nsecond\r\n");
    save(path("round.tkt"));

    ui.typeNumber(QString::fromStdString(numbers[At(0, 0)].empty() ? numbers[At(0, 1)] : numbers[At(0, 0)]));
    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(0, UiDriver::Button::kResetNumbers);
    ui.typeNotes(0, "changed");

    open(path("round.tkt"));
    EXPECT_EQ(ui.cellTexts(0), numbers);
    EXPECT_EQ(ui.notesText(0), notes);
    for (int cell = 0; cell < 54; ++cell)
        ASSERT_EQ(ui.cellColor(0, cell), TQOInlineCode_D9D224::kWhite) << cell;
}

// The notes keep their lines as typed: a line the memo wraps is still one line of the file, so a
// ticket does not change shape each time it is saved from a memo of another width.
TEST_F(TicketFile, WrappedNotesLineComesBackAsOneLine) {
    const QString longLine = QStringLiteral("one two three four five six seven eight nine ten eleven twelve");
    ui.typeNotes(0, longLine + QStringLiteral("\nend"));
    ASSERT_GT(ui.ticket(0).notes().memo().lines()->lineCount(), 2) << "the memo no longer wraps the line";
    save(path("wrapped.tkt"));
    EXPECT_EQ(readFile(path("wrapped.tkt")), "\r\n" + longLine.toStdString() + "\r\nend\r\n");

    ui.typeNotes(0, "x");
    open(path("wrapped.tkt"));
    save(path("again.tkt"));
    EXPECT_EQ(readFile(path("again.tkt")), readFile(path("wrapped.tkt")));
}

struct NumbersLineCase {
    const char* name;
    std::string bytes;
    std::vector<std::pair<int, const char*>> cells; // the non-empty cells afterwards
    const char* notes;
};

class TicketFileNumbersLine : public TicketFile, public ::testing::WithParamInterface<NumbersLineCase> {};

TEST_P(TicketFileNumbersLine, PlacesTheNumbersInFileOrder) {
    enter({"33", "44"});
    ui.typeNotes(0, "old notes");
    openBytes(GetParam().bytes);
    std::vector<std::string> expected(54);
    for (const auto& [cell, text] : GetParam().cells)
        expected[static_cast<std::size_t>(cell)] = text;
    EXPECT_EQ(ui.cellTexts(0), expected);
    EXPECT_EQ(ui.notesText(0), GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Ticket, TicketFileNumbersLine,
    ::testing::Values(
        NumbersLineCase{"SixthNumberGoesToTheNextRow",
                        "5;17;38;61;90;12;\r\n\r\n",
                        {{At(0, 0), "5"},
                         {At(0, 1), "17"},
                         {At(0, 3), "38"},
                         {At(0, 6), "61"},
                         {At(0, 8), "90"},
                         {At(1, 1), "12"}},
                        ""},
        NumbersLineCase{"NoFinalSemicolon",
                        "5;17;38\r\nnote\r\n",
                        {{At(0, 0), "5"}, {At(0, 1), "17"}, {At(0, 3), "38"}},
                        "note"},
        NumbersLineCase{"OnlyTheNumbersLineClearsTheNotes", "5;\r\n", {{At(0, 0), "5"}}, ""},
        NumbersLineCase{"NumbersLineWithoutLineEnd", "77", {{At(0, 7), "77"}}, ""},
        // Six numbers meant for one row: every later number moves on by one place.
        NumbersLineCase{"RowOfSixShiftsTheRest",
                        "1;12;23;34;45;56;67;78;89;90;2;\r\n\r\n",
                        {{At(0, 0), "1"},
                         {At(0, 1), "12"},
                         {At(0, 2), "23"},
                         {At(0, 3), "34"},
                         {At(0, 4), "45"},
                         {At(1, 5), "56"},
                         {At(1, 6), "67"},
                         {At(1, 7), "78"},
                         {At(1, 8), "90"},
                         {At(2, 0), "2"}},
                        ""},
        NumbersLineCase{"SkipsWhatIsNoNumberReadsSevenOfSevenA",
                        ";0;95;abc;7a;-3;+8;\r\nx\r\n\r\n",
                        {{At(0, 0), "8"}},
                        "x\r\n"},
        NumbersLineCase{"LoneLineFeedIsPartOfTheLine", "5;\n6;\r\na\nb\r\n", {{At(0, 0), "5"}}, "a\nb"},
        NumbersLineCase{
            "TextEndsAtTheFirstNul", std::string("5;\r\nkept\0lost\r\n", 15), {{At(0, 0), "5"}}, "kept"}),
    [](const auto& info) { return std::string(info.param.name); });

// A save that cannot be written says so, and never leaves half a file or harms an older one.
struct FailedSaveCase {
    const char* name;
    std::string (*target)(const std::string& folder); // prepares the folder, answers the chosen name
    bool oldFile;                                     // a file of that name exists and must survive
};

class TicketFileFailedSave : public TicketFile, public ::testing::WithParamInterface<FailedSaveCase> {};

TEST_P(TicketFileFailedSave, TellsThePlayerAndLeavesTheOldFileAsItWas) {
    const std::string target = GetParam().target(ui.programFolder());
    if (GetParam().oldFile) {
        ASSERT_TRUE(writeFile(target, "old ticket\r\n"));
    }
    enter({"5", "17"});
    save(target);

    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    const auto& box = ui.platform().boxes[0];
    EXPECT_EQ(box.text.rfind(qo::Cp1251("Билет не сохранён."), 0), 0u) << qo::Cp1251ToUtf8(box.text);
    EXPECT_EQ(box.style & qo::MB_TYPEMASK, qo::MB_OK);
    EXPECT_EQ(box.owner, &ui.mainWindow());
    if (GetParam().oldFile) {
        EXPECT_EQ(readFile(target), "old ticket\r\n");
    } else {
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(target)));
    }
    // Nothing written aside is left behind either.
    const QStringList left = QDir(QString::fromStdString(ui.programFolder())).entryList(QDir::Files);
    for (const QString& name : left)
        EXPECT_FALSE(name.contains(QStringLiteral(".tkt."))) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Ticket, TicketFileFailedSave,
    ::testing::Values(
        // Tests run as root, so the folder is made unwritable by its shape, not by permissions.
        FailedSaveCase{"FolderIsARegularFile",
                       [](const std::string& folder) {
                           writeFile(folder + "plain", "not a folder");
                           return folder + "plain/ticket.tkt";
                       },
                       false},
        // The file exists, but nothing can be written beside it: its name leaves no room for the
        // name of a file written aside.
        FailedSaveCase{"NoRoomBesideTheOldFile",
                       [](const std::string& folder) { return folder + std::string(250, 'x') + ".tkt"; },
                       true},
        FailedSaveCase{"ReadOnlyFileSystem",
                       [](const std::string&) { return std::string("/proc/ticket.tkt"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TicketFile, OpenOfAFileThatCannotBeReadLeavesTheTicketAndSaysSo) {
    enter({"5", "17"});
    ui.typeNotes(0, "mine");
    ui.typeNumber("5");
    const std::vector<std::string> numbers = ui.cellTexts(0);

    for (const std::string& unreadable : {path("missing.tkt"), ui.programFolder(), path("empty.tkt")}) {
        if (unreadable == path("empty.tkt")) writeFile(unreadable, "");
        ui.platform().boxes.clear();
        open(unreadable);
        ASSERT_EQ(ui.platform().boxes.size(), 1u) << unreadable;
        EXPECT_EQ(ui.platform().boxes[0].caption, qo::Cp1251("Открытие"));
        EXPECT_EQ(ui.cellTexts(0), numbers);
        EXPECT_EQ(ui.cellColor(0, 0), TQOInlineCode_D9D224::kRed);
        EXPECT_EQ(ui.notesText(0), "mine");
    }
}

TEST_F(TicketFile, CancellingEitherDialogDoesNothing) {
    enter({"5"});
    ui.platform().dialogAnswers = {""};
    ui.click(0, UiDriver::Button::kSave);
    ui.platform().dialogAnswers = {""};
    ui.click(0, UiDriver::Button::kOpen);
    EXPECT_EQ(ui.cellText(0, 0), "5");
    EXPECT_TRUE(ui.platform().boxes.empty());
    ASSERT_EQ(ui.platform().dialogs.size(), 2u);
    EXPECT_EQ(ui.platform().dialogs[1].title, qo::Cp1251("Открытие"));
    EXPECT_FALSE(ui.platform().dialogs[1].save);
}

} // namespace
} // namespace qotest
