#pragma once
// Holds any number of instances of one nested scheme, made and destroyed at run time, and a
// current instance that ordinary calls reach. The instances' own behaviour is their scheme's.
//
// Destruction of an instance waits until the outermost event delivery has returned (see
// runtime/event_scope.h), so an instance may ask for its own deletion from inside its own chain.
#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "containers/edit_multi_ex.h"
#include "containers/scheme.h"
#include "runtime/link.h"

namespace qo {

class TQOMultiElementEx {
public:
    using Factory = std::function<TQOEditMultiEx*(Control* parent)>;
    static constexpr std::uint8_t modeSingle = 0;    // one instance, made with the factory
    static constexpr std::uint8_t modeList = 1;      // a list, changed by Add, Delete and Clear
    static constexpr std::uint8_t modeTemporary = 2; // an instance per delivered call

    explicit TQOMultiElementEx(Control* parent = nullptr);
    ~TQOMultiElementEx();
    TQOMultiElementEx(const TQOMultiElementEx&) = delete;
    TQOMultiElementEx& operator=(const TQOMultiElementEx&) = delete;

    // Called by the enclosing scheme in this order. In mode 0 the factory builds the one instance.
    void SetMode(std::uint8_t mode) { mode_ = mode; }
    void SetFactory(Factory factory);
    void SetEventCount(std::int32_t count);
    void SetDataInputCount(std::int32_t count);

    // Inputs, wired by the name of the inward command; `index` is its line in the command list.
    void Add(TData& d, std::uint16_t index);            // "##add"
    void Select(TData& d, std::uint16_t index);         // "##select"
    void DeleteByHandle(TData& d, std::uint16_t index); // "##hdelete"
    void Clear(TData& d, std::uint16_t index);          // "##clear"
    void Deliver(TData& d, std::uint16_t index);        // every other command

    // Data outputs.
    void Handle(TData& out, std::uint16_t index); // "##handle": the current instance's, or 0
    void Count(TData& out, std::uint16_t index);  // "##count": listed instances (mode 1 only)

    std::uint8_t Mode() const { return mode_; }
    std::size_t InstanceCount() const { return instances_.size(); }
    // Grows each time an instance is listed or taken off the list: a view that keeps what it read
    // of the instances reads them again only once it moved.
    std::uint64_t ListChanges() const { return listChanges_; }
    TQOEditMultiEx* InstanceAt(std::size_t position) const { return instances_[position].edge; }
    TQOEditMultiEx* Current() const { return current_; }
    Control* ParentWindow() const { return parent_; }

    std::vector<TEventLink> events;     // outer events, shared by all instances
    std::vector<TEventLink> dataInputs; // outer data inputs, shared by all instances

private:
    struct Entry {
        TQOEditMultiEx* edge = nullptr;
        std::unique_ptr<TScheme> scheme;
    };
    struct Graveyard;

    Entry Create(bool runStartups);
    std::int32_t NextHandle();
    bool HandleLive(std::int32_t handle) const;
    std::ptrdiff_t Find(std::int32_t handle) const;
    void Bury(std::vector<std::unique_ptr<TScheme>> schemes);

    Control* parent_;
    std::uint8_t mode_ = modeList;
    Factory factory_;
    std::vector<Entry> instances_;
    Entry single_;
    TQOEditMultiEx* current_ = nullptr;
    std::int32_t lastHandle_ = 0;
    bool handlesWrapped_ = false;
    std::uint64_t listChanges_ = 0;
    std::shared_ptr<Graveyard> graveyard_;
};

// The factory of a scheme class S whose edge is a TQOEditMultiEx: builds S under `parent` and, as
// the last step of building, stores the scheme object in its edge so the container can own it.
template <typename S> TQOEditMultiEx* MakeSchemeEx(Control* parent) {
    S* scheme = new S(parent);
    TQOEditMultiEx* edge = scheme->template edgeAs<TQOEditMultiEx>();
    assert(edge && "a dynamic instance needs a TQOEditMultiEx edge");
    if (!edge) {
        delete scheme;
        return nullptr;
    }
    edge->schemeObject = scheme;
    return edge;
}

} // namespace qo
