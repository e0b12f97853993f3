#pragma once
// The game as one model: the tickets in their list's order (ticket.h: each one's numbers, marks and
// what each call did on it), the game's calls in order, and where each number stands. The program
// keeps one; the ticket blocks record into it as they mark their cells, and every view reads it
// and hears from it when it changed. It shows nothing and decides nothing the rule does not.
#include <cstdint>
#include <vector>

#include "game/ticket.h"

namespace lotto::game {

// Where a number stands: a ticket, by its place in the model's list, and its cell.
struct Place {
    std::uint32_t ticket = 0;
    std::uint8_t cell = 0;
    bool operator==(const Place&) const = default;
};

class Model {
public:
    // What changed, as bits.
    enum Change : std::uint8_t {
        kNumbers = 1, // a ticket's numbers
        kMarks = 2,   // a ticket's marks
        kCalls = 4,   // a call made or taken back, on the game or a ticket
        kTickets = 8, // a ticket joined, left, or the list's order changed
    };
    class Observer {
    public:
        // `ticket`: the ticket that changed, null for the game's own calls or the list.
        virtual void GameChanged(std::uint8_t what, const Ticket* ticket) = 0;

    protected:
        ~Observer() = default;
    };

    Model() = default;
    ~Model(); // the tickets still in it are let go
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // ---- The tickets, in list order. A ticket joins at the end and leaves as it goes.
    const std::vector<Ticket*>& tickets() const;
    void Join(Ticket& ticket);
    void Leave(Ticket& ticket);
    // The list's order, when it is no longer the order the tickets joined in: the tickets not in
    // `order` leave.
    void Reorder(const std::vector<Ticket*>& order);

    // ---- The game's calls: every number called and not taken back, in order.
    const std::vector<std::uint8_t>& calls() const { return calls_; }
    void Called(std::int32_t n);
    // The latest call of `n` is taken back; false when there is none.
    bool TakenBack(std::int32_t n);
    // The number called last, 0 before any.
    int last() const { return calls_.empty() ? 0 : calls_.back(); }
    // Where the calls came from, as the game window lists them: the real game's moves (the
    // distinct numbers called at the table, in order) and the open virtual game's draws.
    const std::vector<std::uint8_t>& moves() const { return moves_; }
    const std::vector<std::uint8_t>& drawn() const { return drawn_; }
    void SetMoves(const std::vector<int>& moves);
    void SetDrawn(const std::vector<int>& drawn);
    // A call made and delivered on every ticket, as the program's ticket list does it.
    void CallEverywhere(std::int32_t n);
    void TakeBackEverywhere(std::int32_t n);

    // ---- Where each number stands, worked out again once some ticket's numbers changed.
    const std::vector<Place>& Where(std::int32_t n) const;
    // The numbers some ticket holds.
    const NumberSet& held() const;

    // ---- Hearing of changes: synchronously, as each one is made. An observer may stop watching
    // (itself or another) while it is being told.
    void Watch(Observer& observer);
    void Unwatch(Observer& observer);

    // Grows with every change; equal values mean nothing changed in between.
    std::uint64_t changes() const { return changes_; }

private:
    friend class Ticket;
    void TicketChanged(const Ticket& ticket, std::uint8_t what);
    void Tell(std::uint8_t what, const Ticket* ticket);
    void Index() const;

    void Compact() const;

    // A ticket that leaves leaves a null behind, taken out at the next look: a list of thousands
    // deleted at once is not moved up once per ticket.
    mutable std::vector<Ticket*> tickets_;
    mutable std::size_t gone_ = 0;
    std::vector<std::uint8_t> calls_, moves_, drawn_;
    std::vector<Observer*> observers_;
    int telling_ = 0;           // nested walks over the observers under way
    bool observerGone_ = false; // one stopped watching during a walk: its place is null until it ends
    std::uint64_t changes_ = 0;
    mutable bool indexed_ = false;
    mutable std::vector<Place> where_[kLargest + 1];
    mutable NumberSet held_;
};

} // namespace lotto::game
