// The kept game with N = 1 000 and 10 000 played tickets (filled, 20 numbers called, notes on every
// tenth), each N in a child process of its own:
//   write        the event loop's part of one write after a change: a snapshot of the game taken
//                from the model and compared with the last one written, handed to the writer's
//                thread (median of 7);
//   thread       the thread's part, until the loop hears it ended: the text made, written beside,
//                synced, the old file made the backup, the new one renamed in, the folder synced;
//     text       of which the text: the same snapshot made into text, timed apart;
//     floor      the same bytes written directly with QSaveFile (written beside, synced, renamed);
//   whole        write and thread, from the change's turn to the file in place;
//   read         the file read and its text taken apart;
//   put back     the read game put back into an empty list, until the list has settled;
//     floor      N empty tickets made the way "&Новый" makes them, settled: the list's own part;
//   memory       peak resident memory of the whole process.
#include <QApplication>
#include <QSaveFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_kept_game.h"
#include "app/kept_game.h"
#include "bench_support.h"
#include "containers/child_scroll_box.h"
#include "containers/multi_element_ex.h"
#include "program_fixture.h"
#include "runtime/cp1251.h"
#include "runtime/event_scope.h"
#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/layer/kept_file.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

namespace {

using qobench::Clock;
using qobench::Median;
using qobench::Ms;
using qobench::Program;
using qobench::Settle;
constexpr int kWrites = 7;

struct Result {
    double writeMs = 0, threadMs = 0, textMs = 0, writeFloorMs = 0, wholeMs = 0, readMs = 0, putBackMs = 0,
           putBackFloorMs = 0, peakMb = 0;
    double fileKb = 0;
    int tickets = 0; // tickets standing after the put back, to show the work was done
    bool ok = false;
};

Result Measure(int n) {
    Result r;
    Program p;
    for (int i = 0; i < n; ++i)
        p.send(0, 1); // "&Новый"
    p.send(0, 6);     // "&Заполнить все"
    for (int number = 1; number <= 20; ++number)
        p.send(1, number * 4 % 90 + 1);
    const std::string notes = qo::Cp1251("Билет с заметками\r\nвторая строка");
    for (std::size_t i = 0; i < p.list().tickets().InstanceCount(); i += 10) {
        auto* ticket = &p.list().ticket(i);
        ticket->notes().memo().control()->setText(notes);
    }
    Settle();

    std::vector<double> writes, threads, texts, floors, wholes;
    for (int i = 0; i < kWrites; ++i) {
        p.send(1, 90 - i); // a change to write
        const int before = p.keeper().writeCount();
        const auto a = Clock::now();
        p.keeper().WriteLater();
        const auto b = Clock::now();
        while (p.keeper().writeCount() == before) {
            if (Ms(b, Clock::now()) > 10'000) return r;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        const auto ended = Clock::now();
        writes.push_back(Ms(a, b));
        threads.push_back(Ms(b, ended));
        wholes.push_back(Ms(a, ended));

        const lotto::KeptGameSnapshot snapshot = p.keeper().Snapshot();
        const auto t = Clock::now();
        const std::string text = lotto::KeptGameText(snapshot);
        texts.push_back(Ms(t, Clock::now()));

        std::string bytes;
        if (!qo::ReadKeptFile(p.keeper().path(), bytes, lotto::TQOInlineCode_KeptGame::kLargestFile, nullptr))
            return r;
        r.fileKb = static_cast<double>(bytes.size()) / 1024;
        if (bytes != text) return r;
        const auto c = Clock::now();
        QSaveFile f(QString::fromStdString(p.keeper().path() + ".floor"));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0 ||
            !f.commit())
            return r;
        floors.push_back(Ms(c, Clock::now()));
    }
    r.writeMs = Median(writes);
    r.threadMs = Median(threads);
    r.textMs = Median(texts);
    r.wholeMs = Median(wholes);
    r.writeFloorMs = Median(floors);

    p.deleteAll();
    auto a = Clock::now();
    for (int i = 0; i < n; ++i)
        p.send(0, 1);
    Settle();
    r.putBackFloorMs = Ms(a, Clock::now());
    p.deleteAll();

    a = Clock::now();
    std::string bytes;
    lotto::KeptGameSnapshot game;
    if (!qo::ReadKeptFile(p.keeper().path(), bytes, lotto::TQOInlineCode_KeptGame::kLargestFile, nullptr) ||
        lotto::ReadKeptGame(bytes, game).outcome != lotto::KeptGameReading::Outcome::Read)
        return r;
    r.readMs = Ms(a, Clock::now());
    a = Clock::now();
    {
        qo::EventScope scope;
        p.keeper().PutBack(game);
    }
    Settle();
    r.putBackMs = Ms(a, Clock::now());
    r.tickets = static_cast<int>(p.list().tickets().InstanceCount());
    r.ok = p.keeper().Snapshot().sameGame(game);
    r.peakMb = qobench::PeakKb() / 1024;
    return r;
}

} // namespace

int main() {
    std::printf("%-8s %-10s %-30s %-10s %-10s %-24s %-10s %-10s %-8s\n", "N", "write, ms",
                "thread (text) / floor, ms", "whole, ms", "read, ms", "put back / floor, ms", "file, KB",
                "peak, MB", "same");
    bool ok = true;
    for (const int n : {1000, 10000}) {
        const Result r = qobench::RunInChild<Result>("kept_game_bench", [n] { return Measure(n); });
        ok = ok && r.ok && r.tickets == n;
        char thread[48], back[40];
        std::snprintf(thread, sizeof thread, "%.2f (%.2f) / %.2f", r.threadMs, r.textMs, r.writeFloorMs);
        std::snprintf(back, sizeof back, "%.1f / %.1f", r.putBackMs, r.putBackFloorMs);
        std::printf("%-8d %-10.2f %-30s %-10.2f %-10.2f %-24s %-10.0f %-10.1f %-8s\n", n, r.writeMs, thread,
                    r.wholeMs, r.readMs, back, r.fileKb, r.peakMb, r.ok ? "yes" : "NO");
    }
    return ok ? 0 : 1;
}
