#pragma once
// What each number would do now, were it called: complete a row, a card or a whole ticket, or bring
// a row to one away, on every ticket, for the "Жду" list; and what each ticket shows of it with
// hints on, with what was typed where it cannot stand. Worked out from the cells' numbers and
// colours by the tickets' own marking rule; which numbers the game has called is the colours'.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/inline_code_d9d224.h"

namespace lotto {

struct Prospect {
    enum class Kind : std::uint8_t { Ticket, Card, Row, OneAway }; // most first
    int ticket = 0;                                                // the ticket's number in the list
    Kind kind = Kind::Row;
    std::uint8_t index = 0; // the card (0, 1) or the ticket's row (0…5)
    bool operator==(const Prospect&) const = default;
};

// Prospects by number, 1…90.
using Prospects = std::array<std::vector<Prospect>, 91>;

// Adds what each number standing in a white cell would do on this ticket now.
void AddTicketProspects(int ticket, const TQOInlineCode_D9D224::Numbers& numbers,
                        const TQOInlineCode_D9D224::Colours& colours, Prospects& prospects);

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
    std::array<std::uint8_t, TQOInlineCode_D9D224::kCells> last{};
    std::array<std::uint8_t, TQOInlineCode_D9D224::kCells> problems{}; // Problem bits
    int numbers = 0, called = 0;                                       // cells with a number; those not white
    std::vector<std::pair<std::uint8_t, std::uint8_t>> waits;          // a row one away, and its number

    // What the cell's mark means, for its tip and spoken name ("" for none); `sameAs`: another
    // ticket with the very same numbers, 0 for none. Windows-1251.
    std::string CellReasons(std::size_t cell, int sameAs) const;
    // "Билет 3: выпало 12 из 30; ряд 2 ждёт 47", Windows-1251.
    std::string Summary(int ticket) const;
    // The ticket's numbers as one comparable value: equal for tickets holding the same numbers.
    static std::string Key(const TQOInlineCode_D9D224::Numbers& numbers);
};

TicketHints HintsFor(const TQOInlineCode_D9D224::Numbers& numbers,
                     const TQOInlineCode_D9D224::Colours& colours);

// The numbers that would do something, what completes the most first (whole tickets, then cards,
// then rows, then rows brought to one away), the smaller number first among equals.
std::vector<int> WaitingOrder(const Prospects& prospects);

// "47 — билет 3, весь билет; билет 1, ряд 2; билет 2, ряд 5: останется одно", Windows-1251, CR LF;
// past kProspectsPerLine, "…; и ещё 12".
constexpr std::size_t kProspectsPerLine = 5;
std::string WaitingLine(int number, const std::vector<Prospect>& prospects);

} // namespace lotto
