// Tab navigation of a form: positions, wrap, equal positions, who takes part.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

using qo::Control;

namespace {

class TabOrder : public ::testing::Test {
protected:
    void SetUp() override {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(0, 0, 300, 300);
        form->setKeyboardNavigation(true);
    }
    void TearDown() override { form->destroy(); }
    Control* edit(Control* parent, int position) {
        auto* e = qo::EditControl::Create(parent, qo::edit_option::Number);
        e->setTabPosition(position);
        return e;
    }
    Control* pressTab(bool shift = false) {
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus);
        if (!focus) return nullptr;
        QTest::keyClick(focus, Qt::Key_Tab, shift ? Qt::ShiftModifier : Qt::NoModifier);
        return form->focusedControl();
    }
    qo::FormControl* form = nullptr;
};

TEST_F(TabOrder, ForwardBackwardAndWrap) {
    auto* panel = qo::PanelControl::Create(form, {});
    panel->setBounds(0, 0, 200, 200);
    // Positions are compared across parents, not in creation order.
    Control* c3 = edit(form, 3);
    Control* c1 = edit(panel, 1);
    Control* c2 = edit(panel, 2);
    ASSERT_TRUE(qotest::showForm(*form));
    c1->setFocus();
    EXPECT_EQ(pressTab(), c2);
    EXPECT_EQ(pressTab(), c3);
    EXPECT_EQ(pressTab(), c1);     // wrap
    EXPECT_EQ(pressTab(true), c3); // backward wrap
    EXPECT_EQ(pressTab(true), c2);
    EXPECT_TRUE(c2->hasFocus());
}

TEST_F(TabOrder, EqualPositionsAreNeverChosenAndTheFirstCollectedWins) {
    // Positions shift only among siblings, so two parents can hold the same position.
    auto* p1 = qo::PanelControl::Create(form, {});
    auto* p2 = qo::PanelControl::Create(form, {});
    Control* a = edit(p1, 1);
    Control* b = edit(p2, 1);
    Control* other = edit(form, 2);
    ASSERT_EQ(a->tabPosition(), b->tabPosition());
    ASSERT_TRUE(qotest::showForm(*form));
    a->setFocus();
    EXPECT_EQ(pressTab(), other); // b shares a's position: skipped
    EXPECT_EQ(pressTab(), a);     // wrap: the first collected of the smallest
    EXPECT_EQ(pressTab(true), other);
    b->setFocus();
    EXPECT_EQ(pressTab(), other);
}

TEST_F(TabOrder, HiddenUnfocusableAndNonTabStopControlsStayOut) {
    Control* a = edit(form, 1);
    auto* hiddenParent = qo::PanelControl::Create(form, {});
    Control* inHidden = edit(hiddenParent, 2);
    Control* unfocusable = edit(form, 3);
    auto* label = qo::LabelControl::Create(form); // no tab-stop style
    label->setTabPosition(4);
    Control* last = edit(form, 5);
    hiddenParent->hide();
    unfocusable->setFocusable(false);
    ASSERT_TRUE(qotest::showForm(*form));
    a->setFocus();
    EXPECT_EQ(pressTab(), last);
    (void)inHidden;
}

TEST_F(TabOrder, MemoThatKeepsTabTypesIt) {
    Control* a = edit(form, 1);
    auto* memo = qo::EditControl::Create(form, qo::edit_option::MultiLine | qo::edit_option::KeepTab);
    memo->setTabPosition(2);
    ASSERT_TRUE(qotest::showForm(*form));
    a->setFocus();
    EXPECT_EQ(pressTab(), memo);
    QTest::keyClick(memo->widget(), Qt::Key_Tab);
    EXPECT_EQ(memo->text(), "\t");
    EXPECT_TRUE(memo->hasFocus());
}

// Focus moved by Tab must be seen: a button draws the style's focus frame, as after the toolkit's
// own Tab, and a control below the view of a scroll box comes into view.
TEST_F(TabOrder, TabShowsWhereTheFocusWent) {
    Control* a = edit(form, 1);
    auto* button = qo::ButtonControl::Create(form);
    button->setBounds(10, 40, 90, 20);
    button->setTabPosition(2);
    auto* box = qo::ScrollBoxControl::Create(form, 2);
    box->setBounds(0, 100, 200, 100);
    box->setTabPosition(3);
    Control* far = edit(box, 4);
    far->setBounds(10, 400, 50, 20);
    ASSERT_TRUE(qotest::showForm(*form));
    a->setFocus();
    const QImage unfocused = button->widget()->grab().toImage();
    EXPECT_EQ(pressTab(), button);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_NE(button->widget()->grab().toImage(), unfocused) << "no focus frame";

    ASSERT_EQ(box->scrollInfo(true).pos, 0);
    EXPECT_EQ(pressTab(), far);
    const qo::ScrollInfo v = box->scrollInfo(true);
    EXPECT_LE(v.pos, 400);
    EXPECT_GE(v.pos + v.page, 420);
}

// A list of items that all repeat the same positions, as tickets do: Tab runs through one item,
// then the next (an item with nothing to focus is passed over), past the last back to the
// form's other controls, where the list stands at its own position; Shift+Tab the exact reverse.
TEST_F(TabOrder, ListItemsAreGoneThroughOneAfterAnother) {
    auto* list = qo::ScrollBoxControl::Create(form, 2);
    list->setBounds(0, 30, 300, 200);
    list->setTabItems(true);
    Control* box = edit(form, 5);
    std::vector<Control*> order;
    for (int i = 0; i < 4; ++i) {
        auto* item = qo::PanelControl::Create(list, {});
        item->setBounds(0, 60 * i, 280, 50);
        if (i == 2) continue; // nothing to focus in this one
        // Created out of their order: positions, not creation, order an item.
        Control* third = edit(item, 3);
        Control* first = edit(item, 1);
        Control* second = edit(item, 2);
        order.insert(order.end(), {first, second, third});
        // A memo that keeps Tab would let Tab in but never out: it stays out of the round.
        auto* memo = qo::EditControl::Create(item, qo::edit_option::MultiLine | qo::edit_option::KeepTab);
        memo->setTabPosition(0);
    }
    ASSERT_TRUE(qotest::showForm(*form));
    box->setFocus();
    for (std::size_t i = 0; i <= order.size(); ++i) {
        Control* expected = i < order.size() ? order[i] : box;
        EXPECT_EQ(pressTab(), expected) << "Tab " << i + 1;
    }
    for (std::size_t i = order.size(); i-- > 0;)
        EXPECT_EQ(pressTab(true), order[i]) << "Shift+Tab to " << i;
    EXPECT_EQ(pressTab(true), box);
    // Typing after Tab lands in the control the focus went to, not in the first item's.
    order[4]->setFocus();
    pressTab();
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(order[5]->text(), "7");
    EXPECT_EQ(order[2]->text(), "");
}

TEST_F(TabOrder, WithoutNavigationTabMovesNothing) {
    form->setKeyboardNavigation(false);
    Control* a = edit(form, 1);
    edit(form, 2);
    ASSERT_TRUE(qotest::showForm(*form));
    a->setFocus();
    QTest::keyClick(a->widget(), Qt::Key_Tab);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(a->text(), "");
}

} // namespace
