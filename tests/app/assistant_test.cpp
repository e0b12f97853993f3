// "Подсказки": the cell that would complete a row, a card or a whole ticket framed, numbers typed
// where they cannot stand marked with why, each ticket saying how far it has got, a quiet sound when
// a ticket first comes one away; off until the player turns it on, and kept in the settings file.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <chrono>
#include <cmath>
#include <random>

#include "app/assistant.h"
#include "app/class_child_form_game_log.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_assistant.h"
#include "app/inline_code_d9d224.h"
#include "app/sound_length.h"
#include "game/ticket.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/layer/control.h"
#include "widgets/memo.h"
#include "widgets/panel.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_Assistant;
constexpr const char* kHintsItem = "Подсказки";

constexpr int At(int row, int column) {
    return row * 9 + column;
}

class Hints : public ::testing::Test {
protected:
    Hints() {
        ui.newTickets(2);
        // Ticket 1: rows 1 and 2 of its first card; ticket 2: one row.
        for (const char* n : {"5", "17", "38", "61", "90", "1", "12", "23", "44", "75"})
            ui.typeIntoEntry(0, n);
        for (const char* n : {"2", "13", "24", "35", "46"})
            ui.typeIntoEntry(1, n);
    }
    void call(std::initializer_list<const char*> numbers) {
        for (const char* n : numbers)
            ui.typeNumber(n);
        waitUntilIdle();
    }
    std::string tip(int ticket, int cell) { return qo::Cp1251ToUtf8(ui.cell(ticket, cell).toolTip()); }
    std::string summary(int ticket) {
        return qo::Cp1251ToUtf8(ui.ticket(ticket).panel().control()->accessibleName());
    }
    UiDriver ui;
};

TEST_F(Hints, OffUntilTurnedOnThenKeptInTheSettingsFile) {
    call({"5", "17", "38", "61"});
    EXPECT_EQ(ui.cell(0, At(0, 8)).mark(), qo::kNoMark) << "nothing shows before the player asks";
    EXPECT_EQ(summary(0), "Билет 1");

    ui.chooseMenu(kHintsItem);
    waitUntilIdle();
    EXPECT_TRUE(ui.root().assistant().on());
    EXPECT_EQ(ui.cell(0, At(0, 8)).mark(), TQOInlineCode_Assistant::kRowMark);
    EXPECT_EQ(tip(0, At(0, 8)), "последнее число ряда");
    EXPECT_NE(ui.settingsFile().find("Hints=1"), std::string::npos);

    ui.chooseMenu(kHintsItem);
    waitUntilIdle();
    EXPECT_EQ(ui.cell(0, At(0, 8)).mark(), qo::kNoMark);
    EXPECT_EQ(tip(0, At(0, 8)), "");
    EXPECT_EQ(summary(0), "Билет 1");
    EXPECT_NE(ui.settingsFile().find("Hints=0"), std::string::npos);
}

TEST_F(Hints, TheLastNumberIsFramedByWhatItWouldCompleteAndTheTicketSaysSo) {
    ui.chooseMenu(kHintsItem);
    ui.platform().sounds.clear();
    call({"5", "17", "38"});
    EXPECT_EQ(ui.cell(0, At(0, 6)).mark(), qo::kNoMark) << "two short is not one away";
    EXPECT_TRUE(ui.platform().sounds.empty());

    call({"61"});
    EXPECT_EQ(ui.cell(0, At(0, 8)).mark(), TQOInlineCode_Assistant::kRowMark);
    EXPECT_EQ(summary(0), "Билет 1: выпало 4 из 10; ряд 1 ждёт 90");
    EXPECT_EQ(ui.soundNames(), std::vector<std::string>{"Звук4.wav"})
        << "heard once, when it first came one away";
    call({"1", "12", "23", "44"});
    EXPECT_EQ(ui.soundNames().size(), 1u) << "still one away: no second sound";
    EXPECT_EQ(summary(0), "Билет 1: выпало 8 из 10; ряд 1 ждёт 90; ряд 2 ждёт 75");
    EXPECT_NE(qo::Cp1251ToUtf8(ui.logic(0).CellName(At(1, 7))).find("последнее число ряда"),
              std::string::npos);

    call({"90"}); // the row is complete: the frame goes with the need
    EXPECT_EQ(ui.cell(0, At(0, 8)).mark(), qo::kNoMark);
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), lotto::TQOInlineCode_D9D224::kGreen) << "the fill is the marking's";
}

