// The program's ticket list beside the direct-toolkit floor, for N = 10, 100, 1000 tickets (and
// 10 000 for the program alone: the floor would need gigabytes):
//   add all      N tickets added one by one (through the list's "&Новый" input) and shown,
//   fill all     "&Заполнить все" on N tickets,
//   call, change one called number that turns one cell of every ticket red (N cells),
//   call, same   the same number again: nothing changes colour, every ticket still looks,
//   scroll       the list moved down by one page, painted,
//   memory       peak resident memory of the whole process.
// and start-up: a process's first shown main window beside toolkit windows made directly: an empty
// one, one with a single label (the first text loads fonts and style), and one like the program's.
// The floor builds the same widgets directly (panels, 54 one-line edits, 6 buttons, a label, a
// memo per ticket, all at once, in one content widget) and does the same work on them with
// palettes made once. Every (variant, N) runs in a child process of its own so that one's peak
// memory does not hide another's; the parent never touches the toolkit, which keeps fork() safe.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_d9d224.h"
#include "bench_support.h"
#include "program_fixture.h"
#include "containers/child_scroll_box.h"
#include "containers/multi_element_ex.h"
#include "runtime/event_scope.h"
#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"
#include "widgets/scroll_box.h"

namespace {

using qobench::Clock;
constexpr int kCells = 54;
constexpr int kButtons = 6;
constexpr int kScrollPages = 5; // the scroll figure is the mean of this many page-downs from the top
constexpr int kMarked = 7;      // the number put into every ticket's first cell

struct Result {
    double addAllMs = 0;
    double fillMs = 0;
    double callChangeMs = 0;
    double callSameMs = 0;
    double scrollMs = 0;
    double peakMb = 0;
    int changed = 0; // cells that turned red on the first call, to show the work was done
    bool ok = false;
};

using qobench::Ms;
using qobench::Settle;

// ---- The program.

// The program as the other benchmarks start it, with the ways in this one needs besides.
struct ProgramTickets : qobench::Program {
    void call(int number) { Program::mark(number); }

    lotto::TQOInlineCode_D9D224& logic(std::size_t t) {
        return list().ticket(t).body().logic();
    }
    // The marked number in each ticket's first cell and nowhere else, every cell white.
    void mark() {
        const std::string text = std::to_string(kMarked);
        for (std::size_t t = 0; t < list().tickets().InstanceCount(); ++t) {
            auto& l = logic(t);
            for (int i = 0; i < kCells; ++i) {
                qo::Control* c = l.cell(i);
                if (i == 0)
                    c->setText(text);
                else if (c->text() == text)
                    c->setText({});
                c->setColor(lotto::TQOInlineCode_D9D224::kWhite);
            }
        }
    }
    int redFirstCells() {
        int n = 0;
        for (std::size_t t = 0; t < list().tickets().InstanceCount(); ++t)
            n += logic(t).cell(0)->color() == lotto::TQOInlineCode_D9D224::kRed;
        return n;
    }
    void scrollTop() { scroll(qo::SB_TOP); }
    void pageDown() { scroll(qo::SB_PAGEDOWN); }
    void scroll(int code) {
        qo::Control* box = list().box().control();
        qo::EventScope scope;
        box->send(qo::WM_VSCROLL, static_cast<std::uintptr_t>(code), 0);
    }
};

// ---- The toolkit directly: the same widgets and the same work, palettes and fonts made once.

QRect CellRect(int i) {
    const int k = i / 27, r = (i % 27) / 9, c = i % 9;
    return QRect(5 + 30 * c, 5 + 100 * k + 30 * r, 25, 25);
}

struct DirectTickets {
    static constexpr int kTicketHeight = 200;
    static constexpr int kPage = 244;
    QWidget window;
    QWidget* content = nullptr;
    std::vector<std::vector<QLineEdit*>> tickets;
    std::vector<std::vector<QRgb>> colours;
    QPalette face, windowColour;
    std::map<QRgb, QPalette> cellPalettes;
    QFont small, cellFont;
    std::mt19937 random{12345};
    int scrolled = 0;

    DirectTickets() {
        const QPalette base = QApplication::palette();
        auto make = [&](const QColor& bg) {
            QPalette p = base;
            for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
                p.setColor(role, bg);
            return p;
        };
        face = make(base.color(QPalette::Button));
        windowColour = make(base.color(QPalette::Base));
        for (QRgb c :
             {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(166, 202, 240)})
            cellPalettes[c] = make(QColor(c));
        small = QApplication::font();
        small.setPixelSize(11);
        cellFont = QFont(QStringLiteral("Arial"));
        cellFont.setBold(true);
        cellFont.setPixelSize(16);
        window.setGeometry(20, 105, 547, 300);
        window.setFont(small);
        auto* box = new QFrame(&window);
        box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        box->setGeometry(0, 25, 539, 248);
        auto* viewport = new QWidget(box);
        viewport->setGeometry(2, 2, 519, kPage);
        content = new QWidget(viewport);
        content->setGeometry(0, 0, 519, kPage);
        window.show();
    }

