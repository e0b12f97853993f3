// Reading a kept game: whatever the bytes, the reader ends, takes nothing from a stranger or a
// newer version, and keeps only what the program itself could have written, so that what it kept
// is written and read back the same, whole.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/inline_code_d9d224.h"
#include "app/kept_game.h"

#include "fuzz_check.h"

namespace {

using Outcome = lotto::KeptGameReading::Outcome;
using Ticket = lotto::TQOInlineCode_D9D224;

bool GameNumbers(const std::vector<int>& numbers) {
    bool seen[91] = {};
    for (const int n : numbers) {
        if (n < 1 || n > 90 || seen[n]) return false;
        seen[n] = true;
    }
    return true;
}

bool Colour(qo::Color c) {
    return c == Ticket::kWhite || c == Ticket::kRed || c == Ticket::kGreen || c == Ticket::kYellow ||
           c == Ticket::kLightBlue;
}

bool CellText(const std::string& t) {
    return t.size() <= 2 && t.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lotto::KeptGame game;
    const lotto::KeptGameReading r = lotto::ReadKeptGame(text, game);
    if (r.outcome == Outcome::Newer || r.outcome == Outcome::NotOurs) {
        FUZZ_CHECK(game.empty() && game.tickets.empty());
        return 0;
    }
    FUZZ_CHECK((r.outcome == Outcome::Read) == (r.badLines == 0 && !r.truncated));

    FUZZ_CHECK(GameNumbers(game.realMoves) && GameNumbers(game.virtualDrawn) && CellText(game.virtualCount));
    for (const lotto::KeptTicket& t : game.tickets) {
        FUZZ_CHECK(t.fillPosition >= -1 && t.fillPosition <= 29);
        for (const std::uint8_t n : t.delivered)
            FUZZ_CHECK(n >= 1 && n <= 90);
        for (std::size_t i = 0; i < t.cells.size(); ++i)
            FUZZ_CHECK(CellText(t.cells[i]) && Colour(t.colours[i]));
    }

    lotto::KeptGame again;
    const std::string written = lotto::KeptGameText(game);
    FUZZ_CHECK(lotto::ReadKeptGame(written, again).outcome == Outcome::Read);
    FUZZ_CHECK(again == game);
    return 0;
}