TEST_F(Hints, NumbersTypedWhereTheyCannotStandAreMarkedWithWhy) {
    ui.chooseMenu(kHintsItem);
    ui.typeIntoCell(1, At(3, 0), QStringLiteral("47")); // not the first column's
    ui.typeIntoCell(1, At(3, 1), QStringLiteral("13")); // already in row 1
    waitUntilIdle();
    EXPECT_EQ(ui.cell(1, At(3, 0)).mark(), TQOInlineCode_Assistant::kProblem);
    EXPECT_EQ(ui.cell(1, At(3, 0)).font().color, TQOInlineCode_Assistant::kProblem);
    EXPECT_EQ(tip(1, At(3, 0)), "число не своего столбца");
    EXPECT_EQ(tip(1, At(3, 1)), "число повторяется в билете");
    EXPECT_EQ(tip(1, At(0, 1)), "число повторяется в билете");
    EXPECT_EQ(ui.cell(1, At(0, 0)).mark(), qo::kNoMark);

    ui.typeIntoCell(1, At(0, 5), QStringLiteral("57")); // a sixth number in row 1
    waitUntilIdle();
    EXPECT_EQ(tip(1, At(0, 0)), "в ряду больше пяти чисел");

    // Mended, the marks go; fill makes a ticket with none.
    for (const int cell : {At(3, 0), At(3, 1), At(0, 5)}) {
        QWidget* w = ui.cell(1, cell).widget();
        w->setFocus();
        QTest::keyClick(w, Qt::Key_End);
        QTest::keyClicks(w, QStringLiteral("\b\b"));
    }
    waitUntilIdle();
    for (int c = 0; c < 54; ++c)
        ASSERT_EQ(ui.cell(1, c).mark(), qo::kNoMark) << c;
    ui.click(0, UiDriver::Button::kFill);
    waitUntilIdle();
    for (int c = 0; c < 54; ++c)
        ASSERT_EQ(ui.cell(0, c).mark(), qo::kNoMark) << c;

    // A ticket that is another's over again.
    for (const char* n : {"2", "13", "24", "35", "46"})
        ui.typeIntoEntry(0, n);
    ui.platform().boxAnswers.push_back(qo::IDYES);
    ui.click(0, UiDriver::Button::kResetNumbers);
    for (const char* n : {"2", "13", "24", "35", "46"})
        ui.typeIntoEntry(0, n);
    waitUntilIdle();
    EXPECT_EQ(tip(0, At(0, 0)), "такие же числа у билета 2");
    EXPECT_EQ(tip(1, At(0, 0)), "такие же числа у билета 1");
}

// A zero, or a number written with a leading zero, is no number any call marks.
TEST_F(Hints, AZeroIsANumberThatCannotStand) {
    ui.chooseMenu(kHintsItem);
    ui.typeIntoCell(1, At(3, 0), QStringLiteral("0"));
    ui.typeIntoCell(1, At(3, 1), QStringLiteral("07"));
    waitUntilIdle();
    for (const int cell : {At(3, 0), At(3, 1)}) {
        EXPECT_EQ(ui.cell(1, cell).mark(), TQOInlineCode_Assistant::kProblem) << cell;
        EXPECT_EQ(tip(1, cell), "не число от 1 до 90") << cell;
    }
    EXPECT_TRUE(ui.cell(1, At(3, 0)).font().style & qo::font_style::Underline);
}

