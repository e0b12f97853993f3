// What the window manager sees of the program's windows: each title is its caption alone, as the
// program gives it, and the game window keeps its size whatever the window manager is asked.
#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QScreen>
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

bool Maximise(QWidget* w, bool on) {
    return x::run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-r"),
                                             QString::number(w->winId()), QStringLiteral("-b"),
                                             (on ? QStringLiteral("add,") : QStringLiteral("remove,")) +
                                                 QStringLiteral("maximized_vert,maximized_horz")})
        .has_value();
}

// The value of `key` in the settings file, -1 when it is not there.
int Kept(const UiDriver& ui, const char* key) {
    const QRegularExpression re(QStringLiteral("(?:^|\\n)%1=(-?\\d+)").arg(QLatin1String(key)));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(ui.settingsFile()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// Maximised by the window manager the window fills the screen and is shown as maximised; restored it
// is back where it was; closed maximised it keeps its place before the maximise and WS=2, and the
// next start opens it maximised on the screen and restores it to that place.
TEST_F(WindowManager, MaximiseRestoreAndTheNextStart) {
    std::string settings;
    QRect normal;
    {
        UiDriver ui;
        QWidget* w = ui.mainWindow().widget();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        ASSERT_TRUE(waitUntil([&] { return w->frameGeometry().width() == 547; }));
        normal = w->frameGeometry();
        const QRect screen = w->screen()->availableGeometry();
        // The window itself, not its frame: the frame's extents come from the window manager later.
        const auto filling = [&] {
            return w->isMaximized() && screen.contains(w->geometry()) && w->width() > screen.width() - 10;
        };
        ASSERT_TRUE(Maximise(w, true));
        EXPECT_TRUE(waitUntil(filling)) << "maximised: " << Text(w->geometry()) << " on " << Text(screen);
        EXPECT_EQ(ui.mainWindow().clientRect().width, w->width()) << "the form does not know its size";
        ASSERT_TRUE(Maximise(w, false));
        EXPECT_TRUE(waitUntil([&] { return !w->isMaximized() && w->frameGeometry() == normal; }))
            << "restored: " << Text(w->frameGeometry()) << ", was " << Text(normal);
        ASSERT_TRUE(Maximise(w, true));
        ASSERT_TRUE(waitUntil(filling));
        ui.close();
        EXPECT_EQ(Kept(ui, "WS"), 2);
        EXPECT_EQ(QRect(Kept(ui, "Left"), Kept(ui, "Top"), Kept(ui, "Width"), Kept(ui, "Height")), normal);
        settings = ui.settingsFile();
    }
    UiDriver::Options again;
    again.prepareFolder = [&](const std::string& folder) { writeFile(folder + "Параметры.ini", settings); };
    UiDriver ui(again);
    QWidget* w = ui.mainWindow().widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const QRect screen = w->screen()->availableGeometry();
    // Filling the screen: the window manager has maximised it, not only been asked to.
    EXPECT_TRUE(waitUntil([&] {
        return w->isMaximized() && screen.contains(w->geometry()) && w->width() > screen.width() - 10;
    })) << "started: "
        << Text(w->geometry());
    ASSERT_TRUE(Maximise(w, false));
    EXPECT_TRUE(waitUntil([&] { return !w->isMaximized() && w->frameGeometry() == normal; }))
        << "restored: " << Text(w->frameGeometry()) << ", kept " << Text(normal);
}

} // namespace
} // namespace qotest
