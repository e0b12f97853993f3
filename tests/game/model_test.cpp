#include "game/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lotto::game {
namespace {

// A ticket filled as the program's fill does: five numbers a row in distinct columns, thirty
// distinct numbers, placed row by row.
std::vector<int> RandomNumbers(std::mt19937& random) {
    std::vector<int> numbers;
    NumberSet used;
    for (int row = 0; row < kRows; ++row) {
        std::vector<int> columns = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        std::shuffle(columns.begin(), columns.end(), random);
        for (int i = 0; i < kNumbersPerRow; ++i) {
            const int c = columns[static_cast<std::size_t>(i)];
            const int low = c == 0 ? 1 : 10 * c, high = c == 8 ? 90 : 10 * c + 9;
            int n;
            do {
                n = std::uniform_int_distribution<int>(low, high)(random);
            } while (used[static_cast<std::size_t>(n)]);
            used.set(static_cast<std::size_t>(n));
            numbers.push_back(n);
        }
    }
    return numbers;
}

void Fill(Ticket& t, const std::vector<int>& numbers) {
    t.ClearNumbers();
    t.Whiten();
    for (const int n : numbers) {
        const int cell = t.NextPlace(n);
        if (cell >= 0) t.SetNumber(cell, n);
    }
}

// What the test expects of one ticket, kept apart from the model: its numbers and the calls it
// has seen since it was last white.
struct Expected {
    std::unique_ptr<Ticket> ticket;
    std::vector<int> numbers;
    std::vector<int> calls;
};

void TakeLast(std::vector<int>& calls, int n) {
    if (const auto at = std::find(calls.rbegin(), calls.rend(), n); at != calls.rend())
        calls.erase(std::next(at).base());
}

class GameModelProperty : public ::testing::TestWithParam<unsigned> {};

// Calls, take-backs, resets, fills, new and deleted tickets in any order leave every ticket as one
// made anew with its numbers and given the calls that remain since it was last white.
TEST_P(GameModelProperty, AnySequenceEqualsTheModelRebuiltFromTheRemainingCalls) {
    std::mt19937 random(GetParam());
    Model model;
    std::vector<Expected> tickets;
    std::vector<int> calls;
    const auto pick = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    std::string done; // the operations so far, told when a check fails
    for (int step = 0; step < 400; ++step) {
        const int op = pick(100);
        if (op < 8 || tickets.empty()) {
            Expected e;
            e.ticket = std::make_unique<Ticket>();
            e.numbers = RandomNumbers(random);
            Fill(*e.ticket, e.numbers);
            model.Join(*e.ticket);
            tickets.push_back(std::move(e));
            done += "+";
        } else if (op < 55) {
            const int n = 1 + pick(90);
            model.CallEverywhere(n);
            calls.push_back(n);
            for (Expected& e : tickets)
                e.calls.push_back(n);
            done += " c" + std::to_string(n);
        } else if (op < 72) {
            // Mostly a number called; now and then one never called.
            const int n = !calls.empty() && pick(4) > 0
                              ? calls[static_cast<std::size_t>(pick(static_cast<int>(calls.size())))]
                              : 1 + pick(90);
            model.TakeBackEverywhere(n);
            TakeLast(calls, n);
            for (Expected& e : tickets)
                TakeLast(e.calls, n);
            done += " t" + std::to_string(n);
        } else if (op < 80) {
            Expected& e = tickets[static_cast<std::size_t>(pick(static_cast<int>(tickets.size())))];
            e.ticket->Whiten();
            e.calls.clear();
            done += " w";
        } else if (op < 84) {
            for (Expected& e : tickets) {
                e.ticket->Whiten();
                e.calls.clear();
            }
            done += " W";
        } else if (op < 92) {
            Expected& e = tickets[static_cast<std::size_t>(pick(static_cast<int>(tickets.size())))];
            e.numbers = RandomNumbers(random);
            Fill(*e.ticket, e.numbers);
            e.calls.clear();
            done += " f";
        } else {
            tickets.erase(tickets.begin() + pick(static_cast<int>(tickets.size())));
            done += " d";
        }

        ASSERT_EQ(model.tickets().size(), tickets.size()) << done;
        std::vector<std::uint8_t> expectedCalls(calls.begin(), calls.end());
        ASSERT_EQ(model.calls(), expectedCalls) << done;
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            ASSERT_EQ(model.tickets()[i], tickets[i].ticket.get()) << done;
            Ticket rebuilt;
            Fill(rebuilt, tickets[i].numbers);
            for (const int n : tickets[i].calls)
                rebuilt.Call(n);
            ASSERT_TRUE(rebuilt.SameGame(*tickets[i].ticket)) << "ticket " << i << " after" << done;
        }
    }
    // The index holds each number where it stands, tickets by their place in the list.
    for (int n = 1; n <= kLargest; ++n) {
        std::vector<Place> expected;
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            for (int c = 0; c < kCells; ++c) {
                if (tickets[t].ticket->numbers()[static_cast<std::size_t>(c)] == n)
                    expected.push_back({static_cast<std::uint32_t>(t), static_cast<std::uint8_t>(c)});
            }
        }
        EXPECT_EQ(model.Where(n), expected) << n;
        EXPECT_EQ(model.held()[static_cast<std::size_t>(n)], !expected.empty()) << n;
    }
}
INSTANTIATE_TEST_SUITE_P(Seeds, GameModelProperty, ::testing::Range(1u, 21u));

