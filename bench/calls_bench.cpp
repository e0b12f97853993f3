// Calls and a call taken back with N = 10, 100, 1 000 and 10 000 filled tickets and 90 calls made
// in a shuffled order, each N in a child process of its own:
//   take back    the last call removed (Ctrl+Z's way in): the list rewritten, and every ticket
//                that was given the number marked again from white with the other 89 (median of 7);
//     floor      the same replay on plain values: each ticket's 54 cell texts read into numbers,
//                its colours marked from white by the same rule, 89 calls, nothing shown;
//   call         one call reaching every ticket and the game window (median of the 90 calls);
//     floor      the same 90 calls on plain values: every ticket's colours marked by the rule,
//                nothing shown;
//   log          what the shown "Ход игры" window does a moment after each call: the tickets'
//                completions gathered, the lines the call added written on top, the board
//                brought up to date (median of the 90 calls);
//     floor      the same lines put on top of a shown plain text box holding the same log;
//   Жду          the same window's "Жду" list made again: what each number would complete now on
//                every ticket, worked out again for the tickets the call changed and gathered from
//                all (median of the 90 calls);
//   hints        "Подсказки" on: the tickets' marks brought up to date a moment after each call,
//                for the tickets whose cells the call changed (median of the 90 calls);
//   with hints   call, log, Жду and hints together: what one call costs with the "Ход игры"
//                window shown and "Подсказки" on;
//   digit        the same after one digit typed into one cell (median of 21).
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "app/class_child_form_game_log.h"
#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_assistant.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_game_log.h"
#include "bench_support.h"
#include "containers/multi_element_ex.h"
#include "program_fixture.h"
#include "runtime/cp1251.h"
#include "widgets/memo.h"

namespace {

using qobench::Clock;
using qobench::Median;
using qobench::Ms;
using Ticket = lotto::TQOInlineCode_D9D224;
constexpr int kRepeats = 7;

// The marking rule on colours, written out plainly: the floor's own copy, so what the floor costs
// does not move with the program's rule.
void MarkColours(const Ticket::Numbers& numbers, Ticket::Colours& colours, std::int32_t n) {
    constexpr int kColumns = lotto::game::kColumns, kCellsPerCard = lotto::game::kCellsPerCard;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (colours[i] == Ticket::kWhite && numbers[i] == n) colours[i] = Ticket::kRed;
    }
    auto paint = [&colours](int first, int count, qo::Color colour) {
        std::fill_n(colours.begin() + first, count, colour);
    };
    auto countOf = [&colours](int first, int count, qo::Color colour) {
        return static_cast<int>(std::count(colours.begin() + first, colours.begin() + first + count, colour));
    };
    for (int row = 0; row < lotto::game::kRows; ++row) {
        if (countOf(row * kColumns, kColumns, Ticket::kRed) == lotto::game::kNumbersPerRow)
            paint(row * kColumns, kColumns, Ticket::kGreen);
    }
    for (int card = 0; card < lotto::game::kCards; ++card) {
        if (countOf(card * kCellsPerCard, kCellsPerCard, Ticket::kGreen) == kCellsPerCard)
            paint(card * kCellsPerCard, kCellsPerCard, Ticket::kYellow);
    }
    if (countOf(0, lotto::game::kCells, Ticket::kYellow) == lotto::game::kCells)
        paint(0, lotto::game::kCells, Ticket::kLightBlue);
}

struct Result {
    double takeBackMs = 0, floorMs = 0, callMs = 0, callFloorMs = 0, logMs = 0, logFloorMs = 0, waitingMs = 0,
           hintsMs = 0, digitMs = 0, wholeMs = 0;
    int tickets = 0;
    bool ok = false;
};

