// Keys as a player with the layouts us,ru presses them, into the program's own edits: the notes
// take Russian letters and the "№" sign like any others, the number boxes take digits and nothing
// else. Offscreen, the tests make the key events themselves; here the X server and its layouts
// make them, with the key codes and texts a player's keyboard gives.
#include <QWidget>
#include <ostream>
#include <string>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "real_display/real_display_test.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/edit.h"
#include "widgets/layer/encoding.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

std::string Utf8(const std::string& cp1251) {
    return qo::ToQString(cp1251).toStdString();
}

using Typing = RealDisplay;

TEST_F(Typing, RussianLettersAndTheNumeroSignGoIntoTicketNotes) {
    UiDriver ui;
    ui.newTickets(1);
    ASSERT_TRUE(x::focus(ui.ticket(0).notes().memo().control()->widget()));
    ASSERT_TRUE(x::type(QStringLiteral("Билет №1")));
    ASSERT_TRUE(x::keys({QStringLiteral("Return")}));
    ASSERT_TRUE(x::type(QStringLiteral("abc 12")));
    const std::string expected = "Билет №1\r\nabc 12";
    waitUntil([&] { return Utf8(ui.notesText(0)) == expected; });
    EXPECT_EQ(Utf8(ui.notesText(0)), expected);
}

// A box that takes digits only, and how to reach it.
struct DigitBox {
    const char* name;
    qo::Control& (*open)(UiDriver&);
};

void PrintTo(const DigitBox& b, std::ostream* os) {
    *os << b.name;
}

class DigitsOnly : public RealDisplayWith<DigitBox> {};

TEST_P(DigitsOnly, TakesTheDigitsAndDropsLatinAndRussianLetters) {
    UiDriver ui;
    ui.newTickets(1);
    qo::Control& box = GetParam().open(ui);
    ASSERT_TRUE(x::focus(box.widget()));
    ASSERT_TRUE(x::type(QStringLiteral("4жz№Я5")));
    waitUntil([&] { return box.text() == "45"; });
    EXPECT_EQ(Utf8(box.text()), "45");
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DigitsOnly,
    ::testing::Values(
        DigitBox{"NumberBox", [](UiDriver& ui) -> qo::Control& { return *ui.root().numberBox().control(); }},
        DigitBox{"TicketEntryBox",
                 [](UiDriver& ui) -> qo::Control& { return *ui.ticket(0).body().entryBox().control(); }},
        DigitBox{"TicketCell", [](UiDriver& ui) -> qo::Control& { return ui.cell(0, 0); }},
        DigitBox{"GameCountBox",
                 [](UiDriver& ui) -> qo::Control& {
                     ui.chooseMenu(kGameWindow);
                     return *ui.gameScheme().controls().autogenCount->control();
                 }}),
    [](const ::testing::TestParamInfo<DigitBox>& info) { return std::string(info.param.name); });

} // namespace
} // namespace qotest
