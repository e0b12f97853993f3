#include "game/ticket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace lotto::game {
namespace {

// Places numbers as the entry box does; the numbers must be valid for their places.
void Place(Ticket& t, const std::vector<int>& numbers) {
    for (const int n : numbers) {
        const int cell = t.NextPlace(n);
        if (cell >= 0) t.SetNumber(cell, n);
    }
}

// Card 0: rows 0, 1, 2; card 1: rows 3, 4, 5. Each row five numbers in distinct columns.
const std::vector<int> kTicket = {1,  12, 23, 34, 45,  // row 0
                                  56, 67, 78, 89, 2,   // row 1
                                  13, 24, 35, 46, 57,  // row 2
                                  68, 79, 90, 3,  14,  // row 3
                                  25, 36, 47, 58, 69,  // row 4
                                  80, 4,  15, 26, 37}; // row 5

struct ColumnCase {
    int number, column;
};
class ColumnOfNumber : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnOfNumber, IsItsDecadeWithNinetyAmongTheEighties) {
    EXPECT_EQ(ColumnOf(GetParam().number), GetParam().column);
    Ticket t;
    EXPECT_EQ(t.NextPlace(GetParam().number), CellAt(0, GetParam().column));
}
INSTANTIATE_TEST_SUITE_P(Decades, ColumnOfNumber,
                         ::testing::Values(ColumnCase{1, 0}, ColumnCase{9, 0}, ColumnCase{10, 1},
                                           ColumnCase{79, 7}, ColumnCase{80, 8}, ColumnCase{89, 8},
                                           ColumnCase{90, 8}));

TEST(TicketPlaces, FiveARowThenTheNextAndNothingPastThirtyOrOutsideTheGame) {
    Ticket t;
    EXPECT_EQ(t.NextPlace(0), -1);
    EXPECT_EQ(t.NextPlace(91), -1);
    EXPECT_EQ(t.fillPosition(), -1); // no place used
    Place(t, kTicket);
    EXPECT_EQ(t.numbers()[CellAt(1, 0)], 2);
    EXPECT_EQ(t.numbers()[CellAt(3, 8)], 90);
    EXPECT_EQ(t.NextPlace(5), -1);
    EXPECT_EQ(t.holds().count(), 30u);
    t.ClearNumbers();
    EXPECT_EQ(t.NextPlace(5), CellAt(0, 0));
}

TEST(TicketCall, ANumberOnNoCellChangesNoMarkAndNoVersionButIsCounted) {
    Ticket t;
    Place(t, kTicket);
    const auto version = t.version();
    EXPECT_FALSE(t.Call(50).any());
    EXPECT_EQ(t.version(), version);
    EXPECT_EQ(t.delivered(), std::vector<std::uint8_t>{50});
    for (const Mark m : t.marks())
        EXPECT_EQ(m, Mark::None);
    EXPECT_FALSE(t.Call(0).any());
    EXPECT_FALSE(t.Call(91).any());
    EXPECT_EQ(t.delivered().size(), 1u); // numbers outside the game are no call
}

TEST(TicketCall, ARowJumpingFromFourToSixCalledIsNoWin) {
    Ticket t;
    Place(t, {1, 12, 23, 34, 45});
    t.SetNumber(CellAt(0, 5), 45); // typed by hand a second time
    for (const int n : {1, 12, 23})
        EXPECT_FALSE(t.Call(n).any());
    EXPECT_FALSE(t.Call(34).any()); // four
    EXPECT_FALSE(t.Call(45).any()); // six at once
    EXPECT_EQ(t.marks()[CellAt(0, 5)], Mark::Called);
}

TEST(TicketCall, OneNumberCompletesRowCardAndTicketAtOnce) {
    Ticket t;
    Place(t, kTicket);
    for (std::size_t i = 0; i + 1 < kTicket.size(); ++i)
        t.Call(kTicket[i]);
    const Completions done = t.Call(kTicket.back());
    EXPECT_EQ(done.rows, 1u << 5);
    EXPECT_EQ(done.cards, 1u << 1);
    EXPECT_TRUE(done.ticket);
    for (const Mark m : t.marks())
        EXPECT_EQ(m, Mark::Ticket);
}