TEST(GameModel, ANumberOnNoTicketStandsNowhereAndIsStillAGameCall) {
    Model model;
    Ticket t;
    Fill(t, {1, 12, 23, 34, 45});
    model.Join(t);
    model.CallEverywhere(50);
    EXPECT_TRUE(model.Where(50).empty());
    EXPECT_TRUE(model.Where(0).empty());
    EXPECT_EQ(model.Where(12), (std::vector<Place>{{0, 1}}));
    EXPECT_EQ(model.last(), 50);
    EXPECT_EQ(t.delivered(), std::vector<std::uint8_t>{50});
}

TEST(GameModel, ATicketGoneLeavesTheListAndTheIndex) {
    Model model;
    auto first = std::make_unique<Ticket>();
    Ticket second;
    Fill(*first, {5});
    Fill(second, {5});
    model.Join(*first);
    model.Join(second);
    ASSERT_EQ(model.Where(5).size(), 2u);
    first.reset();
    EXPECT_EQ(model.tickets(), std::vector<Ticket*>{&second});
    EXPECT_EQ(model.Where(5), (std::vector<Place>{{0, 0}}));
}

TEST(GameModel, TicketsOutliveTheModelUnharmed) {
    Ticket t;
    {
        Model model;
        model.Join(t);
    }
    EXPECT_EQ(t.model(), nullptr);
    t.Call(5);
}

struct Recorder : Model::Observer {
    Model* model = nullptr;
    Recorder* stopsToo = nullptr; // stops watching, and makes this one stop, on the first news
    int heard = 0;
    std::uint8_t what = 0;
    void GameChanged(std::uint8_t w, const Ticket*) override {
        ++heard;
        what |= w;
        if (model && stopsToo) {
            model->Unwatch(*this);
            model->Unwatch(*stopsToo);
        }
    }
};

TEST(GameModel, MovesAndDrawsKeepOnlyNumbersOfTheGameAndTellOnlyAChange) {
    Model model;
    Recorder heard;
    model.Watch(heard);
    model.SetMoves({5, 0, 91, 17});
    EXPECT_EQ(model.moves(), (std::vector<std::uint8_t>{5, 17}));
    model.SetMoves({5, 17});
    model.SetDrawn({});
    EXPECT_EQ(heard.heard, 1);
    model.SetDrawn({90});
    EXPECT_EQ(model.drawn(), std::vector<std::uint8_t>{90});
    EXPECT_EQ(heard.heard, 2);
    EXPECT_TRUE(model.calls().empty()); // where calls came from is no call
}

TEST(GameModel, AnObserverThatStopsItselfAndAnotherWhileToldIsSafeAndTheOtherHearsNoMore) {
    Model model;
    Recorder later, first;
    first.model = &model;
    first.stopsToo = &later;
    Recorder third;
    model.Watch(first);
    model.Watch(later);
    model.Watch(third);
    Ticket t;
    model.Join(t);
    EXPECT_EQ(first.heard, 1);
    EXPECT_EQ(later.heard, 0);
    EXPECT_EQ(third.heard, 1);
    t.Call(7);
    EXPECT_EQ(first.heard, 1);
    EXPECT_EQ(third.heard, 2);
    EXPECT_TRUE(third.what & Model::kCalls);
}

} // namespace
} // namespace lotto::game
