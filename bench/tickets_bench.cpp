// The program's tickets beside the direct-toolkit floor, for N = 10, 100, 1000 tickets:
//   add       one more ticket when N exist (through the menu's "&Новый" point),
//   call      one called number delivered to all N tickets (the number box's road),
//   fill      "&Заполнить все" on N tickets,
//   memory    peak resident memory per ticket.
// The floor builds the same widgets directly (panels, 54 one-line edits, 6 buttons, a label, a memo)
// and does the same work on them with palettes made once. Every (variant, N) runs in a child
// process of its own so that one's peak memory does not hide another's; the parent never touches
// the toolkit, which keeps fork() safe.
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
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
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/class_main_form_d80004.h"
#include "bench_support.h"
#include "containers/child_scroll_box.h"
#include "runtime/event_scope.h"
#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kCells = 54;
constexpr int kButtons = 6;
constexpr int kExtraAdds = 5; // the add figure is the mean of this many adds past N

struct Result {
    double addSeconds = 0;  // one add when N exist
    double callSeconds = 0; // one number to all N
    double fillSeconds = 0; // fill all N
    double kbPerTicket = 0;
    bool ok = false;
};

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// ---- The program.

// Nothing is asked, played or opened; the program folder is a temporary one.
class QuietPlatform final : public qo::Platform {
public:
    int messageBox(qo::Control*, const std::string&, const std::string&, std::uint32_t) override {
        return qo::IDYES;
    }
    bool fileDialog(qo::FileDialog&) override { return false; }
    void playSound(const std::string&) override {}
    void openUrl(const std::string&) override {}
    std::int64_t utcTimeOfDayMs() override { return 43'210'987; }
    std::string programFolder() override { return dir_.path().toStdString() + "/"; }
    bool fileExists(const std::string&) override { return false; }

private:
    QTemporaryDir dir_;
};

struct ProgramTickets {
    QuietPlatform platform;
    qo::Platform* previous = qo::SetPlatform(&platform);
    std::unique_ptr<lotto::TClassMainForm_D80004> root = std::make_unique<lotto::TClassMainForm_D80004>();

    ProgramTickets() {
        root->form().Start();
        root->form().control()->show();
    }
    ~ProgramTickets() {
        root.reset();
        qo::SetPlatform(previous);
    }
    // As the menu and the number box reach the list: through its container, inside an event.
    void send(std::uint16_t input, std::int32_t value) {
        qo::EventScope scope;
        qo::TData d;
        qo::MakeInteger(d, value);
        root->ticketList().Input(d, input);
    }
    void addTicket() { send(0, 1); }
    void call(int number) { send(1, number); }
    void fillAll() { send(0, 6); }
};

// ---- The toolkit directly: the same widgets and the same work, palettes and fonts made once.

QRect CellRect(int i) {
    const int k = i / 27, r = (i % 27) / 9, c = i % 9;
    return QRect(5 + 30 * c, 5 + 100 * k + 30 * r, 25, 25);
}

struct DirectTickets {
    QWidget window;
    QWidget* content = nullptr;
    std::vector<std::vector<QLineEdit*>> tickets;
    std::vector<std::vector<QRgb>> colours;
    QPalette face, windowColour;
    std::map<QRgb, QPalette> cellPalettes;
    QFont small, cellFont;
    std::mt19937 random{12345};

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
        content = new QWidget(box);
        content->setGeometry(2, 2, 519, 244);
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
        // New tickets go on top of the list, as the program scrolls to the top before each add.
        const int count = static_cast<int>(tickets.size());
        content->resize(519, std::max(244, 200 * (count + 1)));
        QFrame* ticket = panel(content, QRect(0, 200 * count, 519, 200));
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
};

template <class Tickets> Result Measure(int n) {
    Result r;
    Tickets tickets;
    Settle();
    const double baseKb = qobench::PeakKb();
    for (int i = 0; i < n; ++i)
        tickets.addTicket();
    Settle();
    r.kbPerTicket = (qobench::PeakKb() - baseKb) / n;

    const auto t0 = Clock::now();
    tickets.fillAll();
    Settle();
    const auto t1 = Clock::now();
    tickets.call(11); // in a filled ticket's first row when its first column is used
    Settle();
    const auto t2 = Clock::now();
    for (int i = 0; i < kExtraAdds; ++i)
        tickets.addTicket();
    Settle();
    const auto t3 = Clock::now();
    r.fillSeconds = Seconds(t0, t1);
    r.callSeconds = Seconds(t1, t2);
    r.addSeconds = Seconds(t2, t3) / kExtraAdds;
    r.ok = true;
    return r;
}

Result RunChild(bool program, int n) {
    return qobench::RunInChild<Result>(
        "tickets_bench", [&] { return program ? Measure<ProgramTickets>(n) : Measure<DirectTickets>(n); });
}

std::map<std::pair<bool, int>, Result> g_results;

void BM_Tickets(benchmark::State& state, bool program) {
    const int n = static_cast<int>(state.range(0));
    Result r;
    for (auto _ : state) {
        r = RunChild(program, n);
        if (!r.ok) {
            state.SkipWithError("child failed");
            return;
        }
        state.SetIterationTime(r.callSeconds);
    }
    g_results[{program, n}] = r;
    state.counters["add_ms"] = r.addSeconds * 1e3;
    state.counters["call_ms"] = r.callSeconds * 1e3;
    state.counters["fill_ms"] = r.fillSeconds * 1e3;
    state.counters["KB_per_ticket"] = r.kbPerTicket;
}

} // namespace

int main(int argc, char** argv) {
    for (bool program : {false, true}) {
        auto* b = benchmark::RegisterBenchmark(program ? "program_tickets" : "direct_qt_tickets",
                                               [program](benchmark::State& s) { BM_Tickets(s, program); });
        b->Arg(10)->Arg(100)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%6s %24s %24s %24s %24s\n", "N", "add ms program/direct", "call ms program/direct",
                "fill ms program/direct", "KB/ticket program/direct");
    for (int n : {10, 100, 1000}) {
        const auto p = g_results.find({true, n}), d = g_results.find({false, n});
        if (p == g_results.end() || d == g_results.end()) continue;
        const Result& a = p->second;
        const Result& b = d->second;
        auto cell = [](double x, double y) {
            static char buf[4][64];
            static int k = 0;
            char* s = buf[k++ % 4];
            std::snprintf(s, 64, "%7.2f/%-7.2f (%5.2fx)", x, y, y > 0 ? x / y : 0.0);
            return s;
        };
        std::printf("%6d %24s %24s %24s %24s\n", n, cell(a.addSeconds * 1e3, b.addSeconds * 1e3),
                    cell(a.callSeconds * 1e3, b.callSeconds * 1e3),
                    cell(a.fillSeconds * 1e3, b.fillSeconds * 1e3), cell(a.kbPerTicket, b.kbPerTicket));
    }
    return 0;
}
