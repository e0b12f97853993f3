#pragma once
// One ticket's part of the game: the numbers its cells hold, how each cell is marked, the numbers
// called on it since it was last white and what each of them completed. The marking rule lives
// here on plain values; showing the marks as colours, the sounds and the cells themselves are the
// ticket block's. A ticket belongs to at most one model (model.h), which it tells of each change.
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/shape.h"

namespace lotto::game {

class Model;

// How a cell is marked: white, a called number (red), its row complete (green), its card complete
// (yellow), the whole ticket complete (light blue); Other for a colour set from outside, which
// the rule neither marks nor counts.
enum class Mark : std::uint8_t { None, Called, Row, Card, Ticket, Other };

using Numbers = std::array<std::int32_t, kCells>; // 0 where a cell holds no number of the game
using Marks = std::array<Mark, kCells>;
using Cells = std::bitset<kCells>;
using NumberSet = std::bitset<kLargest + 1>; // by number, 1…90

// What one call completed on one ticket.
struct Completions {
    std::uint8_t rows = 0;  // a bit for each ticket row, 0…5
    std::uint8_t cards = 0; // a bit for each card
    bool ticket = false;
    bool any() const { return rows || cards || ticket; }
    bool operator==(const Completions&) const = default;
};

// A call that completed something: its place among the ticket's deliveries, and what.
struct Completed {
    std::uint32_t delivery = 0;
    Completions what;
    bool operator==(const Completed&) const = default;
};

class Ticket {
public:
    Ticket();
    ~Ticket(); // leaves its model
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;

    // ---- Numbers.
    const Numbers& numbers() const { return numbers_; }
    const NumberSet& holds() const { return holds_; } // the numbers of the game its cells hold
    // The cells holding a text that is no number of the game as written ("0", "07"): no call
    // ever marks them.
    const Cells& unreadable() const { return unreadable_; }
    // The entry box's place: places used since the numbers were last cleared, minus one.
    std::int32_t fillPosition() const { return fillPosition_; }
    // Where the next placed number `n` goes, row by row, five a row, each in its column; the
    // place is used. -1, and nothing used, for a number that is no number of the game; -1 past
    // the thirtieth place.
    int NextPlace(std::int32_t n);
    // A cell's number changed (placed, typed, read back): 0 for none, `unreadable` for a text
    // that is no number of the game as written.
    void SetNumber(int cell, std::int32_t number, bool unreadable = false);
    // Every cell empty, the entry box at its start. The marks stay.
    void ClearNumbers();

    // ---- Marks and calls.
    const Marks& marks() const { return marks_; }
    // A mark set from outside the rule (a colour put on a cell): the next call marks through.
    void SetMark(int cell, Mark mark);
    // Every cell white; the ticket starts its own record of the numbers called on it.
    void Whiten();
    // The numbers called on this ticket since its cells were last made white, in order.
    const std::vector<std::uint8_t>& delivered() const { return delivered_; }
    // What those calls completed, oldest first.
    const std::vector<Completed>& completed() const { return completed_; }
    // Marks a called number: the white cells holding it turn called; a row of exactly five called
    // turns complete, a card of all-complete rows, a ticket of complete cards. What it completed.
    Completions Call(std::int32_t n);
    // Takes the latest call of `n` back: a cell that shows what the call did shows what the rest,
    // marked from white in order, make of it; a cell whose number changed since keeps its mark.
    // False, and nothing changed, for a number not called on this ticket.
    bool TakeBack(std::int32_t n);
    // Marks what the calls in `called` (in the order they came) would have marked had the ticket
    // held its numbers all along. The numbers no call brought count as called before the ticket's
    // own. What it newly completed in `newly`; false when nothing changed.
    bool CatchUp(const std::vector<int>& called, Completions& newly);
    // A kept ticket back as it was: numbers, marks, the entry box's place and its calls.
    void PutBack(const Numbers& numbers, const Cells& unreadable, const Marks& marks,
                 std::int32_t fillPosition, const std::vector<std::uint8_t>& delivered);

    // The rule on plain values.
    static Completions MarkRule(const Numbers& numbers, Marks& marks, std::int32_t n);
    // The same rule, for marks the rule itself made (white, or left by calls): there only a row
    // the call marks a cell in can complete, only a card of such a row, and the ticket only with
    // a card. Far cheaper, as it is run for every call a ticket replays.
    static Completions MarkStep(const Numbers& numbers, Marks& marks, std::int32_t n);
    // A call of `n` may change the marks: the ticket holds it, or a mark set from outside left
    // the marks other than the rule's. Elsewhere a call only joins the ticket's calls.
    bool MayMark(std::int32_t n) const {
        return !settled_ || (IsNumberOfTheGame(n) && holds_[static_cast<std::size_t>(n)]);
    }

    // ---- For views.
    // The ticket's place in its list, from 1; 0 before it is listed.
    int ticketNumber() const { return ticketNumber_; }
    void SetTicketNumber(int number);
    // Grow with every change: `version` with numbers or marks, `numbersVersion` with numbers; no
    // two tickets ever show the same version.
    std::uint64_t version() const { return version_; }
    std::uint64_t numbersVersion() const { return numbersVersion_; }
    Model* model() const { return model_; }

    // What a view works out from the ticket, kept with it so it goes with it; the view checks
    // `version` before trusting it.
    struct Reading {
        virtual ~Reading() = default;
        std::uint64_t version = 0;
    };
    Reading* reading() const { return reading_.get(); }
    void keepReading(std::unique_ptr<Reading> reading) const { reading_ = std::move(reading); }

    // The same game on both: numbers, marks, calls, completions, place of the entry box.
    bool SameGame(const Ticket& other) const;

private:
    friend class Model;
    enum Change : std::uint8_t { kNumbers = 1, kMarks = 2, kCalls = 4 };
    void Changed(std::uint8_t what);
    void Replay(Marks& marks); // from white, silently; brings `completed_` up to date
    void RecountHeld();

    Numbers numbers_{};
    Marks marks_{};
    NumberSet holds_;
    Cells unreadable_;
    // For each cell, how many calls had come when its number last changed: the calls before that
    // did not see the number it holds now.
    std::array<std::uint32_t, kCells> changedAt_{};
    std::vector<std::uint8_t> delivered_;
    std::vector<Completed> completed_;
    std::int32_t fillPosition_ = -1;
    // The marks are what the rule made of the numbers, so a number no cell holds changes nothing.
    bool settled_ = true;
    int ticketNumber_ = 0;
    std::uint64_t version_ = 0, numbersVersion_ = 0;
    Model* model_ = nullptr;
    std::size_t place_ = 0; // in the model's list
    mutable std::unique_ptr<Reading> reading_;
};

} // namespace lotto::game
