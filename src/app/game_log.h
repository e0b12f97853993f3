#pragma once
// What the "Ход игры" window shows, made from the game model:
// the completions each delivery made, newest first, their lines, and the board's three facts
// (called, standing on a ticket, the last call). Nothing here keeps a copy of the game; the window
// asks again when it changes.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace lotto {

namespace game {
class Ticket;
}

struct LogEntry {
    enum class Kind : std::uint8_t { Ticket, Card, Row }; // a line's order within one delivery
    std::uint32_t age = 0;                                // deliveries made since: 0 is the newest
    int ticket = 0;                                       // the ticket's number in the list
    std::uint8_t number = 0;                              // the number that completed it
    Kind kind = Kind::Row;
    std::uint8_t index = 0; // the card (0, 1) or the ticket's row (0…5)

    // The same completion, however long ago: what a line says besides its move.
    bool sameAs(const LogEntry& o) const {
        return ticket == o.ticket && number == o.number && kind == o.kind && index == o.index;
    }
};

// Adds what the ticket's deliveries completed. Every call reaches every ticket, so a delivery's
// age counted back from a ticket's last one is the same call on every ticket.
void AddTicketLog(const game::Ticket& ticket, std::vector<LogEntry>& log);
// Newest first; within one delivery by ticket, and a whole ticket before its cards before its rows.
void SortLog(std::vector<LogEntry>& log);

// Where each number was called: its move in the real game, else its draw in the virtual one.
struct CallPlaces {
    std::array<std::uint8_t, 91> move{}; // from 1; 0 when it is no move
    std::array<std::uint8_t, 91> draw{};
    CallPlaces() = default;
    CallPlaces(const std::vector<std::uint8_t>& moves, const std::vector<std::uint8_t>& drawn);
    // Each of `numbers` is called where it was before, so its lines read the same.
    bool sameFor(const CallPlaces& before, const std::bitset<91>& numbers) const;
};

// "Ход 23 (47): билет 3, ряд 2" (or "Бочонок 5 (47)…" for a draw, "Число 47…" for a call the game
// window no longer lists), Windows-1251, ending in CR LF.
std::string LogLine(const LogEntry& e, const CallPlaces& places);
// A row of a ticket (0…5) as the player finds it on paper, by its card: ", карточка 2, ряд 1".
std::string RowOfCard(int ticketRow);

struct Board {
    std::bitset<91> called;   // a move of the real game or a draw of the virtual one
    std::bitset<91> onTicket; // stands in a cell of some ticket
    int last = 0;             // the latest number delivered; 0 before any
    bool operator==(const Board&) const = default;
};

// The board's text for a screen reader: the last call and the called numbers, smallest first.
std::string BoardDescription(const Board& board); // Windows-1251

} // namespace lotto
