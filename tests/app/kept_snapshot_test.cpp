// The kept game's snapshot: taken on the loop, written by the writer's thread byte for byte as the
// writer that read every cell wrote it, nothing typed after it lost, and put back as it was.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <atomic>
#include <charconv>
#include <future>
#include <limits>
#include <numeric>
#include <random>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_kept_game.h"
#include "app/kept_game.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/layer/kept_file.h"
#include "widgets/layer/messages.h"

namespace qotest {
namespace {

using lotto::KeptGame;
using lotto::KeptGameSnapshot;
using lotto::KeptTicket;
using Cells = lotto::TQOInlineCode_D9D224;
using Outcome = lotto::KeptGameReading::Outcome;

// ---- The writer before the snapshot, kept here as it stood: every cell's text and colour read
// from the cells, and each line built on its own.

std::string OldEncoded(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > ' ' && b < 0x7F && b != '%' && b != ';') {
            out += ch;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

template <class N> std::string OldNumbers(const std::vector<N>& numbers) {
    std::string out;
    for (const int n : numbers) {
        if (!out.empty()) out += ' ';
        out += std::to_string(n);
    }
    return out;
}

char OldLetter(qo::Color c) {
    switch (c) {
    case Cells::kRed:
        return 'R';
    case Cells::kGreen:
        return 'G';
    case Cells::kYellow:
        return 'Y';
    case Cells::kLightBlue:
        return 'B';
    default:
        return 'W';
    }
}

std::string OldText(const KeptGame& game) {
    std::string text;
    auto line = [&text](std::string_view word, std::string_view value) {
        text += word;
        if (!value.empty()) {
            text += ' ';
            text += value;
        }
        text += "\r\n";
    };
    line("fishkodrom-game", "1.1");
    for (const KeptTicket& t : game.tickets) {
        line("ticket", std::to_string(t.fillPosition));
        std::string cells;
        for (std::size_t i = 0; i < t.cells.size(); ++i) {
            if (i > 0) cells += ';';
            cells += OldEncoded(t.cells[i]);
        }
        line("cells", cells);
        std::string colours;
        for (const qo::Color c : t.colours)
            colours += OldLetter(c);
        line("colours", colours);
        if (!t.notes.empty()) line("notes", OldEncoded(t.notes));
        if (!t.delivered.empty()) line("delivered", OldNumbers(t.delivered));
    }
    line("real", OldNumbers(game.realMoves));
    line("moves", std::to_string(game.realMoves.size()));
    line("virtual", game.virtualOpen ? "open" : "closed");
    line("drawn", OldNumbers(game.virtualDrawn));
    line("count", OldEncoded(game.virtualCount));
    if (game.endedByClosing) line("ended", {});
    std::uint32_t h = 2166136261u;
    for (const char c : text)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[9];
    const auto [end, ec] = std::to_chars(hex, hex + 8, h, 16);
    line("end", std::string(hex, end));
    return text;
}

// What the old writer collected: each ticket's cells and notes as their controls hold them.
KeptGame OldCollect(UiDriver& ui) {
    KeptGame game;
    game.tickets.resize(static_cast<std::size_t>(ui.ticketCount()));
    for (int i = 0; i < ui.ticketCount(); ++i)
        ui.ticket(i).Keep(game.tickets[static_cast<std::size_t>(i)]);
    ui.gameScheme().Keep(game);
    return game;
}

// ---- The text, on games made at random.

// Cell texts of every kind: empty, the numbers as typed, and texts a cell can hold that no call
// marks (a leading zero, a number past 90, a stray byte).
const char* const kCellTexts[] = {"", "", "", "5", "38", "90", "0", "07", "95", "99", "x;", "%"};
const qo::Color kColours[] = {Cells::kWhite,  Cells::kRed,       Cells::kGreen,
                              Cells::kYellow, Cells::kLightBlue, 0x123456};

KeptGame RandomGame(std::mt19937& random) {
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    KeptGame g;
    g.tickets.resize(static_cast<std::size_t>(pick(6)));
    for (KeptTicket& t : g.tickets) {
        for (std::size_t c = 0; c < t.cells.size(); ++c) {
            t.cells[c] = kCellTexts[pick(std::size(kCellTexts))];
            t.colours[c] = kColours[pick(std::size(kColours))];
        }
        t.fillPosition = pick(31) - 1;
        const int notes = pick(4);
        for (int i = 0; i < notes * 7; ++i)
            t.notes += static_cast<char>(pick(256));
        for (int i = pick(25); i > 0; --i)
            t.delivered.push_back(static_cast<std::uint8_t>(pick(90) + 1));
    }
    // A game's numbers come once each.
    std::vector<int> numbers(90);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), random);
    g.realMoves.assign(numbers.begin(), numbers.begin() + pick(10));
    g.virtualOpen = pick(2) == 1;
    std::shuffle(numbers.begin(), numbers.end(), random);
    g.virtualDrawn.assign(numbers.begin(), numbers.begin() + pick(10));
    g.virtualCount = pick(2) ? "" : std::to_string(pick(100));
    g.endedByClosing = pick(2) == 1;
    return g;
}

class KeptSnapshotText : public ::testing::TestWithParam<unsigned> {};

TEST_P(KeptSnapshotText, WritesWhatTheOldWriterWroteAndReadsBack) {
    std::mt19937 random(GetParam());
    for (int round = 0; round < 40; ++round) {
        const KeptGame g = RandomGame(random);
        const std::string text = lotto::KeptGameText(g);
        ASSERT_EQ(text, OldText(g)) << "round " << round;
        const KeptGameSnapshot s = KeptGameSnapshot::Of(g);
        EXPECT_EQ(lotto::KeptGameText(s), text);
        // Read back: the same game, but for a colour from outside the five, which is kept as none.
        KeptGame expected = g;
        for (KeptTicket& t : expected.tickets) {
            for (qo::Color& c : t.colours)
                c = OldLetter(c) == 'W' ? Cells::kWhite : c;
        }
        EXPECT_EQ(s.Game(), expected);
        // A text no cell can be typed with is written all the same, and read as a bad line.
        const bool strange = std::any_of(g.tickets.begin(), g.tickets.end(), [](const KeptTicket& t) {
            return std::any_of(t.cells.begin(), t.cells.end(),
                               [](const std::string& c) { return c == "x;" || c == "%"; });
        });
        KeptGame back;
        ASSERT_EQ(lotto::ReadKeptGame(text, back).outcome, strange ? Outcome::Damaged : Outcome::Read);
        if (!strange) {
            EXPECT_EQ(back, expected);
        }
    }
}

TEST(KeptSnapshotText, FieldsAtTheirLongestStillFit) {
    // Made here, never read so: each line at its longest, so a text built in room measured
    // beforehand must not run past it.
    KeptGame g;
    for (const std::int32_t fill :
         {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
        KeptTicket& t = g.tickets.emplace_back();
        t.fillPosition = fill;
        t.cells.fill(std::string(2, '\x01'));
        t.notes = std::string(100, '\n');
        t.delivered.assign(200, 90);
    }
    g.virtualCount = std::string(50, '%');
    EXPECT_EQ(lotto::KeptGameText(g), OldText(g));
}

INSTANTIATE_TEST_SUITE_P(Seeds, KeptSnapshotText, ::testing::Values(1u, 2u, 3u, 4u));

TEST(KeptSnapshot, EqualGamesAloneCompareEqual) {
    std::mt19937 random(7);
    KeptGame g = RandomGame(random);
    while (g.tickets.size() < 2)
        g = RandomGame(random);
    const KeptGameSnapshot s = KeptGameSnapshot::Of(g);
    EXPECT_TRUE(s.sameGame(KeptGameSnapshot::Of(g)));
    // The same cells and notes split differently between two tickets are another game.
    KeptGame moved = g;
    moved.tickets[0].notes += "a";
    moved.tickets[1].notes = "a" + moved.tickets[1].notes;
    EXPECT_FALSE(s.sameGame(KeptGameSnapshot::Of(moved)));
    KeptGame odd = g;
    odd.tickets[1].cells[0] = "07";
    odd.tickets[1].cells[1] = "7";
    KeptGame swapped = g;
    swapped.tickets[1].cells[0] = "7";
    swapped.tickets[1].cells[1] = "07";
    EXPECT_FALSE(KeptGameSnapshot::Of(odd).sameGame(KeptGameSnapshot::Of(swapped)));
    KeptGame ended = g;
    ended.endedByClosing = !g.endedByClosing;
    EXPECT_TRUE(s.sameGame(KeptGameSnapshot::Of(ended))) << "how a run ended is no part of the game";
}

// ---- The program: a game played at random, kept, and put back in a second run.

class KeptSnapshotRuns : public ::testing::TestWithParam<unsigned> {
protected:
    std::string folder() const { return data.path().toStdString() + "/"; }
    std::string file() const { return folder() + lotto::TQOInlineCode_KeptGame::kFileName; }
    std::unique_ptr<UiDriver> run() {
        UiDriver::Options o;
        o.dataFolder = folder();
        return std::make_unique<UiDriver>(o);
    }

    // Every way a player changes what is kept, tickets made and deleted in between, so notes
    // typed after the list moved land on the right ticket.
    static void PlayAtRandom(UiDriver& ui, std::mt19937& random) {
        auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        ui.newTickets(3);
        for (int step = 0; step < 60; ++step) {
            const int t = pick(ui.ticketCount());
            switch (pick(11)) {
            case 0:
                if (ui.ticketCount() < 6) ui.newTickets(1);
                break;
            case 1:
                if (ui.ticketCount() > 1) {
                    ui.platform().boxAnswers = {qo::IDYES};
                    ui.click(t, UiDriver::Button::kDelete);
                }
                break;
            case 2:
                ui.typeIntoEntry(t, QString::number(pick(90) + 1));
                break;
            case 3:
                ui.click(t, UiDriver::Button::kFill);
                break;
            case 4:
            case 5:
                ui.typeNumber(QString::number(pick(90) + 1));
                break;
            case 6:
                ui.cell(t, pick(54)).setText(kCellTexts[pick(std::size(kCellTexts) - 2)]);
                break;
            case 7:
                ui.typeNotes(t, pick(2) ? QStringLiteral("ряд %1\n").arg(step) : QStringLiteral("; 100%"));
                break;
            case 8:
                ui.undoInNumberBox();
                break;
            case 9:
                ui.platform().boxAnswers = {qo::IDYES};
                ui.click(t, pick(2) ? UiDriver::Button::kResetColours : UiDriver::Button::kResetNumbers);
                break;
            case 10:
                ui.cell(t, pick(54)).setColor(kColours[pick(std::size(kColours))]);
                break;
            }
        }
        // Texts no call marks, the last thing done, so some stay to be kept.
        for (const char* text : {"0", "07", "00"})
            ui.cell(pick(ui.ticketCount()), pick(54)).setText(text);
    }

    QTemporaryDir data;
};

TEST_P(KeptSnapshotRuns, TheFileIsTheOldWritersAndComesBackWhole) {
    std::mt19937 random(GetParam());
    KeptGame played;
    {
        auto ui = run();
        ui->keptGame().delayMs = 60'000; // written when the test says
        PlayAtRandom(*ui, random);
        played = OldCollect(*ui);
        ASSERT_FALSE(ui->keptGame().Snapshot().odd.empty()) << "some cells the model holds no number for";
        ASSERT_TRUE(ui->keptGame().WriteNow());
        EXPECT_EQ(readFile(file()), OldText(played));
        EXPECT_TRUE(ui->keptGame().Collect().sameGame(played));
        ui->close();
    }
    played.endedByClosing = true;
    EXPECT_EQ(readFile(file()), OldText(played));

    auto ui = run();
    ui->chooseMenu("Вернуть прошлую игру");
    const KeptGame back = OldCollect(*ui);
    EXPECT_TRUE(back.sameGame(played));
    EXPECT_EQ(ui->ticketCount(), static_cast<int>(played.tickets.size()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, KeptSnapshotRuns, ::testing::Values(11u, 12u, 13u));

TEST(KeptSnapshotWrite, AChangeAfterTheSnapshotIsWrittenNextAndNotBefore) {
    QTemporaryDir data;
    UiDriver::Options o;
    o.dataFolder = data.path().toStdString() + "/";
    UiDriver ui(o);
    const std::string file = o.dataFolder + lotto::TQOInlineCode_KeptGame::kFileName;
    auto& keeper = ui.keptGame();
    keeper.delayMs = 60'000;
    ui.newTickets(2);
    ui.typeIntoEntry(0, "5");
    ui.typeNumber("5");
    ASSERT_TRUE(keeper.WriteNow());
    // Long enough that the clock cannot run before the test hands it the loop.
    keeper.delayMs = 1000;

    // The writer is kept busy, so the snapshot's text is made only after the change below.
    std::promise<void> release;
    std::atomic<bool> holding{false};
    keeper.writer().post(
        o.dataFolder + "busy",
        [&holding, wait = release.get_future().share()] {
            holding = true;
            wait.wait();
            return std::string("busy");
        },
        {}, nullptr);
    ASSERT_TRUE(waitUntil([&] { return holding.load(); }));
    const int before = keeper.writeCount();
    ui.typeIntoEntry(1, "38");
    keeper.WriteLater();
    const KeptGame snapped = OldCollect(ui);

    ui.typeNotes(1, QStringLiteral("после снимка"));
    ui.typeNumber("17");
    const KeptGame changed = OldCollect(ui);
    ASSERT_FALSE(changed.sameGame(snapped));
    release.set_value();
    keeper.writer().drain();
    EXPECT_EQ(keeper.writeCount(), before + 1);
    EXPECT_EQ(readFile(file), OldText(snapped)) << "the game as it stood at the snapshot";

    ASSERT_TRUE(waitUntil([&] { return keeper.writeCount() == before + 2; }, 5000));
    EXPECT_EQ(readFile(file), OldText(changed)) << "and the change after it, on the next turn";
    EXPECT_EQ(readFile(file + ".1"), OldText(snapped));
}

} // namespace
} // namespace qotest
