// The "Ход игры" window: who completed what, newest first, the 1–90 board, and taking the last
// move back from its button; brought up to date as the game changes, and kept with the game.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_game_log.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/layer/control.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"
#include "widgets/panel.h"

namespace qotest {
namespace {

constexpr int kGameLogItem = 10; // "Ход игры", after the game's own items

// Ticket 1's first row and ticket 2's first row share 61; ticket 1 also holds 44 in its second.
std::unique_ptr<UiDriver> TwoTickets(UiDriver::Options o = {}) {
    auto ui = std::make_unique<UiDriver>(std::move(o));
    ui->newTickets(2);
    for (const char* n : {"5", "17", "38", "61", "90", "44"})
        ui->typeIntoEntry(0, n);
    for (const char* n : {"1", "12", "23", "34", "61"})
        ui->typeIntoEntry(1, n);
    return ui;
}

void Call(UiDriver& ui, std::initializer_list<const char*> numbers) {
    for (const char* n : numbers)
        ui.typeNumber(n);
}

std::string LogText(UiDriver& ui) {
    return qo::Cp1251ToUtf8(ui.gameLog().controls().log->control()->text());
}

std::string Numbers(const std::bitset<91>& set) {
    std::string s;
    for (int n = 1; n <= 90; ++n) {
        if (set[static_cast<std::size_t>(n)]) s += std::to_string(n) + " ";
    }
    return s;
}

// Rows are named on their card, as on paper: the second card's first row is its row 1, not
// the ticket's row 4, in the log and in "Жду" alike.
TEST(GameLog, NamesARowOfTheSecondCardByItsCard) {
    UiDriver ui;
    ui.newTickets(1);
    const char* row4[] = {"2", "13", "24", "35", "46"};
    for (int cell = 0; cell < 5; ++cell)
        ui.typeIntoCell(0, 27 + cell, row4[cell]); // card 2, row 1, columns 1 to 5
    Call(ui, {"2", "13", "24", "35"});
    EXPECT_NE(qo::Cp1251ToUtf8(ui.gameLog().controls().waiting->control()->text())
                  .find("46 — билет 1, карточка 2, ряд 1"),
              std::string::npos);
    Call(ui, {"46"});
    EXPECT_EQ(LogText(ui), "Ход 5 (46): билет 1, карточка 2, ряд 1\r\n");
}

TEST(GameLog, TellsWhoCompletedWhatNewestFirstAndFollowsEveryChange) {
    auto ui = TwoTickets();
    // Called while the window is hidden: it catches up when shown.
    Call(*ui, {"5", "17", "38", "90", "1", "12", "23", "34", "61"});
    EXPECT_EQ(LogText(*ui),
              "Ход 9 (61): билет 1, карточка 1, ряд 1\r\nХод 9 (61): билет 2, карточка 1, ряд 1\r\n");
    const lotto::Board& board = ui->gameLog().code().board();
    EXPECT_EQ(board.last, 61);
    EXPECT_EQ(Numbers(board.called), "1 5 12 17 23 34 38 61 90 ");
    EXPECT_EQ(Numbers(board.onTicket), "1 5 12 17 23 34 38 44 61 90 ");
    EXPECT_EQ(qo::Cp1251ToUtf8(ui->gameLog().controls().last->control()->text()), "61");

    // While shown, it follows: a call that completes nothing, a ticket's cell typed into.
    Call(*ui, {"77"});
    ui->typeIntoCell(1, 9 + 7, QStringLiteral("77"));
    EXPECT_EQ(ui->gameLog().code().board().last, 77);
    EXPECT_TRUE(ui->gameLog().code().board().onTicket[77]);
    EXPECT_EQ(LogText(*ui),
              "Ход 9 (61): билет 1, карточка 1, ряд 1\r\nХод 9 (61): билет 2, карточка 1, ряд 1\r\n");

    // A removed move takes its completions with it, and the later moves move up a place.
    ui->removeMove(1); // 17
    EXPECT_EQ(LogText(*ui), "Ход 8 (61): билет 2, карточка 1, ряд 1\r\n");
    Call(*ui, {"17"});
    EXPECT_EQ(LogText(*ui),
              "Ход 10 (17): билет 1, карточка 1, ряд 1\r\nХод 8 (61): билет 2, карточка 1, ряд 1\r\n");

    // Whitened or gone, a ticket's lines go; the one behind takes its number.
    ui->platform().boxAnswers.push_back(qo::IDYES);
    ui->click(0, UiDriver::Button::kDelete);
    EXPECT_EQ(LogText(*ui), "Ход 8 (61): билет 1, карточка 1, ряд 1\r\n");
    EXPECT_FALSE(ui->gameLog().code().board().onTicket[5]);
    ui->platform().boxAnswers.push_back(qo::IDYES);
    ui->click(0, UiDriver::Button::kResetColours);
    EXPECT_EQ(LogText(*ui), "");
}

TEST(GameLog, WaitingListsWhatEachNumberWouldDoMostFirst) {
    auto ui = TwoTickets();
    auto waiting = [&ui] { return qo::Cp1251ToUtf8(ui->gameLog().controls().waiting->control()->text()); };
    Call(*ui, {"5", "17", "1", "12"});
    EXPECT_EQ(waiting(), "");
    Call(*ui, {"38", "23"}); // each row three short of five: two numbers would leave one
    EXPECT_EQ(
        waiting(),
        "61 — билет 1, карточка 1, ряд 1: останется одно; билет 2, карточка 1, ряд 1: останется одно\r\n"
        "34 — билет 2, карточка 1, ряд 1: останется одно\r\n"
        "90 — билет 1, карточка 1, ряд 1: останется одно\r\n");
    Call(*ui, {"90"}); // 61 now completes ticket 1's row, and leaves ticket 2's one short
    EXPECT_EQ(waiting(), "61 — билет 1, карточка 1, ряд 1; билет 2, карточка 1, ряд 1: останется одно\r\n"
                         "34 — билет 2, карточка 1, ряд 1: останется одно\r\n");
}

TEST(GameLog, ItsButtonTakesTheLastMoveBackAndTheWindowSpeaks) {
    auto ui = TwoTickets();
    Call(*ui, {"5", "17", "38", "90", "61"});
    auto& window = ui->gameLog();
    ASSERT_TRUE(window.controls().form->control()->visible());
    EXPECT_EQ(qo::Cp1251ToUtf8(window.controls().form->control()->text()), "Ход игры");

    QTest::mouseClick(window.controls().undo->control()->widget(), Qt::LeftButton);
    EXPECT_EQ(ui->gameScheme().controls().calledNumbers->control()->text(), "5\r\n17\r\n38\r\n90\r\n");
    EXPECT_EQ(ui->cellColor(0, 6), lotto::TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(LogText(*ui), "");
    EXPECT_EQ(ui->gameLog().code().board().last, 90);

    // What a screen reader hears of the board and the log.
    const qo::Control& board = *window.controls().board->control();
    EXPECT_EQ(qo::Cp1251ToUtf8(board.accessibleName()), "Поле чисел от 1 до 90");
    EXPECT_EQ(qo::Cp1251ToUtf8(board.accessibleDescription()), "Последнее число 90. Названы: 5, 17, 38, 90.");
    EXPECT_FALSE(window.controls().log->control()->accessibleName().empty());
}

// The last number shown need not be the last move: a number called again is no new move. The
// button names the move it takes back, and Ctrl+Z in the number box takes back that same one.
TEST(GameLog, TheButtonNamesTheMoveItTakesBack) {
    auto ui = TwoTickets();
    auto& window = ui->gameLog();
    const auto caption = [&] { return qo::Cp1251ToUtf8(window.controls().undo->control()->text()); };
    const auto moves = [&] { return ui->gameScheme().controls().calledNumbers->control()->text(); };
    ASSERT_TRUE(window.controls().form->control()->visible());
    EXPECT_EQ(caption(), "&Отменить ход");
    Call(*ui, {"88", "70", "88"});
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(window.code().board().last, 88);
    EXPECT_EQ(caption(), "&Отменить ход 70");

    QTest::mouseClick(window.controls().undo->control()->widget(), Qt::LeftButton);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(moves(), "88\r\n");
    EXPECT_EQ(caption(), "&Отменить ход 88");
    ui->undoInNumberBox();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(moves(), "");
    EXPECT_EQ(caption(), "&Отменить ход");
}

TEST(GameLog, TheKeptGameBringsTheLogBack) {
    QTemporaryDir data;
    UiDriver::Options o;
    o.dataFolder = data.path().toStdString() + "/";
    std::string before;
    {
        auto ui = TwoTickets(o);
        Call(*ui, {"5", "17", "38", "90", "61", "1", "12", "23", "34"});
        before = LogText(*ui);
        ASSERT_EQ(before,
                  "Ход 9 (34): билет 2, карточка 1, ряд 1\r\nХод 5 (61): билет 1, карточка 1, ряд 1\r\n");
        ui->close();
    }
    UiDriver again(o);
    again.chooseMenu("Вернуть прошлую игру");
    EXPECT_EQ(LogText(again), before);
    EXPECT_EQ(again.gameLog().code().board().last, 34);
}

} // namespace
} // namespace qotest
