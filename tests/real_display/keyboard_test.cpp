// The keyboard in the main window as a player with the layouts us,ru meets it: Tab across a list of
// tickets that all carry the same tab positions; Alt with a letter that is no menu key; F10 and a
// lone Alt into the menu bar.
#include <QApplication>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>
#include <ostream>
#include <string>
#include <vector>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "real_display/real_display_test.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"

namespace qotest {
namespace {

using Button = UiDriver::Button;

// A ticket's stops: six buttons, the "Заполнение" box, 54 cells.
constexpr int kStopsPerTicket = 6 + 1 + 54;

qo::Control* NumberBox(UiDriver& ui) {
    return ui.root().numberBox().control();
}
qo::Control* FirstButton(UiDriver& ui, int ticket) {
    return ui.ticket(ticket).body().button(Button::kResetNumbers).control();
}
qo::Control* LastCell(UiDriver& ui, int ticket) {
    return &ui.cell(ticket, 53);
}

// Presses `key` `times` times and waits for the focus to reach `expected`.
bool PressUntil(const char* key, int times, qo::Control* expected) {
    if (!x::keys(QStringList(times, QLatin1String(key)))) return false;
    return waitUntil([&] { return expected->hasFocus(); }, 5000);
}

using TabAcrossTickets = RealDisplay;

TEST_F(TabAcrossTickets, TypingAfterTabStaysOnTheTicket) {
    UiDriver ui;
    ui.newTickets(3);
    ui.typeIntoCell(0, 1, QStringLiteral("12"));
    ASSERT_TRUE(x::focus(ui.cell(2, 0).widget()));
    ASSERT_TRUE(x::type(QStringLiteral("5")));
    ASSERT_TRUE(PressUntil("Tab", 1, &ui.cell(2, 1)));
    ASSERT_TRUE(x::type(QStringLiteral("19")));
    EXPECT_TRUE(waitUntil([&] { return ui.cellText(2, 1) == "19"; })) << ui.cellText(2, 1);
    EXPECT_EQ(ui.cellText(0, 1), "12");
    EXPECT_EQ(ui.cellText(2, 0), "5");
}

TEST_F(TabAcrossTickets, TabAndShiftTabGoThroughEveryTicketAndBackToTheNumberBox) {
    UiDriver ui;
    ui.newTickets(3);
    ASSERT_TRUE(x::focus(NumberBox(ui)->widget()));
    for (int t = 0; t < 3; ++t) {
        ASSERT_TRUE(PressUntil("Tab", 1, FirstButton(ui, t))) << "ticket " << t + 1 << " not entered";
        ASSERT_TRUE(PressUntil("Tab", kStopsPerTicket - 1, LastCell(ui, t)))
            << "ticket " << t + 1 << " left early";
    }
    ASSERT_TRUE(PressUntil("Tab", 1, NumberBox(ui))) << "past the last ticket";
    for (int t = 2; t >= 0; --t) {
        ASSERT_TRUE(PressUntil("shift+Tab", 1, LastCell(ui, t))) << "ticket " << t + 1 << " not entered";
        ASSERT_TRUE(PressUntil("shift+Tab", kStopsPerTicket - 1, FirstButton(ui, t)))
            << "ticket " << t + 1 << " left early";
    }
    ASSERT_TRUE(PressUntil("shift+Tab", 1, NumberBox(ui))) << "before the first ticket";
    for (int t = 0; t < 3; ++t)
        EXPECT_EQ(ui.cellTexts(t), std::vector<std::string>(54)) << "ticket " << t + 1;
}

using AltLetter = RealDisplay;

// Alt+Q in the US layout, Alt+И in the Russian one: neither is a menu key, neither types.
TEST_F(AltLetter, TypesNothingIntoTheNumberBoxAfterACall) {
    UiDriver ui;
    ASSERT_TRUE(x::focus(NumberBox(ui)->widget()));
    ASSERT_TRUE(x::type(QStringLiteral("29")));
    ASSERT_TRUE(x::keys({QStringLiteral("Return")}));
    ASSERT_TRUE(waitUntil([&] { return ui.gameScheme().moves() == std::vector<int>{29}; }));
    ASSERT_TRUE(x::keys({QStringLiteral("alt+q"), QStringLiteral("alt+Cyrillic_i")}));
    ASSERT_TRUE(x::type(QStringLiteral("7")));
    ASSERT_TRUE(waitUntil([&] { return !ui.numberBoxText().empty(); }));
    EXPECT_EQ(ui.numberBoxText(), "7") << "a letter brought the last number back";
}

QMenuBar* Bar(UiDriver& ui) {
    return ui.mainWindow().widget()->findChild<QMenuBar*>();
}

struct MenuKey {
    const char* name;
    QStringList keys;
};
void PrintTo(const MenuKey& k, std::ostream* os) {
    *os << k.name;
}

class MenuBarKey : public RealDisplayWith<MenuKey> {};

// The key puts the keyboard into the bar on the first title; Down opens its menu, Escape leaves,
// and typing goes back to the box it came from.
TEST_P(MenuBarKey, PutsTheKeyboardIntoTheMenuBar) {
    UiDriver ui;
    QMenuBar* bar = Bar(ui);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(x::focus(NumberBox(ui)->widget()));
    ASSERT_TRUE(x::keys(GetParam().keys));
    ASSERT_TRUE(waitUntil([&] { return bar->activeAction() == bar->actions().front(); }))
        << "the keyboard is not in the menu bar";
    if (!QApplication::activePopupWidget()) {
        ASSERT_TRUE(x::keys({QStringLiteral("Down")}));
    }
    EXPECT_TRUE(
        waitUntil([&] { return QApplication::activePopupWidget() == bar->actions().front()->menu(); }));
    ASSERT_TRUE(x::keys({QStringLiteral("Escape"), QStringLiteral("Escape")}));
    ASSERT_TRUE(waitUntil([&] { return !QApplication::activePopupWidget() && NumberBox(ui)->hasFocus(); }));
    ASSERT_TRUE(x::type(QStringLiteral("7")));
    EXPECT_TRUE(waitUntil([&] { return ui.numberBoxText() == "7"; })) << ui.numberBoxText();
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuBarKey,
                         ::testing::Values(MenuKey{"F10", {QStringLiteral("F10")}},
                                           MenuKey{"LoneAlt", {QStringLiteral("alt")}}),
                         [](const ::testing::TestParamInfo<MenuKey>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace qotest
