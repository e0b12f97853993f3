// Tickets through the widget layer beside the same widgets made directly with the toolkit.
//
// Each run builds N ticket-shaped groups (4 panels, 54 one-line edits, 6 buttons, a label, a memo)
// in a shown window, then recolours every cell. Every (variant, N) runs in a child process of its
// own, so the peak memory (VmHWM) of one does not hide another's. The parent never touches the
// toolkit, which keeps fork() safe.
#include "bench_support.h"
#include "widgets/layer/button_control.h"
#include "widgets/layer/control.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/label_control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/panel_control.h"
#include "widgets/layer/scroll_box_control.h"
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCells = 54;
constexpr int kButtons = 6;

struct Result {
    double buildSeconds = 0;    // create, lay out, show, paint
    double recolourSeconds = 0; // every cell to another colour, repainted
    double peakMb = 0;
    bool ok = false;
};

double PeakMb() {
    return qobench::PeakKb() / 1024.0;
}

QRect CellRect(int i) {
    const int k = i / 27, r = (i % 27) / 9, c = i % 9;
    return QRect(5 + 30 * c, 5 + 100 * k + 30 * r, 25, 25);
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// ---- The layer.

struct LayerTickets {
    qo::Control* form = nullptr;
    qo::Control* box = nullptr;
    std::vector<qo::Control*> cells;
    int events = 0;

    LayerTickets() {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(20, 105, 547, 300);
        form->setFont(qo::FontDesc{"MS Sans Serif", -11, 0, 0, 1});
        form->show();
        box = qo::ScrollBoxControl::Create(form, 2);
        box->setBounds(0, 25, 539, 248);
        box->setAlign(qo::alClient);
        box->setClientEdge(true);
    }
    ~LayerTickets() { form->destroy(); }

    // The handlers every window element installs.
    void hook(qo::Control* c) {
        c->setOnMouseDown([this](const qo::MouseEvent&) { ++events; });
        c->setOnMouseUp([this](const qo::MouseEvent&) { ++events; });
        c->setOnKeyDown([this](int&, int) { ++events; });
        c->setOnKeyUp([this](int&, int) { ++events; });
        c->setOnResize([this] { ++events; });
        c->setOnDestroyed([this] { ++events; });
        auto previous = c->setMessageHandler([this](qo::Message& m) {
            if (m.msg == qo::WM_SETFOCUS) ++events;
            return false;
        });
        (void)previous;
    }

    qo::Control* panel(qo::Control* parent, QRect r, int align, const qo::PanelStyle& style = {}) {
        auto* p = qo::PanelControl::Create(parent, style);
        hook(p);
        p->setPosition(r.x(), r.y());
        p->setSize(r.width(), r.height());
        p->setAlign(align);
        p->setColor(0xFF00000Fu);
        return p;
    }

    void addTicket() {
        qo::Control* ticket = panel(box, QRect(0, 0, 489, 200), qo::alTop);
        qo::Control* body = panel(ticket, QRect(2, 2, 365, 196), qo::alLeft);
        qo::Control* notes = panel(ticket, QRect(367, 2, 120, 196), qo::alClient);
        qo::Control* memo =
            qo::EditControl::Create(notes, qo::edit_option::MultiLine | qo::edit_option::NoHScroll |
                                               qo::edit_option::NoHideSel | qo::edit_option::KeepTab);
        hook(memo);
        memo->setBounds(5, 5, 635, 347);
        memo->setAlign(qo::alClient);
        memo->setColor(0xFF000005u);
        panel(body, QRect(275, 5, 5, 185), qo::alNone, {0, 2, 1, 0, 1});
        const qo::FontDesc cellFont{"Arial", 18, qo::font_style::Bold, qo::clNavy, 204};
        for (int i = 0; i < kCells; ++i) {
            auto* cell = qo::EditControl::Create(body, qo::edit_option::Number);
            const QRect r = CellRect(i);
            cell->setBounds(r.x(), r.y(), r.width(), r.height());
            cell->setFont(cellFont);
            cell->setTextAlign(2);
            cell->setColor(qo::clWhite);
            cell->limitText(2);
            cell->setCursor(19);
            cells.push_back(cell);
        }
        for (int i = 0; i < kButtons; ++i) {
            auto* b = qo::ButtonControl::Create(body);
            hook(b);
            b->setBounds(290, 60 + 22 * i, 65, 20);
            b->setText("Button");
            b->setOnClick([this] { ++events; });
        }
        auto* label = qo::LabelControl::Create(body);
        hook(label);
        label->setPosition(290, 5);
        label->setText("Ticket");
        label->setAutoSize(true);
    }

    void recolour(qo::Color c) {
        for (qo::Control* cell : cells)
            cell->setColor(c);
    }
};

// ---- The toolkit directly: the same widgets, palettes made once, fonts made once.

struct DirectTickets {
    QWidget window;
    QFrame* box = nullptr;
    QWidget* content = nullptr;
    std::vector<QLineEdit*> cells;
    QPalette face, white, red, windowColour;
    QFont small, cellFont;
    int count = 0;

    DirectTickets() {
        const QPalette base = QApplication::palette();
        auto make = [&](const QColor& bg, const QColor& fg) {
            QPalette p = base;
            for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
                p.setColor(role, bg);
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                p.setColor(role, fg);
            return p;
        };
        face = make(base.color(QPalette::Button), Qt::black);
        white = make(Qt::white, QColor(0, 0, 128));
        red = make(Qt::red, QColor(0, 0, 128));
        windowColour = make(base.color(QPalette::Base), Qt::black);
        small = QApplication::font();
        small.setPixelSize(11);
        cellFont = QFont(QStringLiteral("Arial"));
        cellFont.setBold(true);
        cellFont.setPixelSize(16);
        window.setGeometry(20, 105, 547, 300);
        window.setFont(small);
        window.show();
        box = new QFrame(&window);
        box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        box->setGeometry(0, 0, 547, 300);
        content = new QWidget(box);
        content->setAutoFillBackground(true);
        content->setGeometry(2, 2, 527, 296);
        box->show();
        content->show();
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
        QFrame* ticket = panel(content, QRect(0, 200 * count, 527, 200));
        ++count;
        content->resize(527, std::max(296, 200 * count));
        QFrame* body = panel(ticket, QRect(0, 0, 365, 200));
        QFrame* notes = panel(ticket, QRect(365, 0, 162, 200));
        auto* memo = new QPlainTextEdit(notes);
        memo->setGeometry(0, 0, 162, 200);
        memo->setPalette(windowColour);
        memo->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->show();
        QFrame* divider = panel(body, QRect(275, 5, 5, 185));
        divider->setFrameStyle(QFrame::Panel | QFrame::Raised);
        for (int i = 0; i < kCells; ++i) {
            auto* cell = new QLineEdit(body);
            cell->setGeometry(CellRect(i));
            cell->setFont(cellFont);
            cell->setAlignment(Qt::AlignCenter);
            cell->setPalette(white);
            cell->setMaxLength(2);
            cell->setCursor(Qt::IBeamCursor);
            cell->show();
            cells.push_back(cell);
        }
        for (int i = 0; i < kButtons; ++i) {
            auto* b = new QPushButton(QStringLiteral("Button"), body);
            b->setGeometry(290, 60 + 22 * i, 65, 20);
            b->setPalette(face);
            b->show();
        }
        auto* label = new QLabel(QStringLiteral("Ticket"), body);
        label->move(290, 5);
        label->adjustSize();
        label->show();
    }

    void recolour() {
        for (QLineEdit* cell : cells)
            cell->setPalette(red);
    }
};

template <class Tickets, class Recolour> Result Measure(int n, Recolour recolour) {
    using Clock = std::chrono::steady_clock;
    Result r;
    Tickets tickets;
    Settle();
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i)
        tickets.addTicket();
    Settle();
    const auto t1 = Clock::now();
    recolour(tickets);
    Settle();
    const auto t2 = Clock::now();
    r.buildSeconds = std::chrono::duration<double>(t1 - t0).count();
    r.recolourSeconds = std::chrono::duration<double>(t2 - t1).count();
    r.peakMb = PeakMb();
    r.ok = true;
    return r;
}

