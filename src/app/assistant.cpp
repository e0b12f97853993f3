#include "app/assistant.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <tuple>

#include "app/game_log.h"
#include "runtime/cp1251.h"

namespace lotto {

namespace {

using Ticket = game::Ticket;
using game::kNumbersPerRow;

// A ticket's rows as the marking rule counts them.
struct Rows {
    std::array<int, game::kRows> red{}, green{}, yellow{}, whites{};
    // Each row's white cells holding a number of the game.
    std::array<std::array<std::uint8_t, game::kColumns>, game::kRows> white;

    // Counted without branches: a ticket's marks follow no pattern a processor could guess.
    Rows(const game::Numbers& numbers, const game::Marks& marks) {
        for (std::size_t r = 0; r < game::kRows; ++r) {
            for (std::size_t c = r * game::kColumns; c < (r + 1) * game::kColumns; ++c) {
                const int n = numbers[c];
                const game::Mark colour = marks[c];
                red[r] += colour == game::Mark::Called;
                green[r] += colour == game::Mark::Row;
                yellow[r] += colour == game::Mark::Card;
                white[r][static_cast<std::size_t>(whites[r])] = static_cast<std::uint8_t>(n);
                whites[r] += colour == game::Mark::None && n >= 1 && n <= 90;
            }
        }
    }
    // The row's white cells holding n: a number typed twice counts twice.
    int WhiteHolding(std::size_t r, std::uint8_t n) const {
        int count = 0;
        for (int i = 0; i < whites[r]; ++i)
            count += white[r][static_cast<std::size_t>(i)] == n;
        return count;
    }
    // What calling n would complete, as Mark would find it, without marking a copy: a row at
    // exactly five red turns all green, a card all green turns yellow (a row turned green loses
    // any yellow it had), a ticket all yellow turns light blue.
    game::Completions Calling(std::uint8_t n) const {
        game::Completions done;
        int yellowAfter = 0;
        for (std::size_t card = 0; card < game::kCards; ++card) {
            int greenAfter = 0, cardYellow = 0;
            for (std::size_t r = card * game::kRowsPerCard; r < (card + 1) * game::kRowsPerCard; ++r) {
                const bool complete = red[r] + WhiteHolding(r, n) == kNumbersPerRow;
                if (complete) done.rows |= static_cast<std::uint8_t>(1u << r);
                greenAfter += complete ? game::kColumns : green[r];
                cardYellow += complete ? 0 : yellow[r];
            }
            if (greenAfter == game::kCellsPerCard) {
                done.cards |= static_cast<std::uint8_t>(1u << card);
                cardYellow = game::kCellsPerCard;
            }
            yellowAfter += cardYellow;
        }
        done.ticket = yellowAfter == game::kCells;
        return done;
    }
};

// Calls `f(n, done, oneAwayRows)` for each number standing in a white cell that would complete
// something (`done`, by the marking rule) or bring rows to one away. A row turns green at exactly
// five red cells, so only a number whose white cells in a row bring it to five completes it; one
// that leaves a number whose white cells would make five brings the row to one away.
template <typename F> void ForEachProspect(const game::Numbers& numbers, const game::Marks& marks, F&& f) {
    const Rows rows(numbers, marks);
    std::bitset<91> completes;
    std::array<std::uint8_t, 91> oneAway{};       // rows, by number
    std::array<std::uint8_t, game::kCells> found; // the numbers doing something, in any order
    std::size_t foundCount = 0;
    for (std::size_t r = 0; r < game::kRows; ++r) {
        const int red = rows.red[r], whites = rows.whites[r];
        if (red + whites < kNumbersPerRow) continue; // not even every number would make five
        const auto& white = rows.white[r];
        // The row's red count once each white cell's number is called.
        std::array<int, game::kColumns> after;
        for (int i = 0; i < whites; ++i)
            after[static_cast<std::size_t>(i)] =
                red + rows.WhiteHolding(r, white[static_cast<std::size_t>(i)]);
        for (int i = 0; i < whites; ++i) {
            const std::uint8_t n = white[static_cast<std::size_t>(i)];
            const int made = after[static_cast<std::size_t>(i)];
            bool does = made == kNumbersPerRow;
            if (does) completes.set(n);
            for (int j = 0; made < kNumbersPerRow && j < whites; ++j) {
                // Another number that would then make five: called now, this one leaves one away.
                if (white[static_cast<std::size_t>(j)] != n &&
                    made + after[static_cast<std::size_t>(j)] - red == kNumbersPerRow) {
                    oneAway[n] |= static_cast<std::uint8_t>(1u << r);
                    does = true;
                    break;
                }
            }
            if (does) found[foundCount++] = n;
        }
    }
    std::sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(foundCount));
    const auto end = std::unique(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(foundCount));
    for (auto at = found.begin(); at != end; ++at) {
        const std::uint8_t n = *at;
        const game::Completions done = completes[n] ? rows.Calling(n) : game::Completions();
        f(static_cast<int>(n), done, static_cast<std::uint8_t>(oneAway[n] & ~done.rows));
    }
}

} // namespace