Result Measure(int n) {
    Result r;
    qobench::Program p;
    for (int i = 0; i < n; ++i)
        p.addTicket();
    p.fillAll();
    std::vector<int> order(90);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), std::mt19937(2024));
    // As the number box's Enter does: the tickets first, then the game window's move.
    auto call = [&p](int number) {
        p.mark(number);
        qobench::Program::send(p.root->gameWindow(), 1, number);
    };
    // The "Ход игры" window, shown from its menu item.
    auto& log = lotto::TClassChildForm_GameLog::Of(p.root->gameLog());
    qobench::Program::send(p.root->gameLog(), 0, log.code().menuItem);
    qobench::Settle();
    const qo::Control& logBox = *log.controls().log->control();
    lotto::TQOInlineCode_Assistant& hints = p.root->assistant();
    hints.SetOn(true);
    std::vector<double> calls, logs, waitings, hinted, wholes;
    std::vector<std::string> added; // what each call put on top of the log
    for (const int number : order) {
        const auto a = Clock::now();
        call(number);
        calls.push_back(Ms(a, Clock::now()));
        const std::size_t before = logBox.text().size();
        const auto b = Clock::now();
        log.code().RefreshLog();
        logs.push_back(Ms(b, Clock::now()));
        const auto c = Clock::now();
        log.code().RefreshWaiting();
        waitings.push_back(Ms(c, Clock::now()));
        const auto h = Clock::now();
        hints.Refresh();
        hinted.push_back(Ms(h, Clock::now()));
        wholes.push_back(Ms(a, Clock::now()));
        added.push_back(logBox.text().substr(0, logBox.text().size() - before));
        qobench::Settle(); // the window paints, as between two calls at a table
    }
    r.callMs = Median(calls);
    r.logMs = Median(logs);
    r.waitingMs = Median(waitings);
    r.hintsMs = Median(hinted);
    r.wholeMs = Median(wholes);
    {
        // A digit typed into the first empty cell of the first ticket, and taken out again.
        const auto& logic = p.list().ticket(0).body().logic();
        int empty = 0;
        while (empty < lotto::game::kCells && !logic.cell(empty)->text().empty())
            ++empty;
        std::vector<double> digits;
        for (int k = 0; k < 21; ++k) {
            logic.cell(empty)->setText(k % 2 ? "" : "7");
            const auto a = Clock::now();
            hints.Refresh();
            digits.push_back(Ms(a, Clock::now()));
        }
        r.digitMs = Median(digits);
    }
    {
        QPlainTextEdit plain;
        plain.resize(log.controls().log->control()->widget()->size());
        plain.show();
        std::vector<QString> lines;
        for (const std::string& a : added)
            lines.push_back(QString::fromStdString(qo::Cp1251ToUtf8(a))
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        std::vector<double> floors;
        for (const QString& l : lines) {
            const auto a = Clock::now();
            QTextCursor top(plain.document());
            top.insertText(l);
            floors.push_back(Ms(a, Clock::now()));
            qobench::Settle();
        }
        r.logFloorMs = Median(floors);
        r.ok = plain.document()->characterCount() > 1 || logBox.text().empty();
    }

    // Every ticket's cell texts as plain values, for the floor.
    const qo::TQOMultiElementEx& tickets = p.list().tickets();
    std::vector<std::array<std::string, lotto::game::kCells>> texts(tickets.InstanceCount());
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const auto& logic = p.list().ticket(t).body().logic();
        for (int i = 0; i < lotto::game::kCells; ++i)
            texts[t][static_cast<std::size_t>(i)] = logic.cell(i)->text();
    }

    {
        std::vector<Ticket::Numbers> plain(texts.size());
        for (std::size_t t = 0; t < texts.size(); ++t) {
            for (std::size_t i = 0; i < texts[t].size(); ++i)
                plain[t][i] = texts[t][i].empty() ? 0 : std::stoi(texts[t][i]);
        }
        std::vector<Ticket::Colours> colours(plain.size());
        for (auto& c : colours)
            c.fill(Ticket::kWhite);
        std::vector<double> floors;
        int red = 0;
        for (const int number : order) {
            const auto a = Clock::now();
            for (std::size_t t = 0; t < plain.size(); ++t)
                MarkColours(plain[t], colours[t], number);
            floors.push_back(Ms(a, Clock::now()));
            red += colours.front()[0] == Ticket::kRed;
        }
        r.callFloorMs = Median(floors);
        r.ok = r.ok && red >= 0;
    }

    std::vector<double> takeBacks, floors;
    for (int k = 0; k < kRepeats; ++k) {
        const int last = order.back();
        const auto a = Clock::now();
        qobench::Program::send(p.root->gameWindow(), 2, 0); // the last move goes
        takeBacks.push_back(Ms(a, Clock::now()));

        const auto b = Clock::now();
        int red = 0;
        for (const auto& cells : texts) {
            Ticket::Numbers numbers{};
            for (std::size_t i = 0; i < cells.size(); ++i)
                numbers[i] = cells[i].empty() ? 0 : std::stoi(cells[i]);
            if (std::find(numbers.begin(), numbers.end(), last) == numbers.end()) continue;
            Ticket::Colours colours;
            colours.fill(Ticket::kWhite);
            for (std::size_t m = 0; m + 1 < order.size(); ++m)
                MarkColours(numbers, colours, order[m]);
            red += static_cast<int>(std::count(colours.begin(), colours.end(), Ticket::kRed));
        }
        floors.push_back(Ms(b, Clock::now()));
        r.ok = r.ok && red >= 0;
        call(last); // back as it was, for the next round
    }
    qobench::Settle();
    r.takeBackMs = Median(takeBacks);
    r.floorMs = Median(floors);
    r.tickets = static_cast<int>(tickets.InstanceCount());
    return r;
}

} // namespace

int main() {
    std::printf("%-8s %-22s %-9s %-20s %-22s %s\n", "N", "take back / floor, ms", "(ratio)",
                "call / floor, ms", "log / floor, ms", "Жду, ms  hints, ms  with hints, ms  digit, ms");
    bool ok = true;
    for (const int n : {10, 100, 1000, 10000}) {
        const Result r = qobench::RunInChild<Result>("calls_bench", [n] { return Measure(n); });
        ok = ok && r.ok && r.tickets == n;
        char back[40], ratio[16], calls[40], logs[40];
        std::snprintf(back, sizeof back, "%.2f / %.2f", r.takeBackMs, r.floorMs);
        std::snprintf(ratio, sizeof ratio, "%.2fx", r.floorMs > 0 ? r.takeBackMs / r.floorMs : 0.0);
        std::snprintf(calls, sizeof calls, "%.3f / %.3f", r.callMs, r.callFloorMs);
        std::snprintf(logs, sizeof logs, "%.3f / %.3f", r.logMs, r.logFloorMs);
        std::printf("%-8d %-22s %-9s %-20s %-22s %-8.3f %-9.3f %-15.3f %.3f\n", n, back, ratio, calls, logs,
                    r.waitingMs, r.hintsMs, r.wholeMs, r.digitMs);
    }
    return ok ? 0 : 1;
}