Result RunChild(bool layer, int n) {
    return qobench::RunInChild<Result>("layer_bench", [&] {
        return layer ? Measure<LayerTickets>(n, [](LayerTickets& t) { t.recolour(0x0000FFu); })
                     : Measure<DirectTickets>(n, [](DirectTickets& t) { t.recolour(); });
    });
}

std::map<std::pair<bool, int>, Result> g_results;

void BM_Tickets(benchmark::State& state, bool layer) {
    const int n = static_cast<int>(state.range(0));
    Result r;
    for (auto _ : state) {
        r = RunChild(layer, n);
        if (!r.ok) {
            state.SkipWithError("child failed");
            return;
        }
        state.SetIterationTime(r.buildSeconds);
    }
    g_results[{layer, n}] = r;
    state.counters["build_us_per_ticket"] = r.buildSeconds * 1e6 / n;
    state.counters["recolour_us_per_ticket"] = r.recolourSeconds * 1e6 / n;
    state.counters["peak_MB"] = r.peakMb;
}

} // namespace

int main(int argc, char** argv) {
    for (bool layer : {false, true}) {
        auto* b = benchmark::RegisterBenchmark(layer ? "layer_tickets" : "direct_qt_tickets",
                                               [layer](benchmark::State& s) { BM_Tickets(s, layer); });
        b->Arg(10)->Arg(100)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%6s %28s %28s %24s\n", "N", "build us/ticket layer/direct", "recolour us/ticket l/d",
                "peak MB layer/direct");
    for (int n : {10, 100, 1000}) {
        const auto l = g_results.find({true, n}), d = g_results.find({false, n});
        if (l == g_results.end() || d == g_results.end()) continue;
        const Result& a = l->second;
        const Result& b = d->second;
        std::printf("%6d %10.0f/%-8.0f (%4.2fx) %10.1f/%-8.1f (%4.2fx) %8.0f/%-6.0f (%4.2fx)\n", n,
                    a.buildSeconds * 1e6 / n, b.buildSeconds * 1e6 / n, a.buildSeconds / b.buildSeconds,
                    a.recolourSeconds * 1e6 / n, b.recolourSeconds * 1e6 / n,
                    a.recolourSeconds / b.recolourSeconds, a.peakMb, b.peakMb, a.peakMb / b.peakMb);
    }
    return 0;
}
