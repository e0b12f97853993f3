#pragma once
// The kept game's text: everything the player has put in (tickets, the real game, the virtual
// game) as one versioned text, and back. Where the text is kept, and when, is the keeper's
// concern (inline_code_kept_game.h); this file knows only the format, which the README describes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/shape.h"
#include "widgets/layer/colors.h"

namespace lotto {

struct KeptTicket {
    static constexpr int kCells = game::kCells;
    std::array<std::string, kCells> cells{}; // Windows-1251, as the cells hold them
    std::array<qo::Color, kCells> colours{}; // the five cell colours only
    std::int32_t fillPosition = -1;          // -1 … 29, the entry box's last place
    std::string notes;                       // Windows-1251, CR LF line breaks
    std::vector<std::uint8_t> delivered;     // numbers called on it since it was last white, in order

    KeptTicket() { colours.fill(0xFFFFFF); }
    bool operator==(const KeptTicket&) const = default;
};

struct KeptGame {
    std::vector<KeptTicket> tickets; // in list order
    std::vector<int> realMoves;      // the real game's numbers, in the order called
    bool virtualOpen = false;        // a virtual game is open
    std::vector<int> virtualDrawn;   // its numbers, in the order drawn
    std::string virtualCount;        // the count box's text, Windows-1251
    bool endedByClosing = false;     // the run that wrote it closed its main window

    bool operator==(const KeptGame&) const = default;
    // Nothing the player put in: no ticket, no move, no draw, no open game.
    bool empty() const;
    // The same game, whoever wrote it or how that run ended.
    bool sameGame(const KeptGame& other) const;
};

// The text to keep, ending with its check line.
std::string KeptGameText(const KeptGame& game);

struct KeptGameReading {
    enum class Outcome {
        Read,    // every line understood and the check line agrees
        Damaged, // read as far as it could be; `game` holds what was understood
        Newer,   // written by a newer major version: nothing taken
        NotOurs, // no version line: nothing taken
    };
    Outcome outcome = Outcome::NotOurs;
    int badLines = 0;       // lines that could not be taken (unknown records are not bad)
    bool truncated = false; // no check line, or one that does not match the text before it
};

// Reads a kept game's text; never throws, whatever the bytes.
KeptGameReading ReadKeptGame(std::string_view text, KeptGame& game);

} // namespace lotto
