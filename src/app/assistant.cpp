#include "app/assistant.h"

#include <algorithm>
#include <bitset>
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
    for (int row = 0; row < Ticket::kRows; ++row) {
        const int first = row * Ticket::kColumns;
        int red = 0;
        std::array<std::uint8_t, 91> white{}; // white cells holding each number in this row
        for (int c = first; c < first + Ticket::kColumns; ++c) {
            if (colours[static_cast<std::size_t>(c)] == Ticket::kRed) ++red;
            const int n = numbers[static_cast<std::size_t>(c)];
            if (colours[static_cast<std::size_t>(c)] == Ticket::kWhite && n >= 1 && n <= 90) ++white[n];
        }
        for (int c = first; c < first + Ticket::kColumns; ++c) {
            const int n = numbers[static_cast<std::size_t>(c)];
            if (colours[static_cast<std::size_t>(c)] != Ticket::kWhite || n < 1 || n > 90) continue;
            const int after = red + white[n];
            if (after == kNumbersPerRow) completes.set(n);
            if (after >= kNumbersPerRow) continue;
            for (int d = first; d < first + Ticket::kColumns; ++d) {
                const int m = numbers[static_cast<std::size_t>(d)];
                if (m != n && colours[static_cast<std::size_t>(d)] == Ticket::kWhite && m >= 1 && m <= 90 &&
                    after + white[m] == kNumbersPerRow) {
                    oneAway[n] |= static_cast<std::uint8_t>(1u << row);
                    break;
                }
            }
        }
    }
    for (int n = 1; n <= 90; ++n) {
        if (!completes[static_cast<std::size_t>(n)] && !oneAway[static_cast<std::size_t>(n)]) continue;
        Ticket::Completions done;
        if (completes[static_cast<std::size_t>(n)]) {
            Ticket::Colours after = colours;
            done = Ticket::Mark(numbers, after, n);
        }
        f(n, done, static_cast<std::uint8_t>(oneAway[static_cast<std::size_t>(n)] & ~done.rows));
    }
}

} // namespace

void AddTicketProspects(int ticket, const Ticket::Numbers& numbers, const Ticket::Colours& colours,
                        Prospects& prospects) {
    ForEachProspect(numbers, colours, [&](int n, const Ticket::Completions& done, std::uint8_t oneAway) {
        auto& p = prospects[static_cast<std::size_t>(n)];
        if (done.ticket) p.push_back({ticket, Prospect::Kind::Ticket, 0});
        for (std::uint8_t card = 0; card < 2; ++card) {
            if (done.cards & (1u << card)) p.push_back({ticket, Prospect::Kind::Card, card});
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if (done.rows & (1u << row)) p.push_back({ticket, Prospect::Kind::Row, row});
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if (oneAway & (1u << row)) p.push_back({ticket, Prospect::Kind::OneAway, row});
        }
    });
}

TicketHints HintsFor(const Ticket::Numbers& numbers, const Ticket::Colours& colours) {
    TicketHints h;
    ForEachProspect(numbers, colours, [&](int n, const Ticket::Completions& done, std::uint8_t) {
        if (!done.rows) return;
        const std::uint8_t level = done.ticket ? 3 : done.cards ? 2 : 1;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] == n && colours[i] == Ticket::kWhite) h.last[i] = std::max(h.last[i], level);
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if (done.rows & (1u << row)) h.waits.emplace_back(row, static_cast<std::uint8_t>(n));
        }
    });
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
    return h;
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
        const auto& p = prospects[static_cast<std::size_t>(n)];
        if (p.empty()) continue;
        Score s{};
        for (const Prospect& x : p)
            ++s[static_cast<std::size_t>(x.kind)];
        scored.emplace_back(s, n);
    }
    std::sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) {
        return std::tie(b.first, a.second) < std::tie(a.first, b.second);
    });
    std::vector<int> order;
    for (const auto& s : scored)
        order.push_back(s.second);
    return order;
}

std::string WaitingLine(int number, const std::vector<Prospect>& prospects) {
    static const std::string kDash = qo::Cp1251(" — "), kTicket = qo::Cp1251("билет "),
                             kWhole = qo::Cp1251(", весь билет"), kCard = qo::Cp1251(", карточка "),
                             kRow = qo::Cp1251(", ряд "), kOneAway = qo::Cp1251(": останется одно");
    std::string line = std::to_string(number) + kDash;
    // With many tickets a line names the first few: the list stays a list to read at a glance.
    const std::size_t shown = std::min(prospects.size(), kProspectsPerLine);
    for (std::size_t i = 0; i < shown; ++i) {
        const Prospect& p = prospects[i];
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
    if (shown < prospects.size()) line += qo::Cp1251("; и ещё ") + std::to_string(prospects.size() - shown);
    return line + "\r\n";
}

} // namespace lotto
