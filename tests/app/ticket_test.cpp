// One ticket driven through its own widgets: numbers entered row by row into decade columns, the
// random fill, marking called numbers up to a complete ticket with its sounds, and the ticket's own
// reset buttons.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/inline_code_d9d224.h"
#include "runtime/data.h"
#include "support/ui_driver.h"
#include "widgets/layer/messages.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;
constexpr qo::Color kWhite = TQOInlineCode_D9D224::kWhite;
constexpr qo::Color kRed = TQOInlineCode_D9D224::kRed;
constexpr qo::Color kGreen = TQOInlineCode_D9D224::kGreen;
constexpr qo::Color kYellow = TQOInlineCode_D9D224::kYellow;
constexpr qo::Color kLightBlue = TQOInlineCode_D9D224::kLightBlue;

constexpr int At(int row, int column) {
    return row * 9 + column;
}

// ---- Entering numbers through the ticket's entry box.

struct EntryCase {
    const char* name;
    std::vector<const char*> typed;                 // each confirmed with Enter
    std::vector<std::pair<int, const char*>> cells; // the non-empty cells afterwards
};

class TicketEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(TicketEntry, PlacesRowByRowIntoDecadeColumns) {
    UiDriver ui;
    ui.newTickets(1);
    for (const char* number : GetParam().typed)
        ui.typeIntoEntry(0, number);

