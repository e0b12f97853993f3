#include "app/assistant.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <tuple>

#include "runtime/cp1251.h"

namespace lotto {

namespace {

using Ticket = TQOInlineCode_D9D224;
constexpr int kNumbersPerRow = 5;

// Calls `f(n, done, oneAwayRows)` for each number standing in a white cell that would complete
// something (`done`, by the marking rule) or bring rows to one away. A row turns green at exactly
// five red cells, so only a number whose white cells in a row bring it to five completes it; one
// that leaves a number whose white cells would make five brings the row to one away.
template <typename F>
void ForEachProspect(const Ticket::Numbers& numbers, const Ticket::Colours& colours, F&& f) {
    std::bitset<91> completes;
    std::array<std::uint8_t, 91> oneAway{}; // rows, by number
    std::array<std::uint8_t, Ticket::kCells> found;  // the numbers doing something, in any order
    std::size_t foundCount = 0;
    for (int row = 0; row < Ticket::kRows; ++row) {
        const std::size_t first = static_cast<std::size_t>(row * Ticket::kColumns);
        // The row's red cells, and its white cells holding a number of the game.
        int red = 0, whites = 0;
        std::array<std::uint8_t, Ticket::kColumns> white;
        for (std::size_t c = first; c < first + Ticket::kColumns; ++c) {
            const int n = numbers[c];
            if (colours[c] == Ticket::kRed) {
                ++red;
            } else if (colours[c] == Ticket::kWhite && n >= 1 && n <= 90) {
                white[static_cast<std::size_t>(whites++)] = static_cast<std::uint8_t>(n);
            }
        }
        if (red + whites < kNumbersPerRow) continue; // not even every number would make five
        // The row's count once each white cell's number is called: a number typed twice counts twice.
        std::array<int, Ticket::kColumns> after;
        for (int i = 0; i < whites; ++i) {
            after[static_cast<std::size_t>(i)] = red;
            for (int j = 0; j < whites; ++j)
                after[static_cast<std::size_t>(i)] += white[static_cast<std::size_t>(j)] == white[static_cast<std::size_t>(i)];
        }
        for (int i = 0; i < whites; ++i) {
            const std::uint8_t n = white[static_cast<std::size_t>(i)];
            const int made = after[static_cast<std::size_t>(i)];
            bool does = made == kNumbersPerRow;
            if (does) completes.set(n);
            for (int j = 0; made < kNumbersPerRow && j < whites; ++j) {
                // Another number that would then make five: called now, this one leaves one away.
                if (white[static_cast<std::size_t>(j)] != n && made + after[static_cast<std::size_t>(j)] - red == kNumbersPerRow) {
                    oneAway[n] |= static_cast<std::uint8_t>(1u << row);
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
        const std::size_t n = *at;
        Ticket::Completions done;
        if (completes[n]) {
            Ticket::Colours marked = colours;
            done = Ticket::Mark(numbers, marked, static_cast<std::int32_t>(n));
        }
        f(static_cast<int>(n), done, static_cast<std::uint8_t>(oneAway[n] & ~done.rows));
    }
}

} // namespace

void TicketProspects(int ticket, const Ticket::Numbers& numbers, const Ticket::Colours& colours,
                     std::vector<NumberedProspect>& all) {
    all.clear();
    ForEachProspect(numbers, colours, [&](int n, const Ticket::Completions& done, std::uint8_t oneAway) {
        const auto add = [&](Prospect::Kind kind, std::uint8_t index) {
            all.push_back({static_cast<std::uint8_t>(n), {ticket, kind, index}});
        };
        if (done.ticket) add(Prospect::Kind::Ticket, 0);
        for (std::uint8_t card = 0; card < 2; ++card) {
            if (done.cards & (1u << card)) add(Prospect::Kind::Card, card);
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if (done.rows & (1u << row)) add(Prospect::Kind::Row, row);
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
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
    if (kept->version != ticket.version() || kept->ticketNumber != ticket.ticketNumber()) {
        kept->version = ticket.version();
        kept->ticketNumber = ticket.ticketNumber();
        TicketProspects(ticket.ticketNumber(), ticket.numbers(), ticket.colours(), kept->prospects);
        HintsFor(ticket.numbers(), ticket.colours(), kept->prospects, kept->hints);
    }
    return *kept;
}

void Waiting::Add(const Prospect& p) {
    ++byKind[static_cast<std::size_t>(p.kind)];
    ++count;
    if (first.size() < kProspectsPerLine) first.push_back(p);
}

void HintsFor(const Ticket::Numbers& numbers, const Ticket::Colours& colours,
              const std::vector<NumberedProspect>& prospects, TicketHints& h) {
    h.last.fill(0);
    h.problems.fill(0);
    h.numbers = h.called = 0;
    h.waits.clear();
    // What each number would complete: the most of it (a number completing the ticket completes
    // a card and a row too).
    std::array<std::uint8_t, 91> level{};
    for (const auto& [n, p] : prospects) {
        static constexpr std::uint8_t kLevel[] = {3, 2, 1, 0}; // by Prospect::Kind
        level[n] = std::max(level[n], kLevel[static_cast<std::size_t>(p.kind)]);
        if (p.kind == Prospect::Kind::Row) h.waits.emplace_back(p.index, n);
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (colours[i] == Ticket::kWhite && numbers[i] >= 1 && numbers[i] <= 90)
            h.last[i] = level[static_cast<std::size_t>(numbers[i])];
    }
    std::sort(h.waits.begin(), h.waits.end());
    // What was typed where it cannot stand.
    std::array<std::uint8_t, 100> seen{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        if (n == 0) continue;
        ++h.numbers;
        ++seen[static_cast<std::size_t>(n)];
        if (colours[i] != Ticket::kWhite) ++h.called;
        if (n > 90) {
            h.problems[i] |= TicketHints::kNotOfTheGame;
        } else if (Ticket::ColumnOf(n) != static_cast<int>(i) % Ticket::kColumns) {
            h.problems[i] |= TicketHints::kWrongColumn;
        }
    }
    for (int row = 0; row < Ticket::kRows; ++row) {
        const int first = row * Ticket::kColumns;
        const auto begin = numbers.begin() + first;
        const bool crowded =
            Ticket::kColumns - std::count(begin, begin + Ticket::kColumns, 0) > kNumbersPerRow;
        for (int c = first; c < first + Ticket::kColumns; ++c) {
            const int n = numbers[static_cast<std::size_t>(c)];
            if (n == 0) continue;
            if (crowded) h.problems[static_cast<std::size_t>(c)] |= TicketHints::kCrowdedRow;
            if (seen[static_cast<std::size_t>(n)] > 1)
                h.problems[static_cast<std::size_t>(c)] |= TicketHints::kTwice;
        }
    }
}

std::string TicketHints::Key(const Ticket::Numbers& numbers) {
    std::string key;
    for (const std::int32_t n : numbers) {
        if (n != 0) key += static_cast<char>(n);
    }
    std::sort(key.begin(), key.end());
    return key;
}

std::string TicketHints::CellReasons(std::size_t cell, int sameAs) const {
    std::string why;
    const auto add = [&why](const char* reason) {
        if (!why.empty()) why += "; ";
        why += qo::Cp1251(reason);
    };
    static const char* const kLast[] = {"", "последнее число ряда", "последнее число карточки",
                                        "последнее число билета"};
    if (last[cell]) add(kLast[last[cell]]);
    const std::uint8_t p = problems[cell];
    if (p & kNotOfTheGame) add("не число от 1 до 90");
    if (p & kWrongColumn) add("число не своего столбца");
    if (p & kTwice) add("число повторяется в билете");
    if (p & kCrowdedRow) add("в ряду больше пяти чисел");
    if (sameAs > 0)
        why += (why.empty() ? "" : "; ") + qo::Cp1251("такие же числа у билета ") + std::to_string(sameAs);
    return why;
}

std::string TicketHints::Summary(int ticket) const {
    std::string text = qo::Cp1251("Билет ") + std::to_string(ticket) + qo::Cp1251(": выпало ") +
                       std::to_string(called) + qo::Cp1251(" из ") + std::to_string(numbers);
    for (const auto& [row, n] : waits)
        text += qo::Cp1251("; ряд ") + std::to_string(row + 1) + qo::Cp1251(" ждёт ") + std::to_string(n);
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
                             kRow = qo::Cp1251(", ряд "), kOneAway = qo::Cp1251(": останется одно");
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
            line += kRow + std::to_string(p.index + 1);
            break;
        case Prospect::Kind::OneAway:
            line += kRow + std::to_string(p.index + 1) + kOneAway;
            break;
        }
    }
    if (shown.size() < static_cast<std::size_t>(waiting.count))
        line += qo::Cp1251("; и ещё ") + std::to_string(static_cast<std::size_t>(waiting.count) - shown.size());
    return line + "\r\n";
}

} // namespace lotto
