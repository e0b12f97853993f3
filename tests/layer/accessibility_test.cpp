// What a screen reader learns about a Control, read through the toolkit's accessibility
// interface: names and descriptions kept in the Control whether or not a widget exists yet,
// names asked of a source only when a widget needs them, and captions as the default names.
#include "runtime/cp1251.h"
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/layer/messages.h"
#include <QAccessible>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using qo::Control;

namespace {

QString Spoken(Control& c, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c.widget());
    return i ? i->text(what) : QStringLiteral("<no interface>");
}

QAccessible::Role RoleOf(Control& c) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c.widget());
    return i ? i->role() : QAccessible::NoRole;
}

struct FormDeleter {
    void operator()(Control* c) const { c->destroy(); }
};
using Form = std::unique_ptr<Control, FormDeleter>;

TEST(Accessibility, NameAndDescriptionGivenBeforeTheWidgetReachItAndFollowChanges) {
    Form form(qo::FormControl::Create(nullptr));
    auto* edit = qo::EditControl::Create(form.get(), 0);
    edit->setAccessibleName(qo::Cp1251("Названное число"));
    edit->setAccessibleDescription(qo::Cp1251("от 1 до 90"));
    ASSERT_FALSE(edit->hasWindow());
    EXPECT_EQ(Spoken(*edit), QStringLiteral("Названное число"));
    EXPECT_EQ(Spoken(*edit, QAccessible::Description), QStringLiteral("от 1 до 90"));

    edit->setAccessibleName(qo::Cp1251("Сколько чисел"));
    EXPECT_EQ(Spoken(*edit), QStringLiteral("Сколько чисел"));
    EXPECT_EQ(edit->accessibleName(), qo::Cp1251("Сколько чисел"));
}

TEST(Accessibility, SourceIsAskedOnlyWhenAWidgetNeedsTheName) {
    Form form(qo::FormControl::Create(nullptr));
    auto* edit = qo::EditControl::Create(form.get(), 0);
    int place = 3;
    int asked = 0;
    edit->setAccessibleNameSource([&] {
        ++asked;
        return qo::Cp1251("Билет " + std::to_string(place));
    });
    edit->refreshAccessibleName(); // no widget yet: nobody to tell
    EXPECT_EQ(asked, 0);

    EXPECT_EQ(Spoken(*edit), QStringLiteral("Билет 3"));
    place = 2;
    edit->refreshAccessibleName();
    EXPECT_EQ(Spoken(*edit), QStringLiteral("Билет 2"));

    // A fixed name replaces the source for good.
    edit->setAccessibleName("x");
    place = 1;
    edit->refreshAccessibleName();
    EXPECT_EQ(Spoken(*edit), QStringLiteral("x"));
}

// A painted panel whose name and tip say what changes on every call (a ticket's summary): both are
// made when asked, never pushed, and a fixed tip replaces the tip's source.
TEST(Accessibility, APanelsNameAndTipFromSourcesAreFreshWhenAskedWithoutRefreshing) {
    Form form(qo::FormControl::Create(nullptr));
    auto* panel = qo::PanelControl::Create(form.get(), {});
    int called = 3;
    const auto summary = [&called] { return qo::Cp1251("Билет 1: выпало " + std::to_string(called)); };
    panel->setAccessibleNameSource(summary);
    panel->setToolTipSource(summary);
    ASSERT_NE(panel->widget(), nullptr);
    called = 4; // nobody told
    EXPECT_EQ(Spoken(*panel), QStringLiteral("Билет 1: выпало 4"));
    EXPECT_EQ(panel->toolTip(), qo::Cp1251("Билет 1: выпало 4"));
    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), panel->widget()->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(panel->widget(), &tip);
    EXPECT_EQ(panel->widget()->toolTip(), QStringLiteral("Билет 1: выпало 4"));

    panel->setToolTip("x");
    called = 5;
    EXPECT_EQ(panel->toolTip(), "x");
    panel->setToolTip({});
    EXPECT_EQ(panel->toolTip(), "");
}

// A grid of cells named by its panel, as a ticket's are: the name is made for the cell asked
// about, and made again when the cell's text changes, by the program or by typing.
TEST(Accessibility, ChildrenWithoutNamesAreNamedByTheirParentAndFollowTheirText) {
    Form form(qo::FormControl::Create(nullptr));
    auto* panel = qo::PanelControl::Create(form.get(), {});
    auto* first = qo::EditControl::Create(panel, qo::edit_option::Number);
    auto* second = qo::EditControl::Create(panel, qo::edit_option::Number);
    auto* named = qo::EditControl::Create(panel, 0);
    named->setAccessibleName(qo::Cp1251("Заполнение"));
    panel->setChildAccessibleNames([&](const Control& cell) {
        const char* which = &cell == first ? "первая" : "вторая";
        return qo::Cp1251(std::string(which) + (cell.text().empty() ? ", пусто" : ", число " + cell.text()));
    });
    ASSERT_TRUE(qotest::showForm(*form));
    EXPECT_EQ(Spoken(*first), QStringLiteral("первая, пусто"));
    EXPECT_EQ(Spoken(*second), QStringLiteral("вторая, пусто"));
    EXPECT_EQ(Spoken(*named), QStringLiteral("Заполнение")) << "a name of its own wins";

    first->setText("17");
    EXPECT_EQ(Spoken(*first), QStringLiteral("первая, число 17"));
    qotest::typeInto(*second, QStringLiteral("64"));
    EXPECT_EQ(Spoken(*second), QStringLiteral("вторая, число 64"));
}

TEST(Accessibility, CaptionsAreTheDefaultNamesOfButtonsLabelsAndForms) {
    Form form(qo::FormControl::Create(nullptr));
    form->setText(qo::Cp1251("Игра"));
    auto* button = qo::ButtonControl::Create(form.get());
    button->setText(qo::Cp1251("&Новый"));
    auto* label = qo::LabelControl::Create(form.get());
    label->setText(qo::Cp1251("Сеанс закрыт"));
    auto* panel = qo::PanelControl::Create(form.get(), {});
    panel->setAccessibleName(qo::Cp1251("Билет 1"));
    ASSERT_TRUE(qotest::showForm(*form));

    EXPECT_EQ(Spoken(*form), QStringLiteral("Игра"));
    EXPECT_EQ(Spoken(*button), QStringLiteral("Новый")) << "the mnemonic marker is not read";
    EXPECT_EQ(RoleOf(*label), QAccessible::StaticText);
    EXPECT_EQ(Spoken(*label), QStringLiteral("Сеанс закрыт"));
    label->setText(qo::Cp1251("Осталось: 90")); // a label's caption changes as the game goes
    EXPECT_EQ(Spoken(*label), QStringLiteral("Осталось: 90"));
    EXPECT_EQ(RoleOf(*panel), QAccessible::Grouping);
    EXPECT_EQ(Spoken(*panel), QStringLiteral("Билет 1"));

    button->setAccessibleName(qo::Cp1251("Новый билет"));
    EXPECT_EQ(Spoken(*button), QStringLiteral("Новый билет"));
}

} // namespace