    std::vector<std::string> expected(54);
    for (const auto& [cell, text] : GetParam().cells)
        expected[static_cast<std::size_t>(cell)] = text;
    EXPECT_EQ(ui.cellTexts(0), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ticket, TicketEntry,
    ::testing::Values(
        EntryCase{"FiveThenTheSixthInTheNextRow",
                  {"5", "17", "38", "61", "90", "12"},
                  {{At(0, 0), "5"},
                   {At(0, 1), "17"},
                   {At(0, 3), "38"},
                   {At(0, 6), "61"},
                   {At(0, 8), "90"},
                   {At(1, 1), "12"}}},
        EntryCase{"DecadeEdges",
                  {"9", "10", "80", "89", "1"},
                  {{At(0, 0), "1"}, {At(0, 1), "10"}, {At(0, 8), "89"}}},
        // 0 is no number: it takes no place, so 44 still lands in row 0.
        EntryCase{"ZeroTakesNoPlace", {"0", "44"}, {{At(0, 4), "44"}}},
        EntryCase{"NinetyOneBecomesNinety", {"91"}, {{At(0, 8), "90"}}},
        EntryCase{"SameColumnTwiceOverwritesAndUsesAPlace",
                  {"3", "4", "20", "30", "40", "50"},
                  {{At(0, 0), "4"}, {At(0, 2), "20"}, {At(0, 3), "30"}, {At(0, 4), "40"}, {At(1, 5), "50"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Ticket, AfterThirtyNumbersFurtherEntriesAreIgnoredUntilReset) {
    UiDriver ui;
    ui.newTickets(1);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column)
            ui.typeIntoEntry(0, QString::number(10 * column + row + 1));
    }
    const std::vector<std::string> full = ui.cellTexts(0);
    ui.typeIntoEntry(0, "88");
    EXPECT_EQ(ui.cellTexts(0), full);

    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(0, UiDriver::Button::kResetNumbers);
    EXPECT_EQ(ui.cellTexts(0), std::vector<std::string>(54, ""));
    ui.typeIntoEntry(0, "88");
    EXPECT_EQ(ui.cellText(0, At(0, 8)), "88");
}

// ---- Fill.

TEST(Ticket, FillGivesThirtyDistinctNumbersFivePerRowInTheirColumnsAllWhite) {
    for (std::int64_t clock : {1, 43'210'987, 86'399'999}) {
        UiDriver::Options options;
        options.timeOfDayMs = clock;
        UiDriver ui(options);
        ui.newTickets(1);
        ui.typeIntoCell(0, At(2, 2), "25");
        ui.typeNumber("25"); // a red cell before the fill
        ui.click(0, UiDriver::Button::kFill);

        std::set<int> numbers;
        for (int row = 0; row < 6; ++row) {
            int inRow = 0;
            for (int column = 0; column < 9; ++column) {
                const std::string text = ui.cellText(0, At(row, column));
                EXPECT_EQ(ui.cellColor(0, At(row, column)), kWhite);
                if (text.empty()) continue;
                ++inRow;
                const int n = qo::TextToInteger(text);
                EXPECT_EQ(lotto::game::ColumnOf(n), column) << n;
                EXPECT_GE(n, 1);
                EXPECT_LE(n, 90);
                numbers.insert(n);
            }
            EXPECT_EQ(inRow, 5) << "clock " << clock << " row " << row;
        }
        EXPECT_EQ(numbers.size(), 30u) << "clock " << clock;
    }
}

// ---- Marking called numbers.

// Calls every number of a filled ticket row by row: each fifth turns its row green with sound 1,
// each third row its card yellow with sound 2, and the last the whole ticket light blue with 3.
TEST(Ticket, RowThenCardThenTicketCompleteWithSoundsOneTwoThreeInOrder) {
    UiDriver ui;
    ui.newTickets(1);
    ui.click(0, UiDriver::Button::kFill);
    std::vector<std::string> byRow[6];
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 9; ++column) {
            const std::string text = ui.cellText(0, At(row, column));
            if (!text.empty()) byRow[row].push_back(text);
        }
    }

    for (int i = 0; i < 4; ++i)
        ui.typeNumber(QString::fromStdString(byRow[0][static_cast<std::size_t>(i)]));
    EXPECT_TRUE(ui.soundNames().empty());
    int red = 0;
    for (int column = 0; column < 9; ++column)
        red += ui.cellColor(0, At(0, column)) == kRed;
    EXPECT_EQ(red, 4);
    ui.typeNumber(QString::fromStdString(byRow[0][4]));
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(ui.cellColor(0, At(0, column)), kGreen) << column;
    EXPECT_EQ(ui.soundNames(), std::vector<std::string>{"Звук1.wav"});

    // A number of a green row is not marked again.
    ui.typeNumber(QString::fromStdString(byRow[0][0]));
    EXPECT_EQ(ui.soundNames().size(), 1u);

    for (int row = 1; row < 3; ++row) {
        for (const std::string& n : byRow[row])
            ui.typeNumber(QString::fromStdString(n));
    }
    for (int cell = 0; cell < 27; ++cell)
        ASSERT_EQ(ui.cellColor(0, cell), kYellow) << cell;
    EXPECT_EQ(ui.cellColor(0, 27), kWhite);
    EXPECT_EQ(ui.soundNames(),
              (std::vector<std::string>{"Звук1.wav", "Звук1.wav", "Звук1.wav", "Звук2.wav"}));

    for (int row = 3; row < 6; ++row) {
        for (const std::string& n : byRow[row])
            ui.typeNumber(QString::fromStdString(n));
    }
    for (int cell = 0; cell < 54; ++cell)
        ASSERT_EQ(ui.cellColor(0, cell), kLightBlue) << cell;
    const std::vector<std::string> sounds = ui.soundNames();
    ASSERT_EQ(sounds.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(sounds.end() - 3, sounds.end()),
              (std::vector<std::string>{"Звук1.wav", "Звук2.wav", "Звук3.wav"}));
    for (const std::string& path : ui.platform().sounds)
        EXPECT_EQ(path.rfind(ui.programFolder(), 0), 0u) << path;

    // Reset colours turns a complete ticket white and keeps its numbers.
    const std::vector<std::string> numbers = ui.cellTexts(0);
    ui.platform().boxAnswers = {qo::IDNO, qo::IDYES};
    ui.click(0, UiDriver::Button::kResetColours);
    EXPECT_EQ(ui.cellColor(0, 0), kLightBlue);
    ui.click(0, UiDriver::Button::kResetColours);
    for (int cell = 0; cell < 54; ++cell)
        ASSERT_EQ(ui.cellColor(0, cell), kWhite) << cell;
    EXPECT_EQ(ui.cellTexts(0), numbers);
}

// Exactly five red cells make a row: a row that goes from four to six at once (one number typed by
// hand into two of its cells) stays as it is.
TEST(Ticket, RowJumpingFromFourToSixRedCellsIsNoWin) {
    UiDriver ui;
    ui.newTickets(1);
    for (const auto& [column, text] : std::vector<std::pair<int, const char*>>{
             {0, "1"}, {1, "12"}, {2, "23"}, {3, "34"}, {4, "45"}, {5, "45"}})
        ui.typeIntoCell(0, At(0, column), text);
    for (const char* n : {"1", "12", "23", "34", "45"})
        ui.typeNumber(n);
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(ui.cellColor(0, At(0, column)), kRed) << column;
    EXPECT_TRUE(ui.soundNames().empty());
}

TEST(Ticket, WithoutSoundFilesTheRowStillTurnsGreenSilently) {
    UiDriver::Options quiet;
    quiet.withSounds = false;
    UiDriver ui(quiet);
    ui.newTickets(1);
    for (const char* n : {"1", "12", "23", "34", "45"})
        ui.typeIntoEntry(0, n);
    for (const char* n : {"1", "12", "23", "34", "45"})
        ui.typeNumber(n);
    EXPECT_EQ(ui.cellColor(0, At(0, 0)), kGreen);
    EXPECT_TRUE(ui.platform().sounds.empty());
}

TEST(Ticket, OwnResetNumbersAskedNoKeepsYesClearsAndKeepsColours) {
    UiDriver ui;
    ui.newTickets(2);
    ui.typeIntoEntry(0, "7");
    ui.typeIntoEntry(1, "7");
    ui.typeNumber("7");

    ui.platform().boxAnswers = {qo::IDNO};
    ui.click(0, UiDriver::Button::kResetNumbers);
    EXPECT_EQ(ui.cellText(0, 0), "7");
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].style, qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2);

    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(0, UiDriver::Button::kResetNumbers);
    EXPECT_EQ(ui.cellText(0, 0), "");
    EXPECT_EQ(ui.cellColor(0, 0), kRed);
    EXPECT_EQ(ui.cellText(1, 0), "7"); // the other ticket is not concerned
}

} // namespace
} // namespace qotest
