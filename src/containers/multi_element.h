#pragma once
// Holds one instance of a nested scheme for its whole life and passes calls and reads across the
// border by point index. Building the nested scheme is its factory's job; the scheme's wiring
// decides where each point leads.
#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "containers/edit_multi.h"
#include "containers/scheme.h"
#include "runtime/link.h"

namespace qo {

class TQOMultiElement {
public:
    using Factory = std::function<TQOEditMulti*(Control* parent)>;

    explicit TQOMultiElement(Control* parent = nullptr);
    ~TQOMultiElement();
    TQOMultiElement(const TQOMultiElement&) = delete;
    TQOMultiElement& operator=(const TQOMultiElement&) = delete;

    // Called by the enclosing scheme in this order, before any link of the container is written.
    void SetCreateOnFirstUse(bool onFirstUse) { createOnFirstUse_ = onFirstUse; }
    void SetFactory(Factory factory);
    void SetEventCount(std::int32_t count);
    void SetDataInputCount(std::int32_t count);

    void Input(TData& d, std::uint16_t index);      // container input: reaches the edge's inner event
    void DataOutput(TData& d, std::uint16_t index); // container data output: the edge's inner data input

    TQOEditMulti* Edge() const { return edge_; }
    Control* ParentWindow() const { return parent_; }

    std::vector<TEventLink> events;     // outer events, reached from the edge's inputs
    std::vector<TEventLink> dataInputs; // outer data inputs, read by the edge's data outputs

private:
    void EnsureInstance(bool runStartups);

    Control* parent_;
    bool createOnFirstUse_ = false;
    Factory factory_;
    TQOEditMulti* edge_ = nullptr;
    std::unique_ptr<TScheme> instance_;
};

// The factory of a scheme class S whose edge is a TQOEditMulti: builds S under `parent` and, as the
// last step of building, stores the scheme object in its edge so the container can own it.
template <typename S> TQOEditMulti* MakeScheme(Control* parent) {
    S* scheme = new S(parent);
    TQOEditMulti* edge = scheme->template edgeAs<TQOEditMulti>();
    assert(edge && "a contained scheme needs a TQOEditMulti edge");
    if (!edge) {
        delete scheme;
        return nullptr;
    }
    edge->schemeObject = scheme;
    return edge;
}

} // namespace qo
