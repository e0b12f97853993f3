#include "containers/multi_element_ex.h"

#include <limits>

#include "runtime/event_scope.h"
#include "runtime/init_man.h"

namespace qo {

// Scheme objects of removed instances, waiting for the outermost event delivery to return.
// Shared with the pending destruction so that a container destroyed first can take them along.
struct TQOMultiElementEx::Graveyard {
    std::vector<std::unique_ptr<TScheme>> dead;
    bool scheduled = false;
};

namespace {
void Resize(std::vector<TEventLink>& links, std::int32_t count) {
    links.assign(count > 0 ? static_cast<std::size_t>(count) : 0, TEventLink{});
}

void Send(TQOEditMultiEx* edge, std::uint16_t index, TData& d) {
    if (index < edge->innerEvents.size()) CallLink(edge->innerEvents[index], d);
}

// Destroys in the order given. Taken out of their owner first: a destructor that fires an
// event must not find a half-destroyed list.
void DestroyAll(std::vector<std::unique_ptr<TScheme>> schemes) {
    for (auto& scheme : schemes)
        scheme.reset();
}
} // namespace

TQOMultiElementEx::TQOMultiElementEx(Control* parent) : parent_(parent) {}

TQOMultiElementEx::~TQOMultiElementEx() {
    current_ = nullptr;
    // Whatever still waits for the end of an event goes now: the parent window may not outlive us.
    if (graveyard_) {
        auto dead = std::move(graveyard_->dead);
        graveyard_.reset();
        DestroyAll(std::move(dead));
    }
    std::vector<std::unique_ptr<TScheme>> live;
    for (auto& entry : instances_)
        live.push_back(std::move(entry.scheme));
    instances_.clear();
    DestroyAll(std::move(live));
    single_.scheme.reset();
}

void TQOMultiElementEx::SetFactory(Factory factory) {
    factory_ = std::move(factory);
    if (mode_ != modeSingle || single_.edge) return;
    // The program start runs the start-up list once the whole enclosing scheme stands.
    single_ = Create(false);
    current_ = single_.edge;
}

void TQOMultiElementEx::SetEventCount(std::int32_t count) {
    Resize(events, count);
}
void TQOMultiElementEx::SetDataInputCount(std::int32_t count) {
    Resize(dataInputs, count);
}

bool TQOMultiElementEx::HandleLive(std::int32_t handle) const {
    return Find(handle) >= 0 || (single_.edge && single_.edge->handle_ == handle);
}

std::int32_t TQOMultiElementEx::NextHandle() {
    for (;;) {
        if (lastHandle_ == std::numeric_limits<std::int32_t>::max()) {
            lastHandle_ = 0;
            handlesWrapped_ = true;
        }
        ++lastHandle_; // 0 is never given: it means "no instance"
        // Before the first wrap every handle is fresh; after it, skip those still in use.
        if (!handlesWrapped_ || !HandleLive(lastHandle_)) return lastHandle_;
    }
}

std::ptrdiff_t TQOMultiElementEx::Find(std::int32_t handle) const {
    for (std::size_t i = 0; i < instances_.size(); ++i) {
        if (instances_[i].edge->handle_ == handle) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

TQOMultiElementEx::Entry TQOMultiElementEx::Create(bool runStartups) {
    Entry entry;
    if (!factory_) return entry;
    entry.edge = factory_(parent_);
    if (!entry.edge) return entry;
    entry.scheme.reset(entry.edge->schemeObject);
    entry.edge->handle_ = NextHandle();
    entry.edge->SetOwner(this);
    if (runStartups) RunStartups();
    return entry;
}

void TQOMultiElementEx::Bury(std::vector<std::unique_ptr<TScheme>> schemes) {
    if (schemes.empty()) return;
    if (!graveyard_) graveyard_ = std::make_shared<Graveyard>();
    for (auto& scheme : schemes)
        graveyard_->dead.push_back(std::move(scheme));
    if (graveyard_->scheduled) return;
    graveyard_->scheduled = true;
    // Runs at once when no event is being delivered, else when the outermost delivery returns.
    DestroyWhenIdle([weak = std::weak_ptr<Graveyard>(graveyard_)] {
        const auto graveyard = weak.lock();
        if (!graveyard) return; // the container went first and took them along
        auto dead = std::move(graveyard->dead);
        graveyard->dead.clear();
        graveyard->scheduled = false;
        DestroyAll(std::move(dead));
    });
}

void TQOMultiElementEx::Add(TData& d, std::uint16_t index) {
    if (mode_ != modeList) return;
    Entry entry = Create(true);
    if (!entry.edge) return;
    TQOEditMultiEx* edge = entry.edge;
    // NOTE: current and listed before the call, so "##handle" read inside it is the new instance's.
    current_ = edge;
    instances_.push_back(std::move(entry));
    ++listChanges_;
    Send(edge, index, d);
}

void TQOMultiElementEx::Select(TData& d, std::uint16_t index) {
    if (mode_ != modeList) return;
    const std::int32_t i = ToInteger(d);
    if (i < 0 || static_cast<std::size_t>(i) >= instances_.size()) {
        current_ = nullptr;
        return;
    }
    current_ = instances_[static_cast<std::size_t>(i)].edge;
    Send(current_, index, d);
}

void TQOMultiElementEx::DeleteByHandle(TData& d, std::uint16_t index) {
    if (mode_ != modeList) return;
    const std::int32_t handle = ToInteger(d);
    if (handle == 0) return;
    std::ptrdiff_t pos = Find(handle);
    if (pos < 0) return;
    Send(instances_[static_cast<std::size_t>(pos)].edge, index, d);
    // Being told may have removed it already, or moved it.
    pos = Find(handle);
    if (pos < 0) return;
    auto it = instances_.begin() + pos;
    if (current_ == it->edge) current_ = nullptr;
    std::vector<std::unique_ptr<TScheme>> dead;
    dead.push_back(std::move(it->scheme));
    instances_.erase(it);
    ++listChanges_;
    Bury(std::move(dead));
}

void TQOMultiElementEx::Clear(TData&, std::uint16_t) {
    if (mode_ != modeList) return;
    current_ = nullptr;
    std::vector<std::unique_ptr<TScheme>> dead;
    for (auto& entry : instances_)
        dead.push_back(std::move(entry.scheme));
    instances_.clear();
    ++listChanges_;
    Bury(std::move(dead));
}

void TQOMultiElementEx::Deliver(TData& d, std::uint16_t index) {
    if (current_) {
        Send(current_, index, d);
        return;
    }
    if (mode_ != modeTemporary) return;
    Entry entry = Create(true);
    if (!entry.edge) return;
    Send(entry.edge, index, d);
    // Its chain has returned and nothing outside knows it: no need to wait for the event's end.
    entry.scheme.reset();
}

void TQOMultiElementEx::Handle(TData& out, std::uint16_t) {
    MakeInteger(out, current_ ? current_->handle_ : 0);
}

void TQOMultiElementEx::Count(TData& out, std::uint16_t) {
    MakeInteger(out, mode_ == modeList ? static_cast<std::int32_t>(instances_.size()) : 0);
}

} // namespace qo
