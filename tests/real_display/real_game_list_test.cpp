// The game window's "Реальная игра" list driven by a real pointer and keyboard: the line clicked
// or reached by the arrows is the one Delete takes back, after a take-back the nearest line is
// current, and a right click on a line opens its menu without moving the window. The "Ход игры"
// window's button names the move it takes back.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_game_log.h"
#include "real_display/real_display_test.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

class RealGameList : public RealDisplay {
protected:
    void SetUp() override {
        RealDisplay::SetUp();
        if (IsSkipped()) return;
        ui = std::make_unique<UiDriver>();
        for (const char* n : {"5", "17", "38", "61"})
            ui->typeNumber(n);
        ui->chooseMenu(kGameWindow);
        list = qobject_cast<QPlainTextEdit*>(ui->gameScheme().controls().calledNumbers->control()->widget());
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(x::activate(list->window()));
    }
    std::string moves() const { return ui->gameScheme().controls().calledNumbers->control()->text(); }
    QPoint lineAt(int line) const {
        const QRect r = list->cursorRect(QTextCursor(list->document()->findBlockByNumber(line)));
        return list->viewport()->mapTo(list, r.center() + QPoint(8, 0));
    }
    bool movesBecome(const std::string& expected) {
        return waitUntil([&] { return moves() == expected; });
    }

    std::unique_ptr<UiDriver> ui;
    QPlainTextEdit* list = nullptr;
};

TEST_F(RealGameList, ClickedLineThenArrowsChooseTheMoveDeleteTakesBack) {
    ASSERT_TRUE(x::click(list, lineAt(0)));
    ASSERT_TRUE(x::keys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Delete")}));
    EXPECT_TRUE(movesBecome("5\r\n17\r\n61\r\n")) << moves();
}

TEST_F(RealGameList, DeleteTwiceOnTheLastLineTakesTheLastTwoMoves) {
    ASSERT_TRUE(x::click(list, lineAt(3)));
    ASSERT_TRUE(x::keys({QStringLiteral("Delete")}));
    ASSERT_TRUE(movesBecome("5\r\n17\r\n38\r\n")) << moves();
    ASSERT_TRUE(x::keys({QStringLiteral("Delete")}));
    EXPECT_TRUE(movesBecome("5\r\n17\r\n")) << moves();
}

TEST_F(RealGameList, RightClickOpensTheLinesMenuAndTheWindowStaysPut) {
    QWidget* window = list->window();
    const QPoint placed = window->frameGeometry().topLeft();
    bool menuStayed = false;
    bool windowMoved = false;
    bool chosen = false;
    // The menu runs a loop of its own: what happens while it is open is done from in there.
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        watch.stop();
        // The pointer wanders off with no button down: a window being dragged would follow it.
        x::movePointerBy(60, 40);
        windowMoved = waitUntil([&] { return window->frameGeometry().topLeft() != placed; }, 500);
        menuStayed = QApplication::activePopupWidget() == menu;
        for (QAction* a : menu->actions()) {
            if (a->text() == QStringLiteral("Удалить ход") && menuStayed)
                chosen = x::click(menu, menu->actionGeometry(a).center());
        }
        if (!chosen) menu->close();
    });
    watch.start();
    ASSERT_TRUE(x::click(list, lineAt(1), 3));
    waitUntil([&] { return !watch.isActive() && !QApplication::activePopupWidget(); });
    watch.stop();
    EXPECT_FALSE(windowMoved) << "the game window followed the pointer";
    EXPECT_TRUE(menuStayed) << "the line's menu went as it came";
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(movesBecome("5\r\n38\r\n61\r\n")) << moves();
    EXPECT_EQ(window->frameGeometry().topLeft(), placed);
}

using GameLogUndo = RealDisplay;

// A number called again is no new move: the "Ход игры" window shows it last, and its button, by
// its key Alt+О on the Russian layout, names and takes back the move before.
TEST_F(GameLogUndo, TheButtonNamesTheMoveItsKeyTakesBack) {
    // The Russian layout the active one from the start, as a player has it while typing Russian:
    // xdotool reaches a key of an inactive layout through a borrowed key no shortcut knows.
    const x::Layouts russianFirst(QStringLiteral("ru,us"));
    UiDriver ui;
    ui.newTickets(1); // the last number shown is the tickets' last delivery
    ASSERT_TRUE(x::focus(ui.root().numberBox().control()->widget()));
    for (const char* n : {"88", "70", "88"}) {
        ASSERT_TRUE(x::type(QLatin1String(n)));
        ASSERT_TRUE(waitUntil([&] { return ui.numberBoxText() == n; }));
        ASSERT_TRUE(x::keys({QStringLiteral("Return")}));
        ASSERT_TRUE(waitUntil([&] { return ui.numberBoxText().empty(); }));
    }
    ASSERT_TRUE(waitUntil([&] { return ui.gameScheme().moves() == std::vector<int>{88, 70}; }));
    auto& log = ui.gameLog();
    auto* button = qobject_cast<QPushButton*>(log.controls().undo->control()->widget());
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(x::activate(button->window()));
    EXPECT_EQ(log.code().board().last, 88);
    EXPECT_TRUE(waitUntil([&] { return button->text() == QStringLiteral("&Отменить ход 70"); }))
        << button->text().toStdString();

    ASSERT_TRUE(x::keys({QStringLiteral("alt+Cyrillic_o")}));
    EXPECT_TRUE(waitUntil([&] { return ui.gameScheme().moves() == std::vector<int>{88}; }))
        << ui.gameScheme().moves().size() << " moves";
    EXPECT_TRUE(waitUntil([&] { return button->text() == QStringLiteral("&Отменить ход 88"); }))
        << button->text().toStdString();
}

} // namespace
} // namespace qotest