    QFrame* panel(QWidget* parent, QRect r) {
        auto* p = new QFrame(parent);
        p->setGeometry(r);
        p->setPalette(face);
        p->setAutoFillBackground(true);
        p->show();
        return p;
    }

    void addTicket() {
        const int count = static_cast<int>(tickets.size());
        content->resize(519, std::max(kPage, kTicketHeight * (count + 1)));
        QFrame* ticket = panel(content, QRect(0, kTicketHeight * count, 519, kTicketHeight));
        QFrame* body = panel(ticket, QRect(2, 2, 365, 196));
        QFrame* notes = panel(ticket, QRect(367, 2, 150, 196));
        auto* memo = new QPlainTextEdit(notes);
        memo->setGeometry(0, 0, 150, 196);
        memo->setPalette(windowColour);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->show();
        panel(body, QRect(275, 5, 5, 185))->setFrameStyle(QFrame::Panel | QFrame::Raised);
        std::vector<QLineEdit*> cells;
        for (int i = 0; i < kCells; ++i) {
            auto* cell = new QLineEdit(body);
            cell->setGeometry(CellRect(i));
            cell->setFont(cellFont);
            cell->setAlignment(Qt::AlignCenter);
            cell->setPalette(cellPalettes[qRgb(255, 255, 255)]);
            cell->setMaxLength(2);
            cell->show();
            cells.push_back(cell);
        }
        for (int i = 0; i < kButtons; ++i) {
            auto* b = new QPushButton(QStringLiteral("Button"), body);
            b->setGeometry(285, 60 + 20 * i, 75, 20);
            b->show();
        }
        auto* label = new QLabel(QStringLiteral("Ticket"), body);
        label->move(290, 10);
        label->adjustSize();
        label->show();
        tickets.push_back(std::move(cells));
        colours.emplace_back(kCells, qRgb(255, 255, 255));
    }

    void paint(std::size_t t, int i, QRgb c) {
        if (colours[t][static_cast<std::size_t>(i)] == c) return;
        colours[t][static_cast<std::size_t>(i)] = c;
        tickets[t][static_cast<std::size_t>(i)]->setPalette(cellPalettes[c]);
    }

    // The same marking rule: white cells holding the number turn red; a row of exactly five red
    // cells turns green (cards and the ticket follow the same pattern and cost the same scan).
    void call(int number) {
        const QString text = QString::number(number);
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            for (int i = 0; i < kCells; ++i) {
                if (colours[t][static_cast<std::size_t>(i)] == qRgb(255, 255, 255) &&
                    tickets[t][static_cast<std::size_t>(i)]->text() == text)
                    paint(t, i, qRgb(255, 0, 0));
            }
            for (int row = 0; row < 6; ++row) {
                int red = 0;
                for (int c = 0; c < 9; ++c)
                    red += colours[t][static_cast<std::size_t>(row * 9 + c)] == qRgb(255, 0, 0);
                if (red == 5) {
                    for (int c = 0; c < 9; ++c)
                        paint(t, row * 9 + c, qRgb(0, 255, 0));
                }
            }
        }
    }

    void fillAll() {
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            for (int i = 0; i < kCells; ++i) {
                tickets[t][static_cast<std::size_t>(i)]->clear();
                paint(t, i, qRgb(255, 255, 255));
            }
            for (int row = 0; row < 6; ++row) {
                std::vector<int> columns{0, 1, 2, 3, 4, 5, 6, 7, 8};
                std::shuffle(columns.begin(), columns.end(), random);
                for (int k = 0; k < 5; ++k) {
                    const int c = columns[static_cast<std::size_t>(k)];
                    tickets[t][static_cast<std::size_t>(row * 9 + c)]->setText(
                        QString::number(10 * c + row + 1));
                }
            }
        }
    }

    void mark() {
        const QString text = QString::number(kMarked);
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            for (int i = 0; i < kCells; ++i) {
                QLineEdit* c = tickets[t][static_cast<std::size_t>(i)];
                if (i == 0)
                    c->setText(text);
                else if (c->text() == text)
                    c->clear();
                paint(t, i, qRgb(255, 255, 255));
            }
        }
    }
    int redFirstCells() {
        int n = 0;
        for (const auto& c : colours)
            n += c[0] == qRgb(255, 0, 0);
        return n;
    }
    void scrollTop() {
        scrolled = 0;
        content->move(0, 0);
    }
    void pageDown() {
        const int most = std::max(0, content->height() - kPage);
        scrolled = std::min(most, scrolled + kPage);
        content->move(0, -scrolled);
    }
};

