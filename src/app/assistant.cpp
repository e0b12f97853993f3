#include "app/assistant.h"

#include <algorithm>
#include <bitset>
#include <tuple>

#include "runtime/cp1251.h"

namespace lotto {

namespace {

using Ticket = TQOInlineCode_D9D224;
constexpr int kNumbersPerRow = 5;

} // namespace

void AddTicketProspects(int ticket, const Ticket::Numbers& numbers, const Ticket::Colours& colours,
                        Prospects& prospects) {
    // A row turns green at exactly five red cells, so only a number whose white cells in a row
    // bring it to five completes it; one that leaves a number whose white cells would make five
    // brings the row to one away. The marking rule itself says what a completion completes.
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
        auto& p = prospects[static_cast<std::size_t>(n)];
        if (done.ticket) p.push_back({ticket, Prospect::Kind::Ticket, 0});
        for (std::uint8_t card = 0; card < 2; ++card) {
            if (done.cards & (1u << card)) p.push_back({ticket, Prospect::Kind::Card, card});
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if (done.rows & (1u << row)) p.push_back({ticket, Prospect::Kind::Row, row});
        }
        for (std::uint8_t row = 0; row < Ticket::kRows; ++row) {
            if ((oneAway[static_cast<std::size_t>(n)] & (1u << row)) && !(done.rows & (1u << row)))
                p.push_back({ticket, Prospect::Kind::OneAway, row});
        }
    }
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
