#pragma once
// The shape every scheme class shares: it creates and owns its elements, and writes the links
// between them. What the elements are and how they are wired is each scheme's own business.
//
// A scheme class derives from TScheme and, in its constructor, reads like its wiring table:
//   auto& form = addWindow<TQOMainForm>(parent);   // the window first
//   auto& edge = addEdge<TQOEditMulti>();          // then the edge
//   auto& hub  = add<TQOHub>();                    // then the other elements, in order
//   connect<&TQOHub::Input>(edge.innerEvents[0], hub);
//
// Destruction runs edge first, then the other elements in creation order, the window last, so
// child controls always go before the window that holds them.
#include <cassert>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

#include "runtime/link.h"

namespace qo {

class Control; // the widget layer's control; schemes only pass it on as a parent

class TScheme {
public:
    virtual ~TScheme();
    TScheme(const TScheme&) = delete;
    TScheme& operator=(const TScheme&) = delete;

    // The edge element, when it is of type E; null for a scheme without one (the root) or of
    // another edge type.
    template <typename E> E* edgeAs() const {
        return edgeType_ && *edgeType_ == typeid(E) ? static_cast<E*>(edge_.get()) : nullptr;
    }

protected:
    TScheme() = default;

    // The scheme's own window element: created before anything else, destroyed after everything.
    template <typename T, typename... A> T& addWindow(A&&... args) {
        assert(!window_ && !edge_ && elements_.empty() && "the window comes first");
        T* p = new T(std::forward<A>(args)...);
        window_ = Owned(p, &Delete<T>);
        return *p;
    }

    // The edge to the enclosing scheme: destroyed first.
    template <typename T, typename... A> T& addEdge(A&&... args) {
        assert(!edge_ && "one edge per scheme");
        T* p = new T(std::forward<A>(args)...);
        edge_ = Owned(p, &Delete<T>);
        edgeType_ = &typeid(T);
        return *p;
    }

    // Any other element, owned by the scheme and destroyed in creation order.
    template <typename T, typename... A> T& add(A&&... args) {
        T* p = new T(std::forward<A>(args)...);
        elements_.emplace_back(p, &Delete<T>);
        return *p;
    }

    // Writes one link: the slot `from` (an event or a data input) calls method M of `to`, point `index`.
    template <auto M, typename C> static void connect(TEventLink& from, C& to, std::uint16_t index = 0) {
        from = Link<M>(to, index);
    }

private:
    // Elements are unrelated classes with no common base; each is kept with its own deleter.
    using Owned = std::unique_ptr<void, void (*)(void*)>;
    template <typename T> static void Delete(void* p) { delete static_cast<T*>(p); }
    static void Nothing(void*) {}

    Owned window_{nullptr, &Nothing};
    Owned edge_{nullptr, &Nothing};
    const std::type_info* edgeType_ = nullptr;
    std::vector<Owned> elements_;
};

} // namespace qo