template <class Tickets> Result Measure(int n) {
    Result r;
    Tickets tickets;
    Settle();

    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i)
        tickets.addTicket();
    Settle();
    const auto t1 = Clock::now();
    tickets.fillAll();
    Settle();
    const auto t2 = Clock::now();

    tickets.mark();
    Settle();
    const auto t3 = Clock::now();
    tickets.call(kMarked);
    Settle();
    const auto t4 = Clock::now();
    r.changed = tickets.redFirstCells();
    tickets.call(kMarked);
    Settle();
    const auto t5 = Clock::now();

    tickets.scrollTop();
    Settle();
    const auto t6 = Clock::now();
    for (int i = 0; i < kScrollPages; ++i) {
        tickets.pageDown();
        Settle();
    }
    const auto t7 = Clock::now();

    r.addAllMs = Ms(t0, t1);
    r.fillMs = Ms(t1, t2);
    r.callChangeMs = Ms(t3, t4);
    r.callSameMs = Ms(t4, t5);
    r.scrollMs = Ms(t6, t7) / kScrollPages;
    r.peakMb = qobench::PeakKb() / 1024;
    r.ok = true;
    return r;
}

// ---- Start-up: from a process without a toolkit to its first main window shown.

struct StartUp {
    double ms = 0;
    bool ok = false;
};

template <class Window> StartUp MeasureStartUp() {
    const auto t0 = Clock::now();
    int argc = 1;
    char* argv[] = {const_cast<char*>("tickets_bench"), nullptr};
    QApplication app(argc, argv);
    {
        Window window;
        Settle();
        const auto t1 = Clock::now();
        return StartUp{Ms(t0, t1), true};
    }
}

struct BareWindow {
    QWidget window;
    BareWindow() {
        window.setGeometry(20, 105, 547, 300);
        window.show();
    }
};

// The cheapest window that draws text: the first text loads the font configuration and the
// style, which every window with a caption pays.
struct LabelWindow {
    QWidget window;
    LabelWindow() {
        window.setGeometry(20, 105, 547, 300);
        auto* label = new QLabel(QStringLiteral("Заполнение"), &window);
        label->move(290, 10);
        window.show();
    }
};

// The same first sight made directly: a window with a menu bar, a number box and a framed list,
// so the fonts and the style are loaded as the program's window needs them.
struct PlainWindow {
    QWidget window;
    PlainWindow() {
        window.setGeometry(20, 105, 547, 300);
        auto* bar = new QMenuBar(&window);
        for (const char* title : {"&Билеты", "&Игра", "ПОСМОТРЕТЬ РЕКЛАМУ"})
            bar->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("&Новый"));
        bar->setGeometry(0, 0, 547, 22);
        auto* box = new QLineEdit(&window);
        box->setGeometry(0, 22, 547, 21);
        auto* list = new QFrame(&window);
        list->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        list->setGeometry(0, 43, 547, 240);
        auto* label = new QLabel(QStringLiteral("Заполнение"), list);
        label->move(290, 10);
        window.show();
    }
};

struct ProgramWindow {
    ProgramTickets program;
};

// ---- Running and reporting.

std::map<std::pair<bool, int>, Result> g_results;

void BM_Tickets(benchmark::State& state, bool program) {
    const int n = static_cast<int>(state.range(0));
    Result r;
    for (auto _ : state) {
        r = qobench::RunInChild<Result>(
            "tickets_bench", [&] { return program ? Measure<ProgramTickets>(n) : Measure<DirectTickets>(n); });
        if (!r.ok) {
            state.SkipWithError("child failed");
            return;
        }
        state.SetIterationTime(r.addAllMs / 1e3);
    }
    g_results[{program, n}] = r;
    state.counters["add_all_ms"] = r.addAllMs;
    state.counters["fill_ms"] = r.fillMs;
    state.counters["call_change_ms"] = r.callChangeMs;
    state.counters["call_same_ms"] = r.callSameMs;
    state.counters["scroll_ms"] = r.scrollMs;
    state.counters["peak_MB"] = r.peakMb;
    state.counters["cells_changed"] = r.changed;
}

struct StartKind {
    const char* key; // as TICKETS_BENCH_START names it
    const char* benchmark;
    StartUp (*measure)();
};
const StartKind kStarts[] = {
    {"empty", "empty_window_start_up", &MeasureStartUp<BareWindow>},
    {"label", "label_window_start_up", &MeasureStartUp<LabelWindow>},
    {"plain", "plain_window_start_up", &MeasureStartUp<PlainWindow>},
    {"program", "program_start_up", &MeasureStartUp<ProgramWindow>},
};
std::map<std::string, double> g_start; // best start-up by key

