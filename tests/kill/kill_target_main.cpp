// The program, offscreen, played by a seeded random player until something kills it: the process
// kill_test.cpp starts and kills over and over on one data folder.
//
//   kept_game_kill_target <data folder/> <seed> <log file> <keeper delay ms>
//
// The log tells the test which games the program held and when, one record a line, each line one
// write(2), so that a kill loses nothing already logged. Times are steady-clock nanoseconds, games
// GameHash numbers, writes the keeper's count of writes it has been told have ended:
//   R <ns> <game> <writes>  started; the last run's game is put back when it was offered
//   S <ns>                  an action starts: the game may change from here on
//   E <ns> <game> <writes>  the action is over and left this game
//   T <ns> <game> <writes>  the keeper's timer is about to run with this game: it may write it
//   U <ns> <game> <writes>  the keeper's timer has run
//   W <ns> <game> <writes>  the keeper has just been told of a write's end
// The T record is what makes the log complete: a write the timer starts right before a kill, in
// the middle of an action, would otherwise keep a game the log never saw. W tells the test when a
// write was no longer under way.
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_kept_game.h"
#include "kill/game_hash.h"
#include "runtime/random.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/toolkit_session.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

namespace {

using qotest::UiDriver;
using Button = UiDriver::Button;

constexpr int kMostTickets = 30;

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class Log {
public:
    explicit Log(const char* path)
        : fd_(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644)) {}
    ~Log() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    void record(char kind) { put(std::snprintf(line_, sizeof line_, "%c %lld\n", kind, Now())); }
    void record(char kind, std::uint64_t game, int writes) {
        put(std::snprintf(line_, sizeof line_, "%c %lld %llu %d\n", kind, Now(),
                          static_cast<unsigned long long>(game), writes));
    }

private:
    void put(int n) {
        if (::write(fd_, line_, static_cast<std::size_t>(n)) != n) std::perror("log");
    }
    int fd_;
    char line_[96];
};

// Every event the loop delivers passes `around` (those sent while one is handled go straight on):
// what the keeper does on its clock and hears from its writer happens in such a delivery.
class TargetApplication final : public QApplication {
public:
    using QApplication::QApplication;
    using Deliver = std::function<bool()>;
    std::function<bool(QObject*, QEvent*, const Deliver&)> around;

    bool notify(QObject* receiver, QEvent* event) override {
        if (!around || inside_) return QApplication::notify(receiver, event);
        inside_ = true;
        struct Out {
            bool& inside;
            ~Out() { inside = false; }
        } out{inside_};
        return around(receiver, event, [&] { return QApplication::notify(receiver, event); });
    }

private:
    bool inside_ = false;
};

class Player {
public:
    Player(TargetApplication& app, const std::string& dataFolder, std::uint32_t seed, Log& log, int delayMs)
        : app_(app), log_(log), pick_(seed) {
        UiDriver::Options o;
        o.dataFolder = dataFolder;
        o.startAnswers = {qo::IDYES}; // the offer after a crash: every run goes on with the last game
        ui_ = std::make_unique<UiDriver>(o);
        ui_->platform().boxAnswers.clear(); // no offer when the last game had no tickets
        // After the scheme is built: building it seeds the program's random source from the clock.
        qo::RandSeed() = seed;
        app.around = [this](QObject* receiver, QEvent* event, const TargetApplication::Deliver& deliver) {
            // The keeper's clock is its QTimer; the program's other deferred work is posted events.
            if (event->type() != QEvent::Timer || !qobject_cast<QTimer*>(receiver)) {
                const bool handled = deliver();
                if (ui_->keptGame().writeCount() != loggedWrites_) record('W');
                return handled;
            }
            bool handled = false;
            keeperTurn([&] { handled = deliver(); });
            return handled;
        };
        record('R');
        if (delayMs != ui_->keptGame().delayMs) {
            ui_->keptGame().delayMs = delayMs;
            // The write the put-back game set off runs on the delay the program started with; one
            // now lets the first change of the run wait only the new delay.
            keeperTurn([this] { ui_->keptGame().WriteNow(); });
        }
    }

    ~Player() { app_.around = nullptr; } // the program goes before the loop's last events

    // Bursts of actions with pauses between, as a player thinks: a kill in a burst finds writes
    // one after another, one late in a pause finds whether the last change was written at all.
    [[noreturn]] void playForever() {
        const int delayMs = ui_->keptGame().delayMs;
        for (;;) {
            const long long burstEnd = Now() + (50 + below(450)) * 1'000'000LL;
            while (Now() < burstEnd) {
                log_.record('S');
                act();
                ui_->platform().boxAnswers.clear();
                record('E');
            }
            QEventLoop pause;
            QTimer::singleShot(chance(80) ? below(delayMs * 3 / 2 + 100) : below(1600), &pause,
                               &QEventLoop::quit);
            pause.exec();
        }
    }

private:
    void record(char kind) {
        loggedWrites_ = ui_->keptGame().writeCount();
        log_.record(kind, killtest::GameHash(ui_->keptGame().Collect()), loggedWrites_);
    }

