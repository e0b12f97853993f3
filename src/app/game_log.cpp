#include "app/game_log.h"

#include <algorithm>
#include <tuple>

#include "game/ticket.h"
#include "runtime/cp1251.h"

namespace lotto {

void AddTicketLog(const game::Ticket& ticket, std::vector<LogEntry>& log) {
    const auto& delivered = ticket.delivered();
    const auto newest = static_cast<std::uint32_t>(delivered.size()) - 1;
    for (const auto& c : ticket.completed()) {
        LogEntry e;
        e.age = newest - c.delivery;
        e.ticket = ticket.ticketNumber();
        e.number = delivered[c.delivery];
        if (c.what.ticket) {
            e.kind = LogEntry::Kind::Ticket;
            log.push_back(e);
        }
        for (std::uint8_t card = 0; card < game::kCards; ++card) {
            if (!(c.what.cards & (1u << card))) continue;
            e.kind = LogEntry::Kind::Card;
            e.index = card;
            log.push_back(e);
        }
        for (std::uint8_t row = 0; row < game::kRows; ++row) {
            if (!(c.what.rows & (1u << row))) continue;
            e.kind = LogEntry::Kind::Row;
            e.index = row;
            log.push_back(e);
        }
    }
}

void SortLog(std::vector<LogEntry>& log) {
    const auto before = [](const LogEntry& a, const LogEntry& b) {
        return std::tie(a.age, a.ticket, a.kind, a.index) < std::tie(b.age, b.ticket, b.kind, b.index);
    };
    // Gathered ticket by ticket in list order, a log is in order but for the ages: put in order by
    // age alone, keeping the rest as it came, it is sorted in one pass over thousands of lines.
    std::uint32_t oldest = 0;
    for (const LogEntry& e : log)
        oldest = std::max(oldest, e.age);
    if (oldest < 4096) {
        std::vector<std::uint32_t> start(oldest + 2, 0);
        for (const LogEntry& e : log)
            ++start[e.age + 1];
        for (std::size_t a = 1; a < start.size(); ++a)
            start[a] += start[a - 1];
        std::vector<LogEntry> byAge(log.size());
        for (const LogEntry& e : log)
            byAge[start[e.age]++] = e;
        log.swap(byAge);
    }
    if (!std::is_sorted(log.begin(), log.end(), before)) std::sort(log.begin(), log.end(), before);
}

CallPlaces::CallPlaces(const std::vector<std::uint8_t>& moves, const std::vector<std::uint8_t>& drawn) {
    const auto note = [](std::array<std::uint8_t, 91>& places, const std::vector<std::uint8_t>& numbers) {
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int n = numbers[i];
            if (n >= 1 && n <= 90 && places[static_cast<std::size_t>(n)] == 0)
                places[static_cast<std::size_t>(n)] =
                    static_cast<std::uint8_t>(std::min<std::size_t>(i + 1, 255));
        }
    };
    note(move, moves);
    note(draw, drawn);
}

bool CallPlaces::sameFor(const CallPlaces& before, const std::bitset<91>& numbers) const {
    for (std::size_t n = 1; n <= 90; ++n) {
        if (numbers[n] && (move[n] != before.move[n] || draw[n] != before.draw[n])) return false;
    }
    return true;
}

std::string RowOfCard(int ticketRow) {
    static const std::string kCard = qo::Cp1251(", карточка "), kRow = qo::Cp1251(", ряд ");
    return kCard + std::to_string(ticketRow / game::kRowsPerCard + 1) + kRow +
           std::to_string(ticketRow % game::kRowsPerCard + 1);
}

std::string LogLine(const LogEntry& e, const CallPlaces& places) {
    static const std::string kMove = qo::Cp1251("Ход "), kDraw = qo::Cp1251("Бочонок "),
                             kNumber = qo::Cp1251("Число "), kTicket = qo::Cp1251(": билет "),
                             kCard = qo::Cp1251(", карточка "), kWhole = qo::Cp1251(", весь билет");
    const std::string n = std::to_string(e.number);
    std::string line;
    line.reserve(48);
    if (const int move = places.move[e.number]) {
        line += kMove + std::to_string(move) + " (" + n + ")";
    } else if (const int draw = places.draw[e.number]) {
        line += kDraw + std::to_string(draw) + " (" + n + ")";
    } else {
        line += kNumber + n;
    }
    line += kTicket + std::to_string(e.ticket);
    switch (e.kind) {
    case LogEntry::Kind::Ticket:
        line += kWhole;
        break;
    case LogEntry::Kind::Card:
        line += kCard + std::to_string(e.index + 1);
        break;
    case LogEntry::Kind::Row:
        line += RowOfCard(e.index);
        break;
    }
    line += "\r\n";
    return line;
}

std::string BoardDescription(const Board& board) {
    if (board.called.none()) return qo::Cp1251("Чисел пока не называли");
    std::string text =
        qo::Cp1251("Последнее число ") + std::to_string(board.last) + qo::Cp1251(". Названы: ");
    bool first = true;
    for (int n = 1; n <= 90; ++n) {
        if (!board.called[static_cast<std::size_t>(n)]) continue;
        if (!first) text += ", ";
        text += std::to_string(n);
        first = false;
    }
    return text + ".";
}

} // namespace lotto
