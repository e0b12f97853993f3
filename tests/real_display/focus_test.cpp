// The keyboard focus moved by the program's own Tab navigation shows where it is, as a focus the
// toolkit moves itself does: a button draws the style's focus frame, an edit holds the focus of
// the active window and takes what is typed next. The main window's tab order runs: number box,
// a ticket's six buttons, its "Заполнение" box, its cells.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <ostream>
#include <string>

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

QWidget* NumberBox(UiDriver& ui) {
    return ui.root().numberBox().control()->widget();
}
template <Button b> QWidget* TicketButton(UiDriver& ui) {
    return ui.ticket(0).body().button(b).control()->widget();
}
QWidget* EntryBox(UiDriver& ui) {
    return ui.ticket(0).body().entryBox().control()->widget();
}
QWidget* FirstCell(UiDriver& ui) {
    return ui.cell(0, 0).widget();
}

// Presses `key` and returns the widget the focus went to (null when it stayed where it was).
QWidget* Press(const char* key) {
    QWidget* before = QApplication::focusWidget();
    if (!x::keys({QLatin1String(key)})) return nullptr;
    waitUntil([&] { return QApplication::focusWidget() != before; });
    return QApplication::focusWidget() != before ? QApplication::focusWidget() : nullptr;
}

// One press of Tab or Shift+Tab, from a control to the one it must reach.
struct Step {
    const char* name;
    const char* key;
    QWidget* (*from)(UiDriver&);
    QWidget* (*to)(UiDriver&);
};
void PrintTo(const Step& s, std::ostream* os) {
    *os << s.name;
}
std::string StepName(const ::testing::TestParamInfo<Step>& info) {
    return info.param.name;
}

class FocusFrame : public RealDisplayWith<Step> {};

TEST_P(FocusFrame, ButtonReachedByTheKeyboardLooksDifferentFromUnfocused) {
    UiDriver ui;
    ui.newTickets(1);
    QWidget* from = GetParam().from(ui);
    QWidget* button = GetParam().to(ui);
    ASSERT_TRUE(x::focus(from));
    ASSERT_EQ(Press(GetParam().key), button);
    const QImage focused = button->grab().toImage();

    from->setFocus();
    ASSERT_TRUE(waitUntil([&] { return !button->hasFocus(); }));
    EXPECT_TRUE(focused != button->grab().toImage())
        << "the button reached by " << GetParam().key << " draws no focus frame";
}

INSTANTIATE_TEST_SUITE_P(Keys, FocusFrame,
                         ::testing::Values(Step{"Tab", "Tab", NumberBox, TicketButton<Button::kResetNumbers>},
                                           Step{"ShiftTab", "shift+Tab", TicketButton<Button::kResetColours>,
                                                TicketButton<Button::kResetNumbers>}),
                         StepName);

class EditFocus : public RealDisplayWith<Step> {};

TEST_P(EditFocus, EditReachedByTheKeyboardHasTheFocusOfTheActiveWindowAndTakesTyping) {
    UiDriver ui;
    ui.newTickets(1);
    auto* edit = qobject_cast<QLineEdit*>(GetParam().to(ui));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(x::focus(GetParam().from(ui)));
    ASSERT_EQ(Press(GetParam().key), edit);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(QApplication::activeWindow(), edit->window());
    ASSERT_TRUE(x::type(QStringLiteral("7")));
    EXPECT_TRUE(waitUntil([&] { return edit->text() == QLatin1String("7"); })) << edit->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Keys, EditFocus,
                         ::testing::Values(Step{"Tab", "Tab", TicketButton<Button::kOpen>, EntryBox},
                                           Step{"ShiftTab", "shift+Tab", FirstCell, EntryBox}),
                         StepName);

} // namespace
} // namespace qotest