void TicketProspects(int ticket, const game::Numbers& numbers, const game::Marks& marks,
                     std::vector<NumberedProspect>& all) {
    all.clear();
    ForEachProspect(numbers, marks, [&](int n, const game::Completions& done, std::uint8_t oneAway) {
        const auto add = [&](Prospect::Kind kind, std::uint8_t index) {
            all.push_back({static_cast<std::uint8_t>(n), {ticket, kind, index}});
        };
        if (done.ticket) add(Prospect::Kind::Ticket, 0);
        for (std::uint8_t card = 0; card < game::kCards; ++card) {
            if (done.cards & (1u << card)) add(Prospect::Kind::Card, card);
        }
        for (std::uint8_t row = 0; row < game::kRows; ++row) {
            if (done.rows & (1u << row)) add(Prospect::Kind::Row, row);
        }
        for (std::uint8_t row = 0; row < game::kRows; ++row) {
            if (oneAway & (1u << row)) add(Prospect::Kind::OneAway, row);
        }
    });
}

TicketReading& ReadingOf(const Ticket& ticket) {
    auto* kept = dynamic_cast<TicketReading*>(ticket.reading());
    if (!kept) {
        auto made = std::make_unique<TicketReading>();
        kept = made.get();
        made->version = ticket.version() - 1; // not yet worked out
        ticket.keepReading(std::move(made));
    }
    if (kept->version != ticket.version() || kept->ticketNumber != ticket.ticketNumber())
        kept->Update(ticket);
    return *kept;
}

void TicketReading::Update(const Ticket& ticket) {
    version = ticket.version();
    ticketNumber = ticket.ticketNumber();
    TicketProspects(ticket.ticketNumber(), ticket.numbers(), ticket.marks(), prospects);
    ProgressFor(ticket.numbers(), ticket.marks(), prospects, hints);
    if (numbersVersion != ticket.numbersVersion()) ProblemsFor(ticket.numbers(), ticket.unreadable(), hints);
    numbersVersion = ticket.numbersVersion();
}

void Waiting::Add(const Prospect& p) {
    ++byKind[static_cast<std::size_t>(p.kind)];
    ++count;
    if (first.size() < kProspectsPerLine) first.push_back(p);
}

namespace {

// A cell's number as the hints count it: 0…99, what a cell can hold, 0 for none.
std::uint32_t Held(const game::Numbers& numbers, std::size_t i) {
    const auto n = static_cast<std::uint32_t>(numbers[i]);
    return n < 100 ? n : 0;
}

} // namespace

// Both cell by cell without branches, as in Rows.
void ProgressFor(const game::Numbers& numbers, const game::Marks& marks,
                 const std::vector<NumberedProspect>& prospects, TicketHints& h) {
    h.called = 0;
    h.waits.clear();
    // What each number would complete: the most of it (a number completing the ticket completes
    // a card and a row too). Only white cells are to come.
    std::array<std::uint8_t, 100> level{};
    for (const auto& [n, p] : prospects) {
        static constexpr std::uint8_t kLevel[] = {3, 2, 1, 0}; // by Prospect::Kind
        level[n] = std::max(level[n], kLevel[static_cast<std::size_t>(p.kind)]);
        if (p.kind == Prospect::Kind::Row) h.waits.emplace_back(p.index, n);
    }
    std::sort(h.waits.begin(), h.waits.end());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::uint32_t n = Held(numbers, i);
        const bool white = marks[i] == game::Mark::None;
        h.last[i] = white ? level[n] : 0;
        h.called += n != 0 && !white;
    }
}

void MissedFor(const game::Numbers& numbers, const game::Marks& marks, const std::bitset<91>& called,
               TicketHints& h) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::int32_t n = numbers[i];
        h.missed.set(i, marks[i] == game::Mark::None && n >= 1 && n <= 90 &&
                            called[static_cast<std::size_t>(n)]);
    }
}

void ProblemsFor(const game::Numbers& numbers, const std::bitset<game::kCells>& unreadable, TicketHints& h) {
    h.numbers = 0;
    std::array<std::uint8_t, 100> seen{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::uint32_t n = Held(numbers, i);
        ++seen[n];
        h.numbers += n != 0;
        const bool ofTheGame = n <= 90;
        const bool ownColumn =
            static_cast<std::size_t>(game::ColumnOf(static_cast<std::int32_t>(n))) == i % game::kColumns;
        h.problems[i] = static_cast<std::uint8_t>(
            ((n != 0 && !ofTheGame) || unreadable[i] ? TicketHints::kNotOfTheGame : 0) |
            (n != 0 && ofTheGame && !ownColumn ? TicketHints::kWrongColumn : 0));
    }
    for (std::size_t row = 0; row < game::kRows; ++row) {
        const std::size_t first = row * game::kColumns;
        int filled = 0;
        for (std::size_t c = first; c < first + game::kColumns; ++c)
            filled += Held(numbers, c) != 0;
        const std::uint8_t crowded = filled > kNumbersPerRow ? TicketHints::kCrowdedRow : 0;
        for (std::size_t c = first; c < first + game::kColumns; ++c) {
            const std::uint32_t n = Held(numbers, c);
            const std::uint8_t twice = seen[n] > 1 ? TicketHints::kTwice : 0;
            h.problems[c] |= n != 0 ? static_cast<std::uint8_t>(crowded | twice) : 0;
        }
    }
}