TEST(TicketTakeBack, OfTheNumberThatCompletedACardLeavesTheOtherRowsComplete) {
    Ticket t;
    Place(t, kTicket);
    for (int i = 0; i < 15; ++i)
        t.Call(kTicket[static_cast<std::size_t>(i)]);
    ASSERT_EQ(t.marks()[0], Mark::Card);
    ASSERT_EQ(t.completed().back().what.cards, 1u);
    ASSERT_TRUE(t.TakeBack(57)); // the last of row 2
    EXPECT_EQ(t.marks()[CellAt(0, 0)], Mark::Row);
    EXPECT_EQ(t.marks()[CellAt(1, 0)], Mark::Row);
    EXPECT_EQ(t.marks()[CellAt(2, 1)], Mark::Called); // 13
    EXPECT_EQ(t.marks()[CellAt(2, 5)], Mark::None);   // 57
    EXPECT_EQ(t.marks()[CellAt(2, 0)], Mark::None);   // an empty cell of the row
    ASSERT_EQ(t.completed().size(), 2u);
    EXPECT_EQ(t.completed()[1].what, (Completions{2, 0, false}));
    EXPECT_EQ(t.delivered().size(), 14u);
}

TEST(TicketTakeBack, OfANumberNotCalledOrOutsideTheGameChangesNothing) {
    Ticket t;
    Place(t, kTicket);
    t.Call(44); // 44: the low byte of 300
    const auto version = t.version();
    EXPECT_FALSE(t.TakeBack(12));
    EXPECT_FALSE(t.TakeBack(300));
    EXPECT_EQ(t.delivered(), std::vector<std::uint8_t>{44});
    EXPECT_EQ(t.version(), version);
}

TEST(TicketTakeBack, AfterTheNumbersWereResetChangesOnlyWhatThatCallMade) {
    Ticket t;
    Place(t, kTicket);
    t.Call(1);
    t.Call(12);
    t.ClearNumbers();  // the marks stay
    Place(t, {12, 7}); // 12 placed anew in column 1, 7 where 1 stood
    t.Call(23);
    ASSERT_EQ(t.marks()[CellAt(0, 0)], Mark::Called);
    EXPECT_TRUE(t.TakeBack(1));
    // The cell got a new number since the call of 1: it keeps what it shows.
    EXPECT_EQ(t.marks()[CellAt(0, 0)], Mark::Called);
    EXPECT_TRUE(t.TakeBack(12));
    EXPECT_EQ(t.marks()[CellAt(0, 1)], Mark::Called);
    EXPECT_EQ(t.delivered(), std::vector<std::uint8_t>{23});
}

TEST(TicketCatchUp, MarksWhatEarlierCallsWouldHaveAndSaysWhatItNewlyCompleted) {
    Ticket t;
    Place(t, kTicket);
    Completions newly;
    EXPECT_FALSE(t.CatchUp({50, 60}, newly));
    t.Call(50);
    EXPECT_TRUE(t.CatchUp({1, 12, 23, 34, 45, 50, 99}, newly));
    EXPECT_EQ(newly, (Completions{1, 0, false}));
    EXPECT_EQ(t.marks()[CellAt(0, 0)], Mark::Row);
    // The numbers no call brought count as called before the ticket's own.
    EXPECT_EQ(t.delivered(), (std::vector<std::uint8_t>{1, 12, 23, 34, 45, 50}));
    EXPECT_FALSE(t.CatchUp({1, 12}, newly));
}

