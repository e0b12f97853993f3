// What a screen reader hears in the program, read through the toolkit's accessibility interface
// as an assistive tool would: a cell names its ticket, card, row and column, its number and what
// its colour means, and keeps the right ticket number as tickets come and go; buttons speak their
// captions; the boxes and lists of both windows say what they hold; and no control is left unnamed.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/messages.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

using Button = UiDriver::Button;

QString Spoken(qo::Control& c, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c.widget());
    return i ? i->text(what) : QStringLiteral("<no interface>");
}

QString Spoken(qo::TQOWin* element) {
    return element && element->control() ? Spoken(*element->control()) : QStringLiteral("<gone>");
}

// Cell index of card k (0, 1), row r (0…2) within the card, column c (0…8).
constexpr int Cell(int card, int row, int column) {
    return card * 27 + row * 9 + column;
}

TEST(Accessibility, CellSaysWhereItIsWhatItHoldsAndWhatItsColourMeans) {
    UiDriver ui;
    ui.newTickets(2);
    qo::Control& cell = ui.cell(1, Cell(1, 1, 6));
    EXPECT_EQ(Spoken(cell), QStringLiteral("Билет 2, карточка 2, ряд 2, столбец 7, пусто"));
    ui.typeIntoCell(1, Cell(1, 1, 6), "64");
    EXPECT_EQ(Spoken(cell), QStringLiteral("Билет 2, карточка 2, ряд 2, столбец 7, число 64"));
    ui.typeNumber("64");
    EXPECT_EQ(Spoken(cell), QStringLiteral("Билет 2, карточка 2, ряд 2, столбец 7, число 64, выпало"));

    // A whole row called: every cell of it says so, the empty ones too.
    for (const char* n : {"5", "17", "38", "61", "90"})
        ui.typeIntoEntry(0, n);
    for (const char* n : {"5", "17", "38", "61", "90"})
        ui.typeNumber(n);
    EXPECT_EQ(Spoken(ui.cell(0, Cell(0, 0, 0))),
              QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 1, число 5, ряд собран"));
    EXPECT_EQ(Spoken(ui.cell(0, Cell(0, 0, 2))),
              QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 3, пусто, ряд собран"));

    // Colours and numbers reset: the names go back to plain.
    ui.platform().boxAnswers = {qo::IDYES, qo::IDYES};
    ui.click(0, Button::kResetColours);
    EXPECT_EQ(Spoken(ui.cell(0, Cell(0, 0, 0))),
              QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 1, число 5"));
    ui.click(0, Button::kResetNumbers);
    EXPECT_EQ(Spoken(ui.cell(0, Cell(0, 0, 0))),
              QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 1, пусто"));
}

// The number a ticket is spoken with is its place in the list, which changes under it when a
// ticket before it goes; a name fixed at creation would send the player to the wrong ticket.
TEST(Accessibility, DeletingATicketRenumbersTheTicketsBehindIt) {
    UiDriver ui;
    ui.newTickets(3);
    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(0, Button::kDelete);
    waitUntil([&] { return ui.ticketCount() == 2; });
    ASSERT_EQ(ui.ticketCount(), 2);
    EXPECT_EQ(Spoken(ui.cell(0, Cell(0, 0, 0))),
              QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 1, пусто"));
    EXPECT_EQ(Spoken(ui.cell(1, Cell(1, 2, 8))),
              QStringLiteral("Билет 2, карточка 2, ряд 3, столбец 9, пусто"));
    EXPECT_EQ(Spoken(&ui.ticket(1).body().button(Button::kDelete)), QStringLiteral("Удалить билет 2"));
    EXPECT_EQ(Spoken(ui.ticketPanel(1)), QStringLiteral("Билет 2"));

    ui.newTickets(1);
    EXPECT_EQ(Spoken(ui.cell(2, 0)), QStringLiteral("Билет 3, карточка 1, ряд 1, столбец 1, пусто"));

    ui.platform().boxAnswers = {qo::IDYES};
    ui.chooseMenu("Удалить все");
    ASSERT_TRUE(waitUntil([&] { return ui.ticketCount() == 0; }));
    ui.newTickets(1);
    EXPECT_EQ(Spoken(ui.cell(0, 0)), QStringLiteral("Билет 1, карточка 1, ряд 1, столбец 1, пусто"));
}

TEST(Accessibility, ButtonsSpeakTheirCaptionsTicketButtonsWithTheirTicket) {
    UiDriver ui;
    ui.newTickets(1);
    const auto& body = ui.ticket(0).body();
    const std::pair<Button, const char*> ticketButtons[] = {
        {Button::kResetNumbers, "Сброс чисел билета 1"},
        {Button::kResetColours, "Сброс цвета билета 1"},
        {Button::kFill, "Заполнить билет 1"},
        {Button::kDelete, "Удалить билет 1"},
        {Button::kSave, "Сохранить билет 1"},
        {Button::kOpen, "Открыть файл в билет 1"},
    };
    for (const auto& [button, name] : ticketButtons)
        EXPECT_EQ(Spoken(&body.button(button)), QString::fromUtf8(name));

    const auto& game = ui.gameScheme().controls();
    EXPECT_EQ(Spoken(game.openClose), QStringLiteral("Открыть сеанс"));
    EXPECT_EQ(Spoken(game.generate), QStringLiteral("Генерировать")) << "disabled, still named";
    EXPECT_EQ(Spoken(game.autogen), QStringLiteral("Автоген"));
    EXPECT_EQ(Spoken(game.clear), QStringLiteral("Очистить"));
    ui.chooseMenu("Игра");
    QTest::mouseClick(game.openClose->control()->widget(), Qt::LeftButton);
    waitUntil([&] { return Spoken(game.openClose) == QStringLiteral("Закрыть сеанс"); });
    EXPECT_EQ(Spoken(game.openClose), QStringLiteral("Закрыть сеанс"));
}

TEST(Accessibility, BoxesAndListsSayWhatTheyHold) {
    UiDriver ui;
    ui.newTickets(1);
    auto& root = ui.root();
    EXPECT_EQ(Spoken(&root.numberBox()), QStringLiteral("Названное число"));
    EXPECT_FALSE(Spoken(*root.numberBox().control(), QAccessible::Description).isEmpty());
    EXPECT_EQ(Spoken(&ui.ticket(0).body().entryBox()), QStringLiteral("Заполнение билета 1"));
    EXPECT_FALSE(Spoken(*ui.ticket(0).body().entryBox().control(), QAccessible::Description).isEmpty());
    EXPECT_EQ(Spoken(&ui.ticket(0).notes().memo()), QStringLiteral("Заметки к билету 1"));

    const auto& game = ui.gameScheme().controls();
    EXPECT_EQ(Spoken(game.drawnNumbers), QStringLiteral("Выпавшие числа виртуальной игры"));
    EXPECT_EQ(Spoken(game.calledNumbers), QStringLiteral("Названные числа реальной игры"));
    EXPECT_EQ(Spoken(game.autogenCount), QStringLiteral("Сколько чисел вытянуть"));
    EXPECT_EQ(Spoken(game.status), QStringLiteral("Сеанс закрыт"));
    ui.typeNumber("7");
    EXPECT_EQ(Spoken(game.moves), QStringLiteral("Ходов: 1")) << "a label is read as it stands now";
}

// Walks a window's controls depth-first, leaving out the windows it owns.
void EachControl(qo::Control& c, const std::function<void(qo::Control&)>& f) {
    f(c);
    for (qo::Control* child : c.children()) {
        if (child->kind() != qo::ControlKind::Form)
            EachControl(*child, f); // the game window is walked by itself
    }
}

TEST(Accessibility, NoControlOfEitherWindowIsNameless) {
    UiDriver ui;
    ui.newTickets(2);
    ui.chooseMenu("Игра");
    int checked = 0;
    for (qo::Control* window : {&ui.mainWindow(), ui.gameWindow()}) {
        ASSERT_NE(window, nullptr);
        EachControl(*window, [&](qo::Control& c) {
            // Panels only group (a divider, a ticket's body) and need no name.
            if (c.kind() == qo::ControlKind::Panel) return;
            ++checked;
            EXPECT_FALSE(Spoken(c).trimmed().isEmpty())
                << "a control of kind " << int(c.kind()) << " at " << c.left() << "," << c.top();
        });
    }
    EXPECT_GT(checked, 2 * 54 + 10);
}

} // namespace
} // namespace qotest