std::string TicketHints::Key(const game::Numbers& numbers) {
    std::string key;
    for (const std::int32_t n : numbers) {
        if (n != 0) key += static_cast<char>(n);
    }
    std::sort(key.begin(), key.end());
    return key;
}

std::string TicketHints::CellReasons(std::size_t cell, int sameAs) const {
    // Said of many cells after a call: the words are converted once.
    static const std::string kLast[] = {"", qo::Cp1251("последнее число ряда"),
                                        qo::Cp1251("последнее число карточки"),
                                        qo::Cp1251("последнее число билета")};
    static const std::string kNotOfTheGameWhy = qo::Cp1251("не число от 1 до 90"),
                             kWrongColumnWhy = qo::Cp1251("число не своего столбца"),
                             kTwiceWhy = qo::Cp1251("число повторяется в билете"),
                             kCrowdedRowWhy = qo::Cp1251("в ряду больше пяти чисел"),
                             kSameAs = qo::Cp1251("такие же числа у билета "),
                             kMissedWhy = qo::Cp1251("уже выпало, но не отмечено");
    std::string why;
    const auto add = [&why](const std::string& reason) {
        if (!why.empty()) why += "; ";
        why += reason;
    };
    if (missed[cell]) add(kMissedWhy);
    if (last[cell]) add(kLast[last[cell]]);
    const std::uint8_t p = problems[cell];
    if (p & kNotOfTheGame) add(kNotOfTheGameWhy);
    if (p & kWrongColumn) add(kWrongColumnWhy);
    if (p & kTwice) add(kTwiceWhy);
    if (p & kCrowdedRow) add(kCrowdedRowWhy);
    if (sameAs > 0) add(kSameAs + std::to_string(sameAs));
    return why;
}

std::string TicketHints::Summary(int ticket) const {
    // Said of every ticket a call changed: the words are converted once.
    static const std::string kTicket = qo::Cp1251("Билет "), kCalled = qo::Cp1251(": выпало "),
                             kOf = qo::Cp1251(" из "), kRow = qo::Cp1251("; ряд "),
                             kWaits = qo::Cp1251(" ждёт "), kMissed = qo::Cp1251("; не отмечено ");
    std::string text;
    text.reserve(32 + waits.size() * 16);
    text += kTicket;
    text += std::to_string(ticket);
    text += kCalled;
    text += std::to_string(called);
    text += kOf;
    text += std::to_string(numbers);
    if (missed.any()) {
        text += kMissed;
        text += std::to_string(missed.count());
    }
    for (const auto& [row, n] : waits) {
        text += kRow;
        text += std::to_string(row + 1);
        text += kWaits;
        text += std::to_string(n);
    }
    return text;
}

std::vector<int> WaitingOrder(const Prospects& prospects) {
    using Score = std::array<int, 4>; // by kind
    std::vector<std::pair<Score, int>> scored;
    for (int n = 1; n <= 90; ++n) {
        const Waiting& w = prospects[static_cast<std::size_t>(n)];
        if (w.count > 0) scored.emplace_back(w.byKind, n);
    }
    std::sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) {
        return std::tie(b.first, a.second) < std::tie(a.first, b.second);
    });
    std::vector<int> order;
    for (const auto& s : scored)
        order.push_back(s.second);
    return order;
}

std::string WaitingLine(int number, const Waiting& waiting) {
    static const std::string kDash = qo::Cp1251(" — "), kTicket = qo::Cp1251("билет "),
                             kWhole = qo::Cp1251(", весь билет"), kCard = qo::Cp1251(", карточка "),
                             kOneAway = qo::Cp1251(": останется одно");
    std::string line = std::to_string(number) + kDash;
    // With many tickets a line names the first few: the list stays a list to read at a glance.
    const std::vector<Prospect>& shown = waiting.first;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Prospect& p = shown[i];
        if (i > 0) line += "; ";
        line += kTicket + std::to_string(p.ticket);
        switch (p.kind) {
        case Prospect::Kind::Ticket:
            line += kWhole;
            break;
        case Prospect::Kind::Card:
            line += kCard + std::to_string(p.index + 1);
            break;
        case Prospect::Kind::Row:
            line += RowOfCard(p.index);
            break;
        case Prospect::Kind::OneAway:
            line += RowOfCard(p.index) + kOneAway;
            break;
        }
    }
    if (shown.size() < static_cast<std::size_t>(waiting.count))
        line +=
            qo::Cp1251("; и ещё ") + std::to_string(static_cast<std::size_t>(waiting.count) - shown.size());
    return line + "\r\n";
}

} // namespace lotto
