// Ticket files given to the program as it starts (a double-click in a file manager): each opens
// into a new ticket just as "Открыть..." would open it, a file it cannot read is told about in the
// same words, and the program runs on with its window either way.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_kept_game.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "widgets/layer/messages.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;

constexpr int At(int row, int column) {
    return row * 9 + column;
}

class TicketArgument : public ::testing::Test {
public: // the cases of a table make their files through it too
    // Files live outside any program folder, as a player's would.
    std::string write(const std::string& nameUtf8, const std::string& bytes) {
        const std::string path = files.path().toStdString() + "/" + nameUtf8;
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    static UiDriver::Options Given(std::vector<std::string> arguments) {
        UiDriver::Options o;
        o.arguments = std::move(arguments);
        return o;
    }

    QTemporaryDir files;
};

TEST_F(TicketArgument, OpensIntoANewTicketWithItsNumbersAndNotes) {
    const std::string path = write("Бабушкин билет.tkt", "5;17;38;61;90;12;\r\n" + qo::Cp1251("Билет №3") +
                                                             "\r\n" + qo::Cp1251("куплен у Ёжика") + "\r\n");
    UiDriver ui(Given({path}));
    ASSERT_EQ(ui.ticketCount(), 1);
    EXPECT_TRUE(ui.platform().boxes.empty());
    std::vector<std::string> expected(54);
    expected[At(0, 0)] = "5";
    expected[At(0, 1)] = "17";
    expected[At(0, 3)] = "38";
    expected[At(0, 6)] = "61";
    expected[At(0, 8)] = "90";
    expected[At(1, 1)] = "12";
    EXPECT_EQ(ui.cellTexts(0), expected);
    EXPECT_EQ(ui.notesText(0), qo::Cp1251("Билет №3\r\nкуплен у Ёжика"));
    EXPECT_EQ(ui.ticket(0).number(), 1) << "numbered as a ticket the menu makes";

    // A ticket of the game like any other: a called number marks it, and the entry box goes on
    // after the file's sixth number.
    ui.typeNumber("17");
    EXPECT_EQ(ui.cellColor(0, At(0, 1)), TQOInlineCode_D9D224::kRed);
    ui.typeIntoEntry(0, "33");
    EXPECT_EQ(ui.cellText(0, At(1, 3)), "33");
}

// Whatever the file holds, the ticket it makes at start is the one "Открыть..." makes of it.
class TicketArgumentReadsAsOpen : public TicketArgument, public ::testing::WithParamInterface<std::string> {};

TEST_P(TicketArgumentReadsAsOpen, SameCellsAndNotes) {
    const std::string path = write("given.tkt", GetParam());
    UiDriver opened;
    opened.newTickets(1);
    opened.openTicket(0, path);
    UiDriver given(Given({path}));
    ASSERT_EQ(given.ticketCount(), 1);
    EXPECT_EQ(given.cellTexts(0), opened.cellTexts(0));
    EXPECT_EQ(given.notesText(0), opened.notesText(0));
    EXPECT_EQ(given.logic(0).fillPosition(), opened.logic(0).fillPosition());
}

INSTANTIATE_TEST_SUITE_P(Ticket, TicketArgumentReadsAsOpen,
                         ::testing::Values(std::string("5;17;38;61;90;\r\n\r\n"),
                                           std::string(";0;95;abc;7a;-3;+8;\r\nx\r\n\r\n"),
                                           std::string("1;12;23;34;45;56;67;78;89;90;2;\r\n"),
                                           std::string("77"), std::string("5;\n6;\r\na\nb\r\n"),
                                           std::string("5;\r\nkept\0lost\r\n", 15),
                                           // 31 numbers: the last finds no place.
                                           [] {
                                               std::string s;
                                               for (int i = 0; i < 31; ++i)
                                                   s += std::to_string(1 + (i * 7) % 89) + ";";
                                               return s + "\r\n";
                                           }()));

struct UnreadableCase {
    const char* name;
    std::string (*make)(TicketArgument& t); // answers the path
};

class TicketArgumentUnreadable : public TicketArgument,
                                 public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(TicketArgumentUnreadable, SaysWhatOpenSaysAndTheProgramRunsOn) {
    const std::string path = GetParam().make(*this);

    UiDriver opened;
    opened.newTickets(1);
    opened.openTicket(0, path);
    ASSERT_EQ(opened.platform().boxes.size(), 1u);
    const ShownBox& told = opened.platform().boxes[0];

    UiDriver given(Given({path}));
    ASSERT_EQ(given.platform().boxes.size(), 1u);
    const ShownBox& box = given.platform().boxes[0];
    EXPECT_EQ(box.text, told.text) << qo::Cp1251ToUtf8(box.text);
    EXPECT_EQ(box.caption, told.caption);
    EXPECT_EQ(box.style, told.style);
    EXPECT_EQ(box.owner, &given.mainWindow());

    EXPECT_TRUE(given.mainWindow().widget()->isVisible());
    EXPECT_EQ(given.ticketCount(), 0) << "no empty ticket is left for a file that was not read";
    given.newTickets(1);
    given.typeIntoEntry(0, "5");
    EXPECT_EQ(given.cellText(0, 0), "5");
}

INSTANTIATE_TEST_SUITE_P(
    Ticket, TicketArgumentUnreadable,
    ::testing::Values(
        UnreadableCase{"Missing",
                       [](TicketArgument& t) { return t.files.path().toStdString() + "/нет такого.tkt"; }},
        UnreadableCase{"OverOneMegabyte",
                       [](TicketArgument& t) {
                           return t.write("large.tkt", "5;\r\n" + std::string((1 << 20) - 3, 'x'));
                       }},
        UnreadableCase{"Empty", [](TicketArgument& t) { return t.write("empty.tkt", ""); }},
        UnreadableCase{"AFolder", [](TicketArgument& t) { return t.files.path().toStdString(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TicketArgument, SeveralFilesOpenInOrderSkippingOneThatCannotBeRead) {
    const std::string first = write("1.tkt", "5;\r\none\r\n");
    const std::string second = write("2.tkt", "7;\r\ntwo\r\n");
    // "/ih" anywhere but first as typed is the program's switch, never a file: not told about.
    UiDriver ui(Given({first, write("empty.tkt", ""), "/ih", second}));
    ASSERT_EQ(ui.ticketCount(), 2);
    EXPECT_EQ(ui.cellText(0, 0), "5");
    EXPECT_EQ(ui.notesText(0), "one");
    EXPECT_EQ(ui.cellText(1, 0), "7");
    EXPECT_EQ(ui.notesText(1), "two");
    EXPECT_EQ(ui.ticket(1).number(), 2);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].text.rfind(qo::Cp1251("Файл пуст"), 0), 0u);
}

// What reads as a switch and names no file starts the program as if it were not there.
class TicketArgumentSwitch : public TicketArgument,
                             public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(TicketArgumentSwitch, StartsTheProgramSilently) {
    UiDriver ui(Given(GetParam()));
    EXPECT_TRUE(ui.mainWindow().widget()->isVisible());
    EXPECT_TRUE(ui.platform().boxes.empty()) << qo::Cp1251ToUtf8(ui.platform().boxes.at(0).text);
    EXPECT_EQ(ui.ticketCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ticket, TicketArgumentSwitch,
                         ::testing::Values(std::vector<std::string>{"/IH"}, std::vector<std::string>{"/Ih"},
                                           std::vector<std::string>{"-reverse", "/ih"},
                                           std::vector<std::string>{"-x"}, std::vector<std::string>{"--help"},
                                           std::vector<std::string>{"--no-sound", "/ih", "-IH"}));

TEST_F(TicketArgument, WhatDoesNotReadAsASwitchIsStillAFileAndTold) {
    // A folder part, a digit, a marker alone: paths, even when they name nothing.
    for (const std::string& path : {std::string("/tmp/IH"), std::string("-5"), std::string("/"),
                                    std::string("-"), std::string("./-x")}) {
        UiDriver ui(Given({path}));
        EXPECT_EQ(ui.platform().boxes.size(), 1u) << path;
    }
    // And a file of such a name, where there is one, opens.
    write("-x", "5;\r\n");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(files.path()));
    UiDriver ui(Given({"-x"}));
    QDir::setCurrent(before);
    EXPECT_EQ(ui.ticketCount(), 1);
}

// Putting the last game back replaces every ticket in the list: a file given at the same start
// must still be there afterwards, after the game's tickets.
TEST_F(TicketArgument, OpensAfterTheOfferedGameIsPutBack) {
    QTemporaryDir data;
    UiDriver::Options o;
    o.dataFolder = data.path().toStdString() + "/";
    const std::string kept = o.dataFolder + lotto::TQOInlineCode_KeptGame::kFileName;
    std::string crashed;
    {
        UiDriver before(o);
        before.newTickets(2);
        before.typeIntoEntry(1, "44");
        ASSERT_TRUE(before.keptGame().WriteNow());
        crashed = readFile(kept); // what a killed run leaves
    }
    ASSERT_TRUE(writeFile(kept, crashed));

    o.startAnswers = {qo::IDYES};
    o.arguments = {write("given.tkt", "9;\r\n")};
    UiDriver ui(o);
    ASSERT_EQ(ui.platform().boxes.size(), 1u) << "the offer, and nothing about the file";
    ASSERT_EQ(ui.ticketCount(), 3);
    EXPECT_EQ(ui.cellText(1, At(0, 4)), "44");
    EXPECT_EQ(ui.cellText(2, 0), "9");
    EXPECT_EQ(ui.ticket(2).number(), 3);
}

} // namespace
} // namespace qotest
