#pragma once
// What each number would do now, were it called: complete a row, a card or a whole ticket, or bring
// a row to one away, on every ticket; for the "Жду" list. Worked out from the cells' numbers and
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

// The numbers that would do something, what completes the most first (whole tickets, then cards,
// then rows, then rows brought to one away), the smaller number first among equals.
std::vector<int> WaitingOrder(const Prospects& prospects);

// "47 — билет 3, весь билет; билет 1, ряд 2; билет 2, ряд 5: останется одно", Windows-1251, CR LF;
// past kProspectsPerLine, "…; и ещё 12".
constexpr std::size_t kProspectsPerLine = 5;
std::string WaitingLine(int number, const std::vector<Prospect>& prospects);

} // namespace lotto
