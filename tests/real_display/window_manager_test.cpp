// What the window manager sees of the program's windows: each title is its caption alone, as the
// program gives it, and the game window keeps its size whatever the window manager is asked.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>
#include <string>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "real_display/real_display_test.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"

namespace qotest {
namespace {

// Opens a modal window through `open` with the toolkit's own boxes and dialogs in place of the
// scripted ones, reads its title once it is on screen, and cancels it.
QString ModalTitle(const std::function<void()>& open) {
    qo::Platform* scripted = qo::SetPlatform(nullptr);
    QString title;
    bool read = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (read || !dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) return;
        read = true;
        title = x::wmName(dialog);
        dialog->reject();
    });
    // Whatever goes wrong, the modal loop must end for the test to report it.
    QTimer::singleShot(10'000, &poll, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    poll.start();
    open();
    poll.stop();
    qo::SetPlatform(scripted);
    return title;
}

std::string Text(QSize s) {
    return s.isValid() ? std::to_string(s.width()) + "x" + std::to_string(s.height()) : "none";
}

QString Shown(QWidget* window) {
    return QTest::qWaitForWindowExposed(window) ? x::wmName(window) : QString();
}

struct TitledWindow {
    const char* name;
    const char* title;
    QString (*show)(UiDriver&);
};
void PrintTo(const TitledWindow& w, std::ostream* os) {
    *os << w.name;
}

class Titles : public RealDisplayWith<TitledWindow> {};

TEST_P(Titles, AreTheCaptionAlone) {
    UiDriver ui;
    ui.newTickets(1);
    EXPECT_EQ(GetParam().show(ui).toStdString(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Titles,
    ::testing::Values(
        TitledWindow{"MainWindow", "Фишкодром", [](UiDriver& ui) { return Shown(ui.mainWindow().widget()); }},
        TitledWindow{"GameWindow", "Игра",
                     [](UiDriver& ui) {
                         ui.chooseMenu(kGameWindow);
                         return Shown(ui.gameWindow()->widget());
                     }},
        TitledWindow{"GameLogWindow", "Ход игры",
                     [](UiDriver& ui) { return Shown(ui.gameLog().controls().form->control()->widget()); }},
        TitledWindow{"QuestionBox", "Подтверждение",
                     [](UiDriver& ui) { return ModalTitle([&] { ui.chooseMenu(kDeleteAll); }); }},
        TitledWindow{"SaveDialog", "Сохранение",
                     [](UiDriver& ui) { return ModalTitle([&] { ui.click(0, UiDriver::Button::kSave); }); }},
        TitledWindow{"OpenDialog", "Открытие",
                     [](UiDriver& ui) { return ModalTitle([&] { ui.click(0, UiDriver::Button::kOpen); }); }}),
    [](const ::testing::TestParamInfo<TitledWindow>& info) { return std::string(info.param.name); });

using WindowManager = RealDisplay;

// The window's frame offers no resizing, and a resize asked through the window manager is refused.
TEST_F(WindowManager, GameWindowHasAFixedSize) {
    UiDriver ui;
    ui.chooseMenu(kGameWindow);
    QWidget* game = ui.gameWindow()->widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(game));
    const x::SizeHints hints = x::sizeHints(game);
    EXPECT_TRUE(hints.minimum.isValid() && hints.minimum == hints.maximum)
        << "WM_NORMAL_HINTS: minimum size " << Text(hints.minimum) << ", maximum size "
        << Text(hints.maximum);

    const QSize before = game->size();
    ASSERT_TRUE(
        x::run(QStringLiteral("xdotool"), {QStringLiteral("windowsize"), QString::number(game->winId()),
                                           QStringLiteral("400"), QStringLiteral("400")}));
    // Nothing should happen: a second is ample for the window manager to do it if it would.
    EXPECT_FALSE(waitUntil([&] { return game->size() != before; }, 1000))
        << "resized from " << Text(before) << " to " << Text(game->size());
}

} // namespace
} // namespace qotest
