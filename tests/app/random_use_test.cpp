// The whole program, offscreen, through a long run of random user actions, compared after every one
// with the model of what it should show. The seed is printed; QO_RANDOM_SEED replays a run exactly
// (the actions and the program's own random source both start from it), QO_RANDOM_ACTIONS sets the
// length.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_assistant.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_game_log.h"
#include "game/model.h"
#include "lotto_model.h"
#include "runtime/cp1251.h"
#include "runtime/random.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/messages.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

#if defined(__SANITIZE_ADDRESS__)
#define QO_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QO_UNDER_ASAN 1
#endif
#endif

namespace qotest {
namespace {

constexpr const char* kHintsItem = "Подсказки";

using lottomodel::Program;
using Button = UiDriver::Button;

constexpr std::uint32_t kDefaultSeed = 20'240'611;
#ifdef QO_UNDER_ASAN
constexpr long kDefaultActions = 4'000; // the same run is several times slower under the sanitizers
#else
constexpr long kDefaultActions = 20'000;
#endif
constexpr int kMostTickets = 6;
const char* const kFileNames[] = {"a.tkt", "b.txt", "c.tkt", "never-saved.tkt"};

long FromEnvironment(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

std::string Utf8(const std::string& cp1251) {
    return qo::Cp1251ToUtf8(cp1251);
}

class RandomUse {
public:
    explicit RandomUse(std::uint32_t seed) : pick_(seed) {
        // NOTE: after the scheme is built, because building it seeds the generator from the clock.
        qo::RandSeed() = seed;
        model_.random.state = seed;
        ui_.chooseMenu(kHintsItem); // "Подсказки": on for most of the run, switched now and then
        model_.hints = true;
    }

    // Runs one random action; "" while the program agrees with the model, else what differs.
    std::string step(long index) {
        const std::string what = act();
        recent_.push_back(std::to_string(index) + ": " + what);
        if (recent_.size() > 20) recent_.pop_front();
        return mismatch();
    }
    std::string recent() const {
        std::string s;
        for (const std::string& r : recent_)
            s += "  " + r + "\n";
        return s;
    }
    // Closing the main window ends the run: the close draws for the advertisement too.
    std::string finish() {
        std::array<int, 4> sounds{};
        for (int s : model_.sounds)
            ++sounds[static_cast<std::size_t>(s)];
        std::cout << "random use: " << model_.tickets.size() << " tickets left, rows/cards/tickets completed "
                  << sounds[1] << "/" << sounds[2] << "/" << sounds[3] << ", " << model_.questions.size()
                  << " boxes, " << model_.pages.size() << " pages" << std::endl;
        ui_.close();
        if (lottomodel::Round(5 * model_.random.next()) == 0) model_.advertisement();
        return mismatch();
    }

private:
    int below(int n) { return static_cast<int>(pick_() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // Digits as a player might type them into a number box: mostly a good number, sometimes 0,
    // a leading zero, a number past 90 or a third digit.
    std::string digits() {
        switch (below(10)) {
        case 0:
            return chance(50) ? "0" : "00";
        case 1:
            return std::to_string(91 + below(9));
        case 2:
            return std::to_string(100 + below(900));
        case 3:
            return "0" + std::to_string(1 + below(9));
        default:
            return std::to_string(1 + below(90));
        }
    }

    void activate(QWidget* window) {
        for (int attempt = 0; attempt < 3 && !window->isActiveWindow(); ++attempt) {
            (void)QTest::qWaitForWindowExposed(window, 1000);
            // NOTE: the offscreen platform keeps a window that was hidden as its focus window, so
            // asking it again changes nothing; the other window takes the focus in between.
            if (attempt > 0) {
                QWidget* other = window == ui_.mainWindow().widget() ? game().form->control()->widget()
                                                                     : ui_.mainWindow().widget();
                if (other->isVisible()) {
                    other->activateWindow();
                    (void)QTest::qWaitForWindowActive(other, 1000);
                }
            }
            window->activateWindow();
            (void)QTest::qWaitForWindowActive(window, 1000);
        }
        if (!window->isActiveWindow()) failure_ = "a window would not become active";
    }
    void activateMain() { activate(ui_.mainWindow().widget()); }
    const lotto::TClassChildForm_DA7248::Controls& game() { return ui_.gameScheme().controls(); }
    void showGame() {
        ui_.chooseMenu("Игра");
        model_.gameVisible = true;
    }
    void clickGame(qo::TQOButton* b) {
        if (!model_.gameVisible) showGame();
        QTest::mouseClick(b->control()->widget(), Qt::LeftButton);
        if (!waitUntilIdle()) failure_ = "the program was still busy after a click in the game window";
    }
    void answer(bool yes) { ui_.platform().boxAnswers = {yes ? qo::IDYES : qo::IDNO}; }
    void asked(const char* questionUtf8) { model_.questions.emplace_back(questionUtf8); }
    // Moves the caret to the end of a box, as a click after the last character would.
    static void toEnd(QWidget* w, bool memo) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_End, memo ? Qt::ControlModifier : Qt::NoModifier);
    }

    std::string act() {
        const int count = static_cast<int>(model_.tickets.size());
        const int at = count > 0 ? below(count) : 0;
        for (;;) {
            const int kind = below(100);
            if (kind < 6) { // a new ticket
                if (count >= kMostTickets) continue;
                ui_.chooseMenu("Новый");
                lottomodel::Ticket t;
                t.id = model_.nextId++;
                model_.tickets.push_back(t);
                ticketOf_[t.id] = &ui_.ticket(count);
                return "new ticket";
            }
            if (kind < 9) { // delete one from its own button
                if (count == 0) continue;
                const bool yes = chance(60);
                answer(yes);
                asked("Вы действительно хотите удалить билет?");
                ui_.click(at, Button::kDelete);
                if (yes) model_.tickets.erase(model_.tickets.begin() + at);
                return "delete ticket " + std::to_string(at) + (yes ? " yes" : " no");
            }
            if (kind < 10) { // delete all
                const bool yes = chance(25);
                answer(yes);
                asked("Вы действительно хотите удалить ВСЕ билеты?");
                ui_.chooseMenu("Удалить все");
                if (yes) model_.tickets.clear();
                return std::string("delete all") + (yes ? " yes" : " no");
            }
            if (kind < 14) { // fill one
                if (count == 0) continue;
                ui_.click(at, Button::kFill);
                model_.tickets[at].fill(model_.random);
                return "fill " + std::to_string(at);
            }
            if (kind < 15) {
                ui_.chooseMenu("Заполнить все");
                for (auto& t : model_.tickets)
                    t.fill(model_.random);
                return "fill all";
            }
            if (kind < 22) { // the ticket's entry box
                if (count == 0) continue;
                const std::string d = digits();
                activateMain();
                ui_.typeIntoEntry(at, QString::fromStdString(d));
                auto& t = model_.tickets[at];
                for (char ch : d)
                    lottomodel::TypeInto(t.entry, ch);
                if (!t.entry.empty()) t.placeNumber(lottomodel::Number(t.entry));
                t.entry.clear();
                return "entry " + std::to_string(at) + " '" + d + "'";
            }
            if (kind < 27) { // a cell: add digits at its end, or empty it
                if (count == 0) continue;
                const int cell = below(54);
                auto& text = model_.tickets[at].text[cell];
                const std::string before = text;
                activateMain();
                QWidget* w = ui_.cell(at, cell).widget();
                toEnd(w, false);
                if (chance(25)) {
                    QTest::keyClick(w, Qt::Key_Backspace);
                    QTest::keyClick(w, Qt::Key_Backspace);
                    waitUntil([&] { return ui_.cellText(at, cell).empty(); });
                    text.clear();
                    model_.tickets[at].typed(static_cast<std::size_t>(cell), before,
                                             &lottomodel::Program::Value);
                    return "empty cell " + std::to_string(at) + "/" + std::to_string(cell);
                }
                const std::string d = std::to_string(below(chance(50) ? 10 : 100));
                ui_.typeIntoCell(at, cell, QString::fromStdString(d));
                for (char ch : d) {
                    if (text.size() < 2) text += ch;
                }
                model_.tickets[at].typed(static_cast<std::size_t>(cell), before, &lottomodel::Program::Value);
                return "cell " + std::to_string(at) + "/" + std::to_string(cell) + " '" + d + "'";
            }
            if (kind < 42) { // a called number into the main window's box
                const std::string d = digits();
                activateMain();
                ui_.typeNumber(QString::fromStdString(d));
                for (char ch : d)
                    lottomodel::TypeInto(model_.numberBox, ch);
                model_.confirmNumberBox();
                return "number '" + d + "'";
            }
            if (kind < 45) { // notes: short lines, so the memo never wraps them
                if (count == 0) continue;
                auto& notes = model_.tickets[at].notes;
                if (std::count(notes.begin(), notes.end(), '\n') >= 5) continue;
                const std::size_t lineStart =
                    notes.rfind('\n') == std::string::npos ? 0 : notes.rfind('\n') + 1;
                std::string typed;
                if (notes.size() - lineStart + 3 > 8) typed += '\n';
                for (int i = 0, n = 1 + below(3); i < n; ++i)
                    typed += static_cast<char>('a' + below(26));
                if (chance(20)) typed += '\n';
                activateMain();
                toEnd(ui_.ticket(at).notes().memo().control()->widget(), true);
                ui_.typeNotes(at, QString::fromStdString(typed));
                for (char ch : typed)
                    notes += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
                return "notes " + std::to_string(at);
            }
            if (kind < 48) {
                clickGame(game().openClose);
                model_.openCloseVirtual();
                return "open/close virtual game";
            }
            if (kind < 56) {
                clickGame(game().generate);
                model_.draw();
                return "generate";
            }
            if (kind < 59) { // autogen with a count typed afresh
                if (!model_.gameVisible) showGame();
                QWidget* box = game().autogenCount->control()->widget();
                activate(game().form->control()->widget());
                toEnd(box, false);
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClick(box, Qt::Key_Backspace);
                model_.autogenCount.clear();
                std::string d = below(4) == 0 ? std::string() : std::to_string(below(chance(80) ? 12 : 100));
                QTest::keyClicks(box, QString::fromStdString(d));
                for (char ch : d)
                    lottomodel::TypeInto(model_.autogenCount, ch);
                clickGame(game().autogen);
                if (model_.virtualOpen) {
                    for (int i = 0, n = lottomodel::Number(model_.autogenCount); i < n; ++i)
                        model_.draw();
                }
                return "autogen '" + d + "'";
            }
            if (kind < 60) {
                clickGame(game().clear);
                model_.called.clear();
                return "clear real game";
            }
            if (kind < 64) { // save, or cancel the dialog
                if (count == 0) continue;
                const bool cancel = chance(15);
                const std::string name = kFileNames[below(3)];
                ui_.platform().dialogAnswers = {cancel ? std::string() : ui_.programFolder() + name};
                ui_.click(at, Button::kSave);
                if (cancel) return "save " + std::to_string(at) + " cancelled";
                model_.files[name] = model_.tickets[at].fileBytes();
                if (readFile(ui_.programFolder() + name) != model_.files[name]) {
                    failure_ = "file " + name + " holds\n" + readFile(ui_.programFolder() + name) +
                               "\nexpected\n" + model_.files[name];
                }
                return "save " + std::to_string(at) + " to " + name;
            }
            if (kind < 68) { // open, or cancel the dialog
                if (count == 0) continue;
                const bool cancel = chance(15);
                const std::string name = kFileNames[below(4)];
                ui_.platform().dialogAnswers = {cancel ? std::string() : ui_.programFolder() + name};
                ui_.click(at, Button::kOpen);
                if (cancel) return "open " + std::to_string(at) + " cancelled";
                const auto file = model_.files.find(name);
                if (file == model_.files.end())
                    asked("Файл не прочитан, билет остался прежним.");
                else
                    model_.tickets[at].open(file->second);
                return "open " + name + " into " + std::to_string(at);
            }
            if (kind < 71) {
                if (count == 0) continue;
                const bool yes = chance(60);
                answer(yes);
                asked("Вы действительно хотите удалить из билета все числа?");
                ui_.click(at, Button::kResetNumbers);
                if (yes) model_.tickets[at].clearNumbers();
                return "reset numbers " + std::to_string(at) + (yes ? " yes" : " no");
            }
            if (kind < 74) {
                if (count == 0) continue;
                const bool yes = chance(60);
                answer(yes);
                asked("Вы действительно хотите сделать все ячейки белыми?");
                ui_.click(at, Button::kResetColours);
                if (yes) model_.tickets[at].whiten();
                return "reset colours " + std::to_string(at) + (yes ? " yes" : " no");
            }
            if (kind < 76) {
                const bool yes = chance(50);
                answer(yes);
                asked("Вы действительно хотите удалить числа из ВСЕХ билетов?");
                ui_.chooseMenu("Сброс всех чисел");
                for (auto& t : model_.tickets) {
                    if (yes) t.clearNumbers();
                }
                return std::string("reset all numbers") + (yes ? " yes" : " no");
            }
            if (kind < 78) {
                const bool yes = chance(50);
                answer(yes);
                asked("Вы действительно хотите сделать ячейки ВСЕХ билетов белыми?");
                ui_.chooseMenu("Сброс всех цветов");
                for (auto& t : model_.tickets) {
                    if (yes) t.whiten();
                }
                return std::string("reset all colours") + (yes ? " yes" : " no");
            }
            if (kind < 80) {
                showGame();
                return "show game window";
            }
            if (kind < 82) {
                if (!model_.gameVisible) continue;
                game().form->control()->widget()->close();
                waitUntil([&] { return !game().form->control()->visible(); });
                model_.gameVisible = false;
                return "close game window";
            }
            if (kind < 83) {
                ui_.chooseMenu("ПОСМОТРЕТЬ РЕКЛАМУ");
                model_.advertisement();
                return "advertisement";
            }
            if (kind < 86) { // Delete on a move of the real game's list
                if (!model_.gameVisible) showGame();
                const std::size_t place =
                    model_.called.empty()
                        ? 0
                        : static_cast<std::size_t>(below(static_cast<int>(model_.called.size())));
                activate(game().form->control()->widget());
                ui_.removeMove(static_cast<int>(place));
                model_.removeMove(place);
                return "remove move " + std::to_string(place);
            }
            if (kind < 88) { // Ctrl+Z on the empty number box
                // A number pasted waits in the box: Ctrl+Z would be the box's own undo.
                if (!model_.numberBox.empty()) continue;
                activateMain();
                ui_.undoInNumberBox();
                if (!model_.called.empty()) model_.removeMove(model_.called.size() - 1);
                return "undo last move";
            }
            if (kind < 90) { // a list of numbers pasted into the number box
                std::string pasted;
                std::vector<int> numbers;
                for (int i = 0, n = 1 + below(6); i < n; ++i) {
                    numbers.push_back(1 + below(90));
                    pasted += std::to_string(numbers.back()) + (chance(50) ? ", " : " ");
                }
                activateMain();
                QApplication::clipboard()->setText(QString::fromStdString(pasted));
                QWidget* box = ui_.root().numberBox().control()->widget();
                box->setFocus();
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                if (!waitUntilIdle()) failure_ = "the program was still busy after a paste";
                if (numbers.size() == 1) {
                    // One number is the box's to paste as any text: what fits of it, kept when it
                    // is digits alone (over 90 shown as 90), else undone; Enter is still to come.
                    std::string& box = model_.numberBox;
                    const std::string next = box + pasted.substr(0, 2 - std::min<std::size_t>(2, box.size()));
                    if (!next.empty() && next.find_first_not_of("0123456789") == std::string::npos)
                        box = std::stoi(next) > 90 ? "90" : next;
                    return "paste '" + pasted + "' into the box";
                }
                // A list is entered number by number, and what the box held stays in it.
                const std::string held = model_.numberBox;
                for (const int n : numbers) {
                    model_.numberBox = std::to_string(n);
                    model_.confirmNumberBox();
                }
                model_.numberBox = held;
                return "paste '" + pasted + "'";
            }
            if (kind < 91) { // "Подсказки" on or off
                activateMain();
                ui_.chooseMenu(kHintsItem);
                model_.hints = !model_.hints;
                return model_.hints ? "hints on" : "hints off";
            }
        }
    }

    std::string mismatch() {
        std::ostringstream out;
        if (!failure_.empty()) return failure_;
        const auto& tickets = model_.tickets;
        if (ui_.ticketCount() != static_cast<int>(tickets.size())) {
            out << "tickets: " << ui_.ticketCount() << " shown, " << tickets.size() << " expected";
            return out.str();
        }
        int lastTop = -1;
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            const auto& t = tickets[i];
            const int at = static_cast<int>(i);
            if (&ui_.ticket(at) != ticketOf_[t.id]) {
                out << "ticket " << i << " is not the one made " << t.id << "th";
                return out.str();
            }
            const int top = ui_.ticketPanel(at).bounds().top;
            if (top <= lastTop) {
                out << "ticket " << i << " stands at " << top << ", not below the one before (" << lastTop
                    << ")";
                return out.str();
            }
            lastTop = top;
            // The game model holds what the cells show, ticket by ticket in the list's order.
            const std::vector<lotto::game::Ticket*>& inGame = ui_.root().game().tickets();
            if (inGame.size() != tickets.size() || inGame[i] != &ui_.ticket(at).body().logic().game()) {
                out << "ticket " << i << " is not in its place in the game model";
                return out.str();
            }
            for (int c = 0; c < 54; ++c) {
                const std::string text = ui_.cellText(at, c);
                const std::uint32_t colour = ui_.cellColor(at, c);
                const auto cell = static_cast<std::size_t>(c);
                const bool number = !text.empty() && text.size() <= 2 && text[0] >= '1' && text[0] <= '9' &&
                                    (text.size() == 1 || (text[1] >= '0' && text[1] <= '9'));
                if (inGame[i]->numbers()[cell] != (number ? std::stoi(text) : 0) ||
                    lotto::TQOInlineCode_D9D224::ColourOf(inGame[i]->marks()[cell]) != colour) {
                    out << "ticket " << i << " cell " << c << ": the game model holds "
                        << inGame[i]->numbers()[cell] << " marked "
                        << static_cast<int>(inGame[i]->marks()[cell]) << ", the cell shows '" << text
                        << "' colour " << std::hex << colour;
                    return out.str();
                }
                if (text != t.text[c] || colour != t.colour[c]) {
                    out << "ticket " << i << " cell " << c << ": '" << text << "' colour " << std::hex
                        << colour << ", expected '" << t.text[c] << "' colour " << t.colour[c];
                    return out.str();
                }
                // Any colour but white stands for numbers called since the cells were last white.
                if (colour != lottomodel::kWhite &&
                    (t.calledSinceWhite.empty() ||
                     (colour == lottomodel::kRed && !t.calledSinceWhite.count(t.markedAs[c])))) {
                    out << "ticket " << i << " cell " << c << " is coloured without a called number";
                    return out.str();
                }
            }
            if (ui_.notesText(at) != t.notes) {
                out << "ticket " << i << " notes '" << ui_.notesText(at) << "', expected '" << t.notes << "'";
                return out.str();
            }
            if (ui_.ticket(at).body().entryBox().control()->text() != t.entry) return "entry box not emptied";
        }
        if (ui_.numberBoxText() != model_.numberBox) return "number box holds '" + ui_.numberBoxText() + "'";

        const auto& g = game();
        auto expect = [&out](const char* what, const std::string& shown, const std::string& expected) {
            if (shown != expected) out << what << ": '" << shown << "', expected '" << expected << "'";
            return shown == expected;
        };
        if (!expect("game window shown", g.form->control()->visible() ? "yes" : "no",
                    model_.gameVisible ? "yes" : "no") ||
            !expect("remaining", Utf8(g.status->control()->text()), model_.remainingLabel()) ||
            !expect("moves", Utf8(g.moves->control()->text()), model_.movesLabel()) ||
            !expect("drawn list", g.drawnNumbers->control()->text(), Program::Lines(model_.drawn)) ||
            !expect("called list", g.calledNumbers->control()->text(), Program::Lines(model_.called)) ||
            !expect("open/close", Utf8(g.openClose->control()->text()),
                    model_.virtualOpen ? "Закрыть сеанс" : "Открыть сеанс") ||
            !expect("generate enabled", g.generate->control()->enabled() ? "yes" : "no",
                    model_.virtualOpen ? "yes" : "no") ||
            !expect("autogen enabled", g.autogen->control()->enabled() ? "yes" : "no",
                    model_.virtualOpen ? "yes" : "no") ||
            !expect("autogen count", g.autogenCount->control()->text(), model_.autogenCount))
            return out.str();

        // The "Ход игры" log, brought up to date after every action as the window does it: mostly
        // lines added on top, written whole after anything else.
        auto& log = lotto::TClassChildForm_GameLog::Of(ui_.root().gameLog());
        log.code().Refresh();
        if (!expect("log", Utf8(log.controls().log->control()->text()), model_.logText()) ||
            !expect("waiting", Utf8(log.controls().waiting->control()->text()), model_.waitingText()))
            return out.str();

        // The hints on the cells. (Their quiet sound depends on what the player typed between two
        // keys; the hints' own test hears it.)
        waitUntilIdle();
        static constexpr qo::Color kMarks[] = {qo::kNoMark,
                                               lotto::TQOInlineCode_Assistant::kRowMark,
                                               lotto::TQOInlineCode_Assistant::kCardMark,
                                               lotto::TQOInlineCode_Assistant::kTicketMark,
                                               lotto::TQOInlineCode_Assistant::kProblem,
                                               lotto::TQOInlineCode_Assistant::kMissedMark};
        for (std::size_t i = 0; i < model_.tickets.size(); ++i) {
            const auto hint = model_.hints ? model_.hintsFor(i) : std::array<int, 54>{};
            for (int c = 0; c < 54; ++c) {
                const qo::Control& cell = ui_.cell(static_cast<int>(i), c);
                const qo::Color mark = kMarks[hint[static_cast<std::size_t>(c)]];
                const qo::Color text = hint[static_cast<std::size_t>(c)] == 4
                                           ? lotto::TQOInlineCode_Assistant::kProblem
                                           : qo::clWindowText;
                if (cell.mark() != mark || cell.font().color != text) {
                    out << "ticket " << i << " cell " << c << " ('" << cell.text() << "'): mark " << std::hex
                        << cell.mark() << " text " << cell.font().color << ", expected " << mark << " / "
                        << text;
                    return out.str();
                }
            }
        }

        std::vector<std::string> sounds = ui_.soundNames();
        std::erase(sounds, "Звук4.wav");
        if (sounds.size() != model_.sounds.size()) {
            out << sounds.size() << " sounds played, " << model_.sounds.size() << " expected";
            return out.str();
        }
        for (std::size_t i = checkedSounds_; i < sounds.size(); ++i) {
            if (!expect("sound", sounds[i], "Звук" + std::to_string(model_.sounds[i]) + ".wav"))
                return out.str();
        }
        checkedSounds_ = sounds.size();

        const auto& boxes = ui_.platform().boxes;
        if (boxes.size() != model_.questions.size()) {
            out << boxes.size() << " boxes shown, " << model_.questions.size() << " expected";
            return out.str();
        }
        for (std::size_t i = checkedBoxes_; i < boxes.size(); ++i) {
            const std::string shown = Utf8(boxes[i].text);
            if (shown.rfind(model_.questions[i], 0) != 0)
                return "box '" + shown + "', expected " + model_.questions[i];
        }
        checkedBoxes_ = boxes.size();
        if (!ui_.platform().boxAnswers.empty() || !ui_.platform().dialogAnswers.empty())
            return "an answer was left unused";

        const auto& urls = ui_.platform().urls;
        if (urls.size() != model_.pages.size()) {
            out << urls.size() << " pages opened, " << model_.pages.size() << " expected";
            return out.str();
        }
        if (!urls.empty()) {
            const std::string tail = "/adv/adv-" + std::to_string(model_.pages.back()) + ".html";
            if (urls.back().size() < tail.size() ||
                urls.back().compare(urls.back().size() - tail.size(), tail.size(), tail))
                return "page " + urls.back() + ", expected one ending " + tail;
        }
        return {};
    }

    // A site named, so every advertisement is a page of it the model can tell.
    UiDriver ui_{[] {
        UiDriver::Options o;
        o.advertisementSite = "https://fishki.example";
        return o;
    }()};
    Program model_;
    std::mt19937 pick_;
    std::map<int, lotto::TClassChildPanelEx_D82A4C*> ticketOf_;
    std::deque<std::string> recent_;
    std::size_t checkedSounds_ = 0;
    std::size_t checkedBoxes_ = 0;
    std::string failure_;
};

TEST(RandomUse, EveryActionLeavesTheProgramAsTheModelSays) {
    const auto seed = static_cast<std::uint32_t>(FromEnvironment("QO_RANDOM_SEED", kDefaultSeed));
    const long actions = FromEnvironment("QO_RANDOM_ACTIONS", kDefaultActions);
    std::cout << "random use: seed " << seed << ", " << actions
              << " actions (QO_RANDOM_SEED, QO_RANDOM_ACTIONS)" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    const auto started = std::chrono::steady_clock::now();
    RandomUse run(seed);
    for (long i = 0; i < actions; ++i) {
        const std::string wrong = run.step(i);
        ASSERT_EQ(wrong, "") << "seed " << seed << ", action " << i << "; the last actions:\n"
                             << run.recent();
    }
    ASSERT_EQ(run.finish(), "") << "seed " << seed << ", closing the main window";
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "random use: " << actions << " actions in " << seconds << " s" << std::endl;
}

} // namespace
} // namespace qotest
