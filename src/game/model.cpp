#include "game/model.h"

#include <algorithm>

namespace lotto::game {

Model::~Model() {
    for (Ticket* t : tickets_) {
        if (t) t->model_ = nullptr;
    }
}

const std::vector<Ticket*>& Model::tickets() const {
    if (gone_ > 0) Compact();
    return tickets_;
}

void Model::Compact() const {
    tickets_.erase(std::remove(tickets_.begin(), tickets_.end(), nullptr), tickets_.end());
    for (std::size_t i = 0; i < tickets_.size(); ++i)
        tickets_[i]->place_ = i;
    gone_ = 0;
}

void Model::Join(Ticket& ticket) {
    if (ticket.model_ == this) return;
    if (ticket.model_) ticket.model_->Leave(ticket);
    ticket.model_ = this;
    ticket.place_ = tickets_.size();
    tickets_.push_back(&ticket);
    indexed_ = false;
    Tell(kTickets, &ticket);
}

void Model::Leave(Ticket& ticket) {
    if (ticket.model_ != this) return;
    ticket.model_ = nullptr;
    tickets_[ticket.place_] = nullptr;
    ++gone_;
    indexed_ = false;
    Tell(kTickets, nullptr);
}

void Model::Reorder(const std::vector<Ticket*>& order) {
    if (order == tickets()) return;
    for (Ticket* t : order) {
        if (t->model_ && t->model_ != this) t->model_->Leave(*t);
    }
    // Those not in `order` are let go: first every ticket, then those that stay are taken back.
    for (Ticket* t : tickets_)
        t->model_ = nullptr;
    tickets_ = order;
    for (std::size_t i = 0; i < tickets_.size(); ++i) {
        tickets_[i]->model_ = this;
        tickets_[i]->place_ = i;
    }
    indexed_ = false;
    Tell(kTickets, nullptr);
}

void Model::Called(std::int32_t n) {
    if (!IsNumberOfTheGame(n)) return;
    calls_.push_back(static_cast<std::uint8_t>(n));
    Tell(kCalls, nullptr);
}

bool Model::TakenBack(std::int32_t n) {
    if (!IsNumberOfTheGame(n)) return false;
    const auto last = std::find(calls_.rbegin(), calls_.rend(), static_cast<std::uint8_t>(n));
    if (last == calls_.rend()) return false;
    calls_.erase(std::next(last).base());
    Tell(kCalls, nullptr);
    return true;
}

namespace {

bool Take(std::vector<std::uint8_t>& into, const std::vector<int>& numbers) {
    std::vector<std::uint8_t> taken;
    taken.reserve(numbers.size());
    for (const int n : numbers) {
        if (IsNumberOfTheGame(n)) taken.push_back(static_cast<std::uint8_t>(n));
    }
    if (taken == into) return false;
    into.swap(taken);
    return true;
}

} // namespace

void Model::SetMoves(const std::vector<int>& moves) {
    if (Take(moves_, moves)) Tell(kCalls, nullptr);
}

void Model::SetDrawn(const std::vector<int>& drawn) {
    if (Take(drawn_, drawn)) Tell(kCalls, nullptr);
}

void Model::CallEverywhere(std::int32_t n) {
    Called(n);
    for (Ticket* t : tickets())
        t->Call(n);
}

void Model::TakeBackEverywhere(std::int32_t n) {
    TakenBack(n);
    for (Ticket* t : tickets())
        t->TakeBack(n);
}

void Model::TicketChanged(const Ticket& ticket, std::uint8_t what) {
    if (what & kNumbers) indexed_ = false;
    Tell(what, &ticket);
}

void Model::Index() const {
    if (indexed_) return;
    for (auto& places : where_)
        places.clear();
    held_.reset();
    const std::vector<Ticket*>& tickets = this->tickets();
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        const Numbers& numbers = tickets[t]->numbers();
        for (std::size_t c = 0; c < numbers.size(); ++c) {
            const std::int32_t n = numbers[c];
            if (!IsNumberOfTheGame(n)) continue;
            where_[n].push_back({static_cast<std::uint32_t>(t), static_cast<std::uint8_t>(c)});
            held_.set(static_cast<std::size_t>(n));
        }
    }
    indexed_ = true;
}

const std::vector<Place>& Model::Where(std::int32_t n) const {
    static const std::vector<Place> kNowhere;
    if (!IsNumberOfTheGame(n)) return kNowhere;
    Index();
    return where_[n];
}

const NumberSet& Model::held() const {
    Index();
    return held_;
}

void Model::Watch(Observer& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
        observers_.push_back(&observer);
}

void Model::Unwatch(Observer& observer) {
    const auto at = std::find(observers_.begin(), observers_.end(), &observer);
    if (at == observers_.end()) return;
    // NOTE: while observers are being told their list keeps its length and order, so a walk under
    // way neither skips one nor tells one that has gone.
    if (telling_ > 0) {
        *at = nullptr;
        observerGone_ = true;
    } else {
        observers_.erase(at);
    }
}

void Model::Tell(std::uint8_t what, const Ticket* ticket) {
    ++changes_;
    ++telling_;
    // Those who start watching meanwhile hear from the next change on.
    const std::size_t count = observers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (Observer* o = observers_[i]) o->GameChanged(what, ticket);
    }
    if (--telling_ == 0 && observerGone_) {
        observers_.erase(std::remove(observers_.begin(), observers_.end(), nullptr), observers_.end());
        observerGone_ = false;
    }
}

} // namespace lotto::game