// The best of a few fresh processes: start-up is short and the machine is shared.
void BM_StartUp(benchmark::State& state, const StartKind& kind) {
    double best = 1e9;
    for (auto _ : state) {
        for (int i = 0; i < 5; ++i) {
            const StartUp s = qobench::RunInChild<StartUp>("tickets_bench", kind.measure, false);
            if (!s.ok) {
                state.SkipWithError("child failed");
                return;
            }
            best = std::min(best, s.ms);
        }
        state.SetIterationTime(best / 1e3);
    }
    g_start[kind.key] = best;
    state.counters["start_ms"] = best;
}

void PrintTable() {
    auto figure = [](int n, double Result::*field) {
        static char buf[8][64];
        static int k = 0;
        char* s = buf[k++ % 8];
        const auto p = g_results.find({true, n}), d = g_results.find({false, n});
        if (p == g_results.end()) return static_cast<const char*>("-");
        if (d == g_results.end()) {
            std::snprintf(s, 64, "%.2f", p->second.*field);
        } else {
            const double a = p->second.*field, b = d->second.*field;
            std::snprintf(s, 64, "%.2f / %.2f (%.2fx)", a, b, b > 0 ? a / b : 0.0);
        }
        return static_cast<const char*>(s);
    };
    std::printf("\nprogram / floor (ratio); the floor is one toolkit widget per cell, all made at once\n");
    std::printf("%-26s %-26s %-26s %-26s %-12s\n", "figure", "N=10", "N=100", "N=1000", "N=10000");
    const struct {
        const char* name;
        double Result::*field;
    } rows[] = {{"add all, ms", &Result::addAllMs},       {"fill all, ms", &Result::fillMs},
                {"call, N cells change, ms", &Result::callChangeMs},
                {"call, nothing changes, ms", &Result::callSameMs},
                {"scroll one page, ms", &Result::scrollMs}, {"peak memory, MB", &Result::peakMb}};
    for (const auto& row : rows)
        std::printf("%-26s %-26s %-26s %-26s %-12s\n", row.name, figure(10, row.field), figure(100, row.field),
                    figure(1000, row.field), figure(10000, row.field));
    std::printf("%-26s", "cells changed by the call");
    for (int n : {10, 100, 1000, 10000}) {
        const auto p = g_results.find({true, n});
        std::printf(" %-26d", p == g_results.end() ? -1 : p->second.changed);
    }
    const double program = g_start["program"];
    auto against = [&](const char* key, const char* what) {
        const double floor = g_start[key];
        std::printf("\n  %-60s %6.1f ms; program / it %.2fx", what, floor, floor > 0 ? program / floor : 0.0);
    };
    std::printf("\nstart-up to a shown main window: program %.1f ms", program);
    against("empty", "empty toolkit window");
    against("label", "toolkit window with one label");
    against("plain", "toolkit window with a menu bar, a box and a label");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    // For a profiler: TICKETS_BENCH_IN_PROCESS=N measures the program with N tickets in this very
    // process (no child, no floor) and prints its figures.
    // TICKETS_BENCH_START=empty|label|plain|program measures one start-up in this process.
    if (const char* which = std::getenv("TICKETS_BENCH_START")) {
        for (const StartKind& kind : kStarts) {
            if (std::string(which) == kind.key) std::printf("start-up (%s) %.2f ms\n", which, kind.measure().ms);
        }
        return 0;
    }
    if (const char* n = std::getenv("TICKETS_BENCH_IN_PROCESS")) {
        QApplication app(argc, argv);
        const Result r = Measure<ProgramTickets>(std::atoi(n));
        std::printf("add all %.2f ms, fill %.2f ms, call change %.2f ms, call same %.2f ms, scroll %.2f ms, "
                    "peak %.1f MB, changed %d\n",
                    r.addAllMs, r.fillMs, r.callChangeMs, r.callSameMs, r.scrollMs, r.peakMb, r.changed);
        return 0;
    }
    for (bool program : {false, true}) {
        auto* b = benchmark::RegisterBenchmark(program ? "program_tickets" : "direct_qt_tickets",
                                               [program](benchmark::State& s) { BM_Tickets(s, program); });
        b->Arg(10)->Arg(100)->Arg(1000);
        if (program) b->Arg(10000);
        b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    for (const StartKind& kind : kStarts) {
        benchmark::RegisterBenchmark(kind.benchmark, [&kind](benchmark::State& s) { BM_StartUp(s, kind); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintTable();
    return 0;
}