    void keeperTurn(const std::function<void()>& run) {
        record('T');
        run();
        record('U');
    }

    int below(int n) { return static_cast<int>(pick_() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    std::string number() {
        return chance(10) ? std::to_string(91 + below(20)) : std::to_string(1 + below(90));
    }
    void answer(bool yes) { ui_->platform().boxAnswers = {yes ? qo::IDYES : qo::IDNO}; }
    const lotto::TClassChildForm_DA7248::Controls& window() { return ui_->gameScheme().controls(); }

    // Keys go to the active window, as at a desk, and the game window takes the focus whenever it
    // is shown.
    void activate(QWidget* w) {
        if (w->isActiveWindow()) return;
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w, 1000);
    }
    void activateMain() { activate(ui_->mainWindow().widget()); }
    void clickInWindow(qo::TQOButton* b) {
        if (!window().form->control()->visible()) ui_->chooseMenu("Игра");
        QTest::mouseClick(b->control()->widget(), Qt::LeftButton);
        if (!qotest::waitUntilIdle()) throw std::runtime_error("busy after a click in the game window");
    }
    static void toEnd(QWidget* w, bool memo) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_End, memo ? Qt::ControlModifier : Qt::NoModifier);
    }

    void act() {
        const int count = ui_->ticketCount();
        const int at = count > 0 ? below(count) : 0;
        for (;;) {
            const int kind = below(100);
            if (kind < 8) {
                if (count >= kMostTickets) continue;
                ui_->chooseMenu("Новый");
                return;
            }
            if (count == 0 && kind < 40) continue; // the ticket actions below
            if (kind < 12) {
                answer(chance(85));
                ui_->click(at, Button::kDelete);
                return;
            }
            if (kind < 17) {
                ui_->click(at, Button::kFill);
                return;
            }
            if (kind < 25) {
                activateMain();
                ui_->typeIntoEntry(at, QString::fromStdString(number()));
                return;
            }
            if (kind < 31) {
                activateMain();
                const int index = below(54);
                QWidget* cell = ui_->cell(at, index).widget();
                toEnd(cell, false);
                if (chance(30)) {
                    QTest::keyClick(cell, Qt::Key_Backspace);
                    QTest::keyClick(cell, Qt::Key_Backspace);
                    if (!qotest::waitUntilIdle()) throw std::runtime_error("busy after emptying a cell");
                } else {
                    ui_->typeIntoCell(at, index, QString::number(below(100)));
                }
                return;
            }
            if (kind < 35) {
                if (ui_->notesText(at).size() > 120) continue;
                activateMain();
                QString typed;
                for (int i = 0, n = 1 + below(4); i < n; ++i)
                    typed += QChar(static_cast<char16_t>(chance(30) ? u'а' + below(32) : u'a' + below(26)));
                if (chance(25)) typed += QLatin1Char('\n');
                toEnd(ui_->ticket(at).notes().memo().control()->widget(), true);
                ui_->typeNotes(at, typed);
                return;
            }
            if (kind < 38) {
                answer(chance(80));
                ui_->click(at, chance(50) ? Button::kResetColours : Button::kResetNumbers);
                return;
            }
            if (kind < 40) {
                ui_->chooseMenu("Заполнить все");
                return;
            }
            if (kind < 41) {
                if (count < 20) continue;
                answer(true);
                ui_->chooseMenu("Удалить все");
                return;
            }
            if (kind < 42) {
                answer(chance(50));
                ui_->chooseMenu(chance(50) ? "Сброс всех чисел" : "Сброс всех цветов");
                return;
            }
            if (kind < 64) {
                activateMain();
                ui_->typeNumber(QString::fromStdString(number()));
                return;
            }
            if (kind < 68) {
                clickInWindow(window().openClose);
                return;
            }
            if (kind < 80) {
                clickInWindow(window().generate);
                return;
            }
            if (kind < 85) {
                if (!window().form->control()->visible()) ui_->chooseMenu("Игра");
                QWidget* box = window().autogenCount->control()->widget();
                activate(window().form->control()->widget());
                toEnd(box, false);
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, QString::number(below(12)));
                clickInWindow(window().autogen);
                return;
            }
            if (kind < 88) {
                clickInWindow(window().clear);
                return;
            }
            if (kind < 92) {
                ui_->chooseMenu("Игра"); // the game window comes forward
                return;
            }
        }
    }

    TargetApplication& app_;
    Log& log_;
    std::mt19937_64 pick_;
    std::unique_ptr<UiDriver> ui_;
    int loggedWrites_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: " << argv[0] << " <data folder/> <seed> <log file> <keeper delay ms>\n";
        return 2;
    }
    const std::string folder = argv[1];
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    Log log(argv[3]);
    const int delayMs = std::atoi(argv[4]);
    if (!log.ok()) {
        std::perror(argv[3]);
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TargetApplication app(argc, argv);
    const qo::ToolkitSession session(QLocale::c());
    try {
        Player(app, folder, seed, log, delayMs).playForever();
    } catch (const std::exception& e) {
        std::cerr << "kill target: " << e.what() << std::endl;
        return 1;
    }
}