// The WCAG contrast of two colours, 1 to 21.
double Contrast(qo::Color a, qo::Color b) {
    const auto luminance = [](qo::Color c) {
        const auto channel = [](unsigned v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) +
               0.0722 * channel((c >> 16) & 0xFF);
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

TEST(HintMarks, ReadOnEveryFillColour) {
    using Ticket = lotto::TQOInlineCode_D9D224;
    const std::pair<const char*, qo::Color> marks[] = {
        {"row", TQOInlineCode_Assistant::kRowMark},
        {"card", TQOInlineCode_Assistant::kCardMark},
        {"ticket", TQOInlineCode_Assistant::kTicketMark},
        {"cannot stand", TQOInlineCode_Assistant::kProblem},
        {"called before", TQOInlineCode_Assistant::kMissedMark}};
    const std::pair<const char*, qo::Color> fills[] = {{"white", Ticket::kWhite},
                                                       {"red", Ticket::kRed},
                                                       {"green", Ticket::kGreen},
                                                       {"yellow", Ticket::kYellow},
                                                       {"light blue", Ticket::kLightBlue}};
    for (const auto& [mark, m] : marks) {
        for (const auto& [fill, f] : fills)
            EXPECT_GE(Contrast(m, f), 4.5) << mark << " on " << fill;
        for (const auto& [other, o] : marks)
            EXPECT_TRUE(m != o || mark == other) << mark << " and " << other << " look the same";
    }
}

// The quiet sound waits for a row's sound to end: both are heard whole.
TEST(HintSound, WaitsForTheMarkingSoundToEnd) {
    // A quarter of a second of 8 kHz, 8-bit mono: the header says so, which is all that is read.
    std::string wave = "RIFF0000WAVEfmt ";
    const auto little = [&wave](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wave += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    little(16, 4);
    little(1, 2);    // PCM
    little(1, 2);    // mono
    little(8000, 4); // samples a second
    little(8000, 4); // bytes a second
    little(1, 2);
    little(8, 2);
    wave += "data";
    little(2000, 4);
    wave += std::string(2000, '\x80');
    EXPECT_EQ(lotto::WaveLengthMs(wave), 250);
    EXPECT_EQ(lotto::WaveLengthMs(wave.substr(0, wave.size() - 1000)), 125) << "cut short";
    EXPECT_EQ(lotto::WaveLengthMs("RIFF"), 0);

    UiDriver::Options o;
    o.prepareFolder = [&](const std::string& folder) { writeFile(folder + "Звук1.wav", wave); };
    UiDriver ui(o);
    ui.newTickets(2);
    for (const char* n : {"5", "17", "38", "61", "90"})
        ui.typeIntoEntry(0, n);
    for (const char* n : {"2", "17", "38", "61", "90"})
        ui.typeIntoEntry(1, n);
    ui.chooseMenu(kHintsItem);
    for (const char* n : {"38", "61", "90", "5"})
        ui.typeNumber(n);
    waitUntilIdle();
    ui.platform().sounds.clear();
    // 17 completes ticket 1's row and leaves ticket 2's one away, at once.
    const auto called = std::chrono::steady_clock::now();
    ui.typeNumber("17");
    waitUntilIdle();
    EXPECT_EQ(ui.soundNames(), std::vector<std::string>{"Звук1.wav"}) << "the quiet sound waits";
    EXPECT_TRUE(waitUntil([&] { return ui.soundNames().size() == 2; }, 3000));
    EXPECT_EQ(ui.soundNames(), (std::vector<std::string>{"Звук1.wav", "Звук4.wav"}));
    EXPECT_GE(std::chrono::steady_clock::now() - called, std::chrono::milliseconds(240));
}

// A call reaches the tickets that hold it then. A number typed later, or on a ticket made later, is
// framed as called before while the game still has it called, and "Отметить выпавшие" marks it as
// its call would have: colours, sound and the log's line.
TEST(CalledBefore, IsFramedThenMarkedAsItsCallWouldHave) {
    UiDriver ui;
    ui.newTickets(1);
    for (const char* n : {"5", "17", "38", "61", "90"})
        ui.typeIntoEntry(0, n);
    ui.chooseMenu(kHintsItem);
    for (const char* n : {"5", "17", "38", "61", "44"})
        ui.typeNumber(n);
    ui.newTickets(1);
    for (const char* n : {"5", "17", "38", "61", "44"})
        ui.typeIntoEntry(1, n);
    waitUntilIdle();
    const int cells[] = {At(0, 0), At(0, 1), At(0, 3), At(0, 6), At(0, 4)};
    for (const int c : cells) {
        EXPECT_EQ(ui.cellColor(1, c), lotto::TQOInlineCode_D9D224::kWhite) << c;
        EXPECT_EQ(ui.cell(1, c).mark(), TQOInlineCode_Assistant::kMissedMark) << c;
    }
    EXPECT_EQ(qo::Cp1251ToUtf8(ui.cell(1, At(0, 4)).toolTip()), "уже выпало, но не отмечено");

    // Taken back, 44 is called no longer; called again, it reaches the new ticket as any call.
    ui.undoInNumberBox();
    waitUntilIdle();
    EXPECT_EQ(ui.cell(1, At(0, 4)).mark(), qo::kNoMark);
    EXPECT_EQ(ui.cell(1, At(0, 0)).mark(), TQOInlineCode_Assistant::kMissedMark);
    ui.typeNumber("44");
    waitUntilIdle();
    EXPECT_EQ(ui.cellColor(1, At(0, 4)), lotto::TQOInlineCode_D9D224::kRed);

    ui.platform().sounds.clear();
    ui.chooseMenu("Отметить выпавшие");
    waitUntilIdle();
    for (const int c : cells) {
        EXPECT_EQ(ui.cellColor(1, c), lotto::TQOInlineCode_D9D224::kGreen) << c;
        EXPECT_EQ(ui.cell(1, c).mark(), qo::kNoMark) << c;
    }
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), lotto::TQOInlineCode_D9D224::kWhite) << "the first ticket had them";
    std::vector<std::string> sounds = ui.soundNames();
    std::erase(sounds, "Звук4.wav");
    EXPECT_EQ(sounds, std::vector<std::string>{"Звук1.wav"});
    const std::string log = qo::Cp1251ToUtf8(ui.gameLog().controls().log->control()->text());
    EXPECT_EQ(log, "Ход 5 (44): билет 2, карточка 1, ряд 1\r\n");

    // Marked as the call would have, it is taken back as the call is.
    ui.undoInNumberBox();
    waitUntilIdle();
    EXPECT_EQ(ui.cellColor(1, At(0, 4)), lotto::TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(ui.cellColor(1, At(0, 0)), lotto::TQOInlineCode_D9D224::kRed);
}

// What each number would do, worked out from the rows' counts, against the marking rule itself:
// each number marked on a copy, then each other number of the row marked after it. The tickets are
// anything a player can make: numbers typed twice, in the wrong column, six to a row, and typed
// over after calls.
TEST(Prospects, EqualWhatTheMarkingRuleMakesOfEveryNumber) {
    using Ticket = lotto::game::Ticket;
    using lotto::game::Mark;
    using Kind = lotto::Prospect::Kind;
    std::mt19937 random(91);
    const auto draw = [&random](int from, int to) { return std::uniform_int_distribution(from, to)(random); };
    for (int round = 0; round < 400; ++round) {
        lotto::game::Numbers numbers{};
        lotto::game::Marks colours;
        colours.fill(Mark::None);
        for (std::size_t c = 0; c < numbers.size(); ++c) {
            const int column = static_cast<int>(c % 9);
            numbers[c] = draw(0, 9) < 5    ? 0
                         : draw(0, 9) == 0 ? draw(1, 99)
                                           : column * 10 + draw(column == 0, 9);
        }
        // Called mostly from the ticket's own numbers, so cards and whole tickets come near too.
        for (int k = draw(0, 40); k > 0; --k)
            Ticket::MarkRule(numbers, colours,
                             draw(0, 3) ? numbers[static_cast<std::size_t>(draw(0, 53))] : draw(1, 90));
        for (int k = draw(0, 3); k > 0; --k)
            numbers[static_cast<std::size_t>(draw(0, 53))] = draw(0, 90);

        std::vector<lotto::NumberedProspect> expected;
        for (int n = 1; n <= 90; ++n) {
            std::uint8_t rowsHolding = 0;
            for (std::size_t c = 0; c < numbers.size(); ++c) {
                if (numbers[c] == n && colours[c] == Mark::None)
                    rowsHolding |= static_cast<std::uint8_t>(1u << (c / 9));
            }
            if (!rowsHolding) continue;
            lotto::game::Marks after = colours;
            const lotto::game::Completions done = Ticket::MarkRule(numbers, after, n);
            std::uint8_t oneAway = 0;
            for (std::size_t r = 0; r < 6; ++r) {
                if (!(rowsHolding & (1u << r)) || (done.rows & (1u << r))) continue;
                for (std::size_t c = r * 9; c < r * 9 + 9; ++c) {
                    if (numbers[c] == n || numbers[c] < 1 || numbers[c] > 90 || after[c] != Mark::None)
                        continue;
                    lotto::game::Marks next = after;
                    if (Ticket::MarkRule(numbers, next, numbers[c]).rows & (1u << r))
                        oneAway |= static_cast<std::uint8_t>(1u << r);
                }
            }
            const auto add = [&](Kind kind, std::uint8_t index) {
                expected.push_back({static_cast<std::uint8_t>(n), {7, kind, index}});
            };
            if (done.ticket) add(Kind::Ticket, 0);
            for (std::uint8_t card = 0; card < 2; ++card) {
                if (done.cards & (1u << card)) add(Kind::Card, card);
            }
            for (std::uint8_t r = 0; r < 6; ++r) {
                if (done.rows & (1u << r)) add(Kind::Row, r);
            }
            for (std::uint8_t r = 0; r < 6; ++r) {
                if (oneAway & (1u << r)) add(Kind::OneAway, r);
            }
        }
        std::vector<lotto::NumberedProspect> got;
        lotto::TicketProspects(7, numbers, colours, got);
        ASSERT_EQ(got.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].number, expected[i].number) << "round " << round;
            ASSERT_EQ(got[i].what, expected[i].what)
                << "round " << round << ", number " << int(got[i].number);
        }
    }
}

} // namespace
} // namespace qotest
