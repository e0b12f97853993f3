#pragma once
// What each number would do now, were it called: complete a row, a card or a whole ticket, or bring
// a row to one away, on every ticket, for the "Жду" list; and what each ticket shows of it with
// hints on, with what was typed where it cannot stand. Worked out from the tickets' numbers and
// marks in the game model by its own marking rule; which numbers the game has called is the marks'.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "game/ticket.h"

namespace lotto {

struct Prospect {
    enum class Kind : std::uint8_t { Ticket, Card, Row, OneAway }; // most first
    int ticket = 0;                                                // the ticket's number in the list
    Kind kind = Kind::Row;
    std::uint8_t index = 0; // the card (0, 1) or the ticket's row (0…5)
    bool operator==(const Prospect&) const = default;
};

// What one ticket's numbers would do now, each with its number: by number, then most first.
struct NumberedProspect {
    std::uint8_t number = 0;
    Prospect what;
};
void TicketProspects(int ticket, const game::Numbers& numbers, const game::Marks& marks,
                     std::vector<NumberedProspect>& prospects);

// What calling one number would do on all the tickets, as the "Жду" list tells it: how many of
// each kind, and the first few in the tickets' order.
constexpr std::size_t kProspectsPerLine = 5;
struct Waiting {
    std::array<int, 4> byKind{}; // by Prospect::Kind
    int count = 0;
    std::vector<Prospect> first; // at most kProspectsPerLine
    void Add(const Prospect& p);
    bool operator==(const Waiting&) const = default;
};
// By number, 1…90.
using Prospects = std::array<Waiting, 91>;

// What a ticket itself shows while hints are on.
struct TicketHints {
    enum Problem : std::uint8_t {
        kNotOfTheGame = 1, // 91–99
        kWrongColumn = 2,  // not its decade's column
        kTwice = 4,        // twice or more on the ticket
        kCrowdedRow = 8,   // in a row of more than five numbers
    };
    // For each cell: what its number, still white, would complete: 0 nothing, 1 its row, 2 a
    // card, 3 the whole ticket.
    std::array<std::uint8_t, game::kCells> last{};
    std::array<std::uint8_t, game::kCells> problems{}; // Problem bits
    // White cells holding a number the game has called: the ticket, or the number, came after it.
    std::bitset<game::kCells> missed;
    int numbers = 0, called = 0;                              // cells with a number; those not white
    std::vector<std::pair<std::uint8_t, std::uint8_t>> waits; // a row one away, and its number

    // What the cell's mark means, for its tip and spoken name ("" for none); `sameAs`: another
    // ticket with the very same numbers, 0 for none. Windows-1251.
    std::string CellReasons(std::size_t cell, int sameAs) const;
    // "Билет 3: выпало 12 из 30; ряд 2 ждёт 47", Windows-1251.
    std::string Summary(int ticket) const;
    // The ticket's numbers as one comparable value: equal for tickets holding the same numbers.
    static std::string Key(const game::Numbers& numbers);
};

// The hints in three parts: what the texts alone say (problems, how many numbers there are;
// `unreadable`: the cells whose text is no number as written), what the marks add (last
// numbers, what has been called, rows waiting; `prospects`: TicketProspects of the same cells),
// and what the game adds (`called`: the numbers called so far, by number).
void ProblemsFor(const game::Numbers& numbers, const std::bitset<game::kCells>& unreadable,
                 TicketHints& hints);
void MissedFor(const game::Numbers& numbers, const game::Marks& marks, const std::bitset<91>& called,
               TicketHints& hints);
void ProgressFor(const game::Numbers& numbers, const game::Marks& marks,
                 const std::vector<NumberedProspect>& prospects, TicketHints& hints);

// What a ticket's cells say now: what each of its numbers would do, and the hints it shows. Kept
// with the ticket and worked out again only once its cells or its number changed, so the "Жду"
// list and the hints, both read after every call, work out only the tickets the call changed.
struct TicketReading : game::Ticket::Reading {
    void Update(const game::Ticket& ticket);
    int ticketNumber = 0;
    std::uint64_t numbersVersion = 0; // of the numbers the problems were found in
    std::vector<NumberedProspect> prospects;
    TicketHints hints;
    // What the hints on the ticket's cells show, kept by the code that shows them.
    struct Shown {
        bool on = false;    // something is shown
        bool known = false; // seen since hints were turned on: it may sound when it comes one away
        bool oneAway = false;
        std::uint64_t version = 0, numbersVersion = 0; // of the cells the hints were shown from
        TicketHints hints;
        int sameAs = 0, number = 0;
        std::string key; // the numbers, to find tickets alike (TicketHints::Key)
    } shown;
};
TicketReading& ReadingOf(const game::Ticket& ticket);

// The numbers that would do something, what completes the most first (whole tickets, then cards,
// then rows, then rows brought to one away), the smaller number first among equals.
std::vector<int> WaitingOrder(const Prospects& prospects);

// "47 — билет 3, весь билет; билет 1, ряд 2; билет 2, ряд 5: останется одно", Windows-1251, CR LF;
// past kProspectsPerLine, "…; и ещё 12".
std::string WaitingLine(int number, const Waiting& waiting);

} // namespace lotto
