// Pictures of the program's two windows for the README and for review: plays a short game offscreen
// through the UI driver and writes main_window.png, game_window.png, game_log.png and hints.png
// (the main window with "Подсказки" on) into the folder given.
//   app_snapshot [FOLDER [SUFFIX]]   SUFFIX goes before ".png": "@2x" for pictures taken with
//                                    QT_SCALE_FACTOR=2, at twice the pixels.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include "widgets/layer/toolkit_session.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/layer/control.h"
#include "widgets/main_form.h"

namespace {

bool Save(qo::Control& window, const QString& path) {
    qotest::waitUntilIdle(); // what the last action put off shows in the picture too
    const QPixmap picture = window.widget()->grab();
    return !picture.isNull() && picture.save(path);
}

void Click(qo::TQOButton* button) {
    if (button) QTest::mouseClick(button->control()->widget(), Qt::LeftButton);
    qotest::waitUntilIdle();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const qo::ToolkitSession session;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(folder));
        return 1;
    }

    bool ok = true;
    {
        qotest::UiDriver ui;
        // Tall enough to show the three tickets one under the other.
        ui.mainWindow().widget()->resize(547, 680);

        ui.newTickets(3);
        ui.click(0, qotest::UiDriver::Button::kFill);
        ui.typeNotes(0, QStringLiteral("Куплен в киоске\nу вокзала"));
        for (const char* n : {"5", "17", "38", "61", "90"})
            ui.typeIntoEntry(1, n);

        // Call the first row of the filled ticket, three of its second row, and one of the second ticket.
        std::vector<std::string> called;
        for (int column = 0; column < 9; ++column) {
            const std::string text = ui.cellText(0, column);
            if (!text.empty()) called.push_back(text);
        }
        for (int column = 0; column < 9 && called.size() < 8; ++column) {
            if (!ui.cellText(0, 9 + column).empty()) called.push_back(ui.cellText(0, 9 + column));
        }
        called.push_back("17");
        for (const std::string& n : called)
            ui.typeNumber(QString::fromStdString(n));

        ui.chooseMenu("Игра");
        const auto& game = ui.gameScheme().controls();
        Click(game.openClose);
        for (int i = 0; i < 4; ++i)
            Click(game.generate);

        ok = Save(ui.mainWindow(),
                  folder + QStringLiteral("/main_window") + suffix + QStringLiteral(".png")) &&
             ok;
        if (qo::Control* window = ui.gameWindow())
            ok = Save(*window, folder + QStringLiteral("/game_window") + suffix + QStringLiteral(".png")) &&
                 ok;
        qo::Control* log = ui.gameLog().controls().form->control();
        ok = Save(*log, folder + QStringLiteral("/game_log") + suffix + QStringLiteral(".png")) && ok;

        // "Подсказки": ticket 2 one away from its row, ticket 3 with two numbers typed amiss.
        ui.chooseMenu("Подсказки");
        for (const char* n : {"5", "38", "61"})
            ui.typeNumber(n);
        ui.typeIntoCell(2, 0, QStringLiteral("47"));
        ui.typeIntoCell(2, 1, QStringLiteral("15"));
        ui.typeIntoCell(2, 10, QStringLiteral("15"));
        ok = Save(ui.mainWindow(), folder + QStringLiteral("/hints") + suffix + QStringLiteral(".png")) && ok;
    }
    if (!ok) std::fprintf(stderr, "a picture could not be written into %s\n", qPrintable(folder));
    return ok ? 0 : 1;
}
