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
#include "game/ticket.h"
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

// The same game as plain values in a few flat arrays: taken from the game model on the event loop
// in a moment, compared in one sweep, and made into the text on another thread. Every cell is its
// number, or an odd text ("0", "07", a stray letter) kept beside; so one game has exactly one
// snapshot, and equal snapshots are equal games.
struct KeptGameSnapshot {
    static constexpr int kCells = game::kCells;
    struct Ticket {
        std::array<std::uint8_t, kCells> numbers{}; // 1…99 as written; 0 for empty or an odd text
        game::Marks marks{};                        // kept as the five colours' letters
        std::int32_t fillPosition = -1;
        // Where this ticket's share of the arrays below ends: it starts where the last one's ended.
        std::uint32_t deliveredEnd = 0, oddEnd = 0, textsEnd = 0;
        bool operator==(const Ticket&) const = default;
    };
    struct OddCell {
        std::uint8_t cell = 0;
        std::uint32_t textEnd = 0; // in `texts`, after the ticket's earlier odd cells
        bool operator==(const OddCell&) const = default;
    };

    std::vector<Ticket> tickets;
    std::vector<std::uint8_t> delivered; // every ticket's deliveries, one after another
    std::vector<OddCell> odd;            // the odd cells, ticket by ticket, by cell
    std::string texts;                   // per ticket: its odd cells' texts, then its notes
    std::vector<int> realMoves;
    bool virtualOpen = false;
    std::vector<int> virtualDrawn;
    std::string virtualCount;
    bool endedByClosing = false;

    bool operator==(const KeptGameSnapshot&) const = default;
    bool sameGame(const KeptGameSnapshot& other) const;

    // ---- Taking one, ticket by ticket, in list order.
    void Clear(); // keeps the storage
    // Starts the next ticket; its cells are all empty and white until set.
    Ticket& AddTicket(std::int32_t fillPosition);
    // A cell holding a text that is no plain number 1…99: kept as it is. In cell order.
    void AddOddCell(int cell, std::string_view text);
    // Ends the ticket started last, with its deliveries and notes.
    void EndTicket(const std::uint8_t* delivered, std::size_t count, std::string_view notes);
    // A ticket of texts and colours, all at once.
    void Add(const KeptTicket& ticket);

    bool empty() const {
        return tickets.empty() && realMoves.empty() && !virtualOpen && virtualDrawn.empty();
    }
    // The same game with texts and colours, and back; one ticket of it into `ticket`.
    KeptGame Game() const;
    void TicketAt(std::size_t position, KeptTicket& ticket) const;
    static KeptGameSnapshot Of(const KeptGame& game);
};

// The text to keep, ending with its check line.
std::string KeptGameText(const KeptGameSnapshot& game);
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

// Reads a kept game's text; never throws, whatever the bytes. Into a snapshot it takes a small
// part of the memory a game of texts does, and no string per cell.
KeptGameReading ReadKeptGame(std::string_view text, KeptGameSnapshot& game);
KeptGameReading ReadKeptGame(std::string_view text, KeptGame& game);

} // namespace lotto
