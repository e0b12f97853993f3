#include "containers/multi_element.h"

#include "runtime/init_man.h"

namespace qo {
namespace {
void Resize(std::vector<TEventLink>& links, std::int32_t count) {
    links.assign(count > 0 ? static_cast<std::size_t>(count) : 0, TEventLink{});
}
} // namespace

void TQOEditMulti::SetEventCount(std::int32_t count) {
    Resize(innerEvents, count);
}
void TQOEditMulti::SetDataInputCount(std::int32_t count) {
    Resize(innerDataInputs, count);
}

void TQOEditMulti::Input(TData& d, std::uint16_t index) {
    if (owner && index < owner->events.size()) CallLink(owner->events[index], d);
}

void TQOEditMulti::DataOutput(TData& d, std::uint16_t index) {
    if (owner && index < owner->dataInputs.size()) {
        ReadData(owner->dataInputs[index], d);
    } else {
        MakeNull(d);
    }
}

TQOMultiElement::TQOMultiElement(Control* parent) : parent_(parent) {}

TQOMultiElement::~TQOMultiElement() {
    instance_.reset();
}

void TQOMultiElement::SetFactory(Factory factory) {
    factory_ = std::move(factory);
    // The program start runs the start-up list once the whole enclosing scheme stands.
    if (!createOnFirstUse_) EnsureInstance(false);
}

void TQOMultiElement::SetEventCount(std::int32_t count) {
    Resize(events, count);
}
void TQOMultiElement::SetDataInputCount(std::int32_t count) {
    Resize(dataInputs, count);
}

void TQOMultiElement::EnsureInstance(bool runStartups) {
    if (edge_ || !factory_) return;
    edge_ = factory_(parent_);
    if (!edge_) return;
    instance_.reset(edge_->schemeObject);
    edge_->SetOwner(this);
    if (runStartups) RunStartups();
}

void TQOMultiElement::Input(TData& d, std::uint16_t index) {
    EnsureInstance(true);
    if (edge_ && index < edge_->innerEvents.size()) CallLink(edge_->innerEvents[index], d);
}

void TQOMultiElement::DataOutput(TData& d, std::uint16_t index) {
    EnsureInstance(true);
    if (edge_ && index < edge_->innerDataInputs.size()) {
        ReadData(edge_->innerDataInputs[index], d);
    } else {
        MakeNull(d);
    }
}

} // namespace qo