TEST(TicketMarks, AColourFromOutsideIsNeitherMarkedNorCountedAndTheNextCallMarksThrough) {
    Ticket t;
    Place(t, {1, 12, 23, 34, 45});
    t.SetMark(CellAt(0, 0), Mark::Other);
    t.SetMark(CellAt(1, 0), Mark::Called); // a cell with no number, made red from outside
    for (const int n : {1, 12, 23, 34, 45})
        EXPECT_FALSE(t.Call(n).any());
    EXPECT_EQ(t.marks()[CellAt(0, 0)], Mark::Other);
    t.Whiten();
    EXPECT_TRUE(t.delivered().empty());
    for (const int n : {1, 12, 23, 34})
        t.Call(n);
    EXPECT_EQ(t.Call(45).rows, 1u);
}

// The cheap step and the whole rule agree from white on any ticket, well made or not: numbers
// twice, rows of six or more, numbers outside the game, empty cells.
TEST(TicketRule, TheStepMarksAsTheWholeRuleOnMarksTheRuleMade) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        Numbers numbers{};
        const int filled = std::uniform_int_distribution<int>(20, kCells)(random);
        for (int k = 0; k < filled; ++k) {
            const auto cell =
                static_cast<std::size_t>(std::uniform_int_distribution<int>(0, kCells - 1)(random));
            // A few numbers over and over, so rows fill and numbers repeat.
            numbers[cell] = std::uniform_int_distribution<int>(0, round % 2 ? 99 : 40)(random);
        }
        Marks whole{}, step{};
        std::vector<int> calls;
        std::vector<Completed> completed;
        for (int call = 0; call < 120; ++call) {
            const int n = std::uniform_int_distribution<int>(1, kLargest)(random);
            const Completions a = Ticket::MarkRule(numbers, whole, n);
            const Completions b = Ticket::MarkStep(numbers, step, n);
            ASSERT_EQ(a, b) << "round " << round << ", call " << call;
            ASSERT_EQ(whole, step) << "round " << round << ", call " << call;
            if (a.any()) completed.push_back({static_cast<std::uint32_t>(calls.size()), a});
            calls.push_back(n);
        }
        // A take-back marks the other calls again from white, by counts rather than the rule: the
        // same marks and completions as the whole rule gives them.
        Ticket t;
        for (int i = 0; i < kCells; ++i)
            t.SetNumber(i, numbers[static_cast<std::size_t>(i)]);
        for (const int n : calls)
            t.Call(n);
        const int taken = calls.front();
        ASSERT_TRUE(t.TakeBack(taken));
        calls.erase(std::find(calls.rbegin(), calls.rend(), taken).base() - 1);
        Marks again{};
        completed.clear();
        for (std::size_t k = 0; k < calls.size(); ++k) {
            if (const Completions done = Ticket::MarkRule(numbers, again, calls[k]); done.any())
                completed.push_back({static_cast<std::uint32_t>(k), done});
        }
        ASSERT_EQ(t.marks(), again) << "round " << round;
        ASSERT_EQ(t.completed(), completed) << "round " << round;
    }
}

TEST(TicketCall, OnlyAHeldNumberOrMarksFromOutsideMayMark) {
    Ticket t;
    Place(t, {1, 12, 23, 34, 45});
    EXPECT_TRUE(t.MayMark(12));
    EXPECT_FALSE(t.MayMark(13));
    EXPECT_FALSE(t.MayMark(0));
    EXPECT_FALSE(t.MayMark(300 + 12)); // not the number its low byte names
    t.SetMark(CellAt(3, 0), Mark::Called);
    EXPECT_TRUE(t.MayMark(13));
    t.Whiten();
    EXPECT_FALSE(t.MayMark(13));
}

TEST(TicketPutBack, KeepsTheMarksAsKeptAndTellsTheCompletionsByItsCalls) {
    Ticket kept;
    Place(kept, kTicket);
    for (const int n : {1, 12, 23, 34, 45, 60})
        kept.Call(n);
    Ticket back;
    back.PutBack(kept.numbers(), kept.unreadable(), kept.marks(), kept.fillPosition(), kept.delivered());
    EXPECT_TRUE(back.SameGame(kept));
    EXPECT_TRUE(back.TakeBack(45));
    EXPECT_EQ(back.marks()[CellAt(0, 0)], Mark::Called);
}

} // namespace
} // namespace lotto::game
