// Menus: process-wide identifiers, the bar on a form, WM_COMMAND and WM_MENUSELECT.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/layer/menu.h"
#include <QApplication>
#include <QMenuBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <set>

using qo::Control;
using qo::Menu;

namespace {

std::set<std::int32_t> Ids(const std::vector<std::unique_ptr<qo::MenuItem>>& items) {
    std::set<std::int32_t> ids;
    for (const auto& i : items) {
        ids.insert(i->id);
        const auto sub = Ids(i->children);
        ids.insert(sub.begin(), sub.end());
    }
    return ids;
}

TEST(MenuTest, TwoMenusGetDisjointIdentifiersFromOneCounter) {
    const std::int32_t first = Menu::NextCommandId();
    EXPECT_GE(first, 4096);
    Menu a, b;
    qo::MenuItem& tickets = a.add(nullptr, "&Tickets");
    a.add(&tickets, "&New");
    a.add(&tickets, "-", qo::MenuItemKind::Separator);
    a.add(nullptr, "Game");
    b.add(nullptr, "One");
    b.add(nullptr, "Two");
    const auto ia = Ids(a.items()), ib = Ids(b.items());
    EXPECT_EQ(*ia.begin(), first);
    EXPECT_EQ(*ib.begin(), first + 4); // separators and submenu titles take identifiers too
    for (std::int32_t id : ia)
        EXPECT_EQ(ib.count(id), 0u);
    EXPECT_TRUE(tickets.hasSubmenu);
    EXPECT_EQ(a.findById(first + 1)->text, "&New");
}

TEST(MenuTest, ChoosingDeliversCommandAndHighlightingDeliversSelect) {
    auto* form = qo::FormControl::Create(nullptr);
    Menu menu;
    qo::MenuItem& tickets = menu.add(nullptr, "&Tickets");
    qo::MenuItem& item = menu.add(&tickets, "&New");
    menu.add(nullptr, "Game");
    form->setMenu(&menu);
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> seen;
    form->setMessageHandler([&](qo::Message& m) {
        if (m.msg == qo::WM_COMMAND || m.msg == qo::WM_MENUSELECT) {
            seen.emplace_back(m.msg, m.wParam);
            EXPECT_EQ(m.lParam, 0);
        }
        return false;
    });
    ASSERT_TRUE(qotest::showForm(*form));
    auto* bar = form->widget()->findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->actions().size(), 2);
    QAction* sub = bar->actions()[0]->menu()->actions()[0];
    sub->hover();
    sub->trigger();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, qo::WM_MENUSELECT);
    EXPECT_EQ(seen[0].second & 0xFF, static_cast<std::uintptr_t>(item.id % 256));
    EXPECT_EQ(seen[1], (std::pair<std::uint32_t, std::uintptr_t>{qo::WM_COMMAND,
                                                                 static_cast<std::uintptr_t>(item.id)}));
    bar->actions()[0]->hover(); // a submenu title reports its position
    EXPECT_EQ(seen.back().second & 0xFF, 0u);
    form->destroy(); // the menu outlives the form here
}

TEST(MenuTest, MenuGoingFirstRemovesTheBar) {
    auto* form = qo::FormControl::Create(nullptr);
    form->widget();
    {
        Menu menu;
        menu.add(nullptr, "A");
        form->setMenu(&menu);
        EXPECT_EQ(form->menu(), &menu);
    }
    EXPECT_EQ(form->menu(), nullptr);
    form->destroy();
}

// F10, and a lone Alt pressed and released, put the keyboard into the bar; Alt with another key
// between its press and release does not.
TEST(MenuTest, F10AndALoneAltGoIntoTheBar) {
    auto* form = qo::FormControl::Create(nullptr);
    form->setBounds(0, 0, 300, 200);
    Menu menu;
    qo::MenuItem& tickets = menu.add(nullptr, "&Tickets");
    menu.add(&tickets, "&New");
    menu.add(nullptr, "Game");
    form->setMenu(&menu);
    auto* edit = qo::EditControl::Create(form, qo::edit_option::Number);
    edit->setBounds(0, 0, 100, 20);
    ASSERT_TRUE(qotest::showForm(*form));
    auto* bar = form->widget()->findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    const auto backToTheEdit = [&] {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        bar->setActiveAction(nullptr);
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
    };

    backToTheEdit();
    QTest::keyClick(edit->widget(), Qt::Key_F10);
    EXPECT_EQ(bar->activeAction(), bar->actions()[0]);
    EXPECT_EQ(QApplication::activePopupWidget(), bar->actions()[0]->menu()) << "F10 opened no menu";

    backToTheEdit();
    QTest::keyPress(edit->widget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(edit->widget(), Qt::Key_Alt);
    EXPECT_EQ(bar->activeAction(), bar->actions()[0]) << "a lone Alt left the bar";

    backToTheEdit();
    QTest::keyPress(edit->widget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(edit->widget(), Qt::Key_Q, Qt::AltModifier);
    QTest::keyRelease(edit->widget(), Qt::Key_Alt);
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_TRUE(edit->hasFocus());
    backToTheEdit();
    form->destroy();
}

} // namespace
