#include "containers/edit_multi_ex.h"

#include "containers/multi_element_ex.h"

namespace qo {

std::size_t CountPointLines(std::string_view text) {
    std::size_t lines = 0;
    bool open = false; // a line has begun and not yet ended
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            ++lines;
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

void TQOEditMultiEx::SetInwardCommands(std::string_view text) {
    innerEvents.assign(CountPointLines(text), TEventLink{});
}

void TQOEditMultiEx::SetOutwardEvents(std::string_view) {}

void TQOEditMultiEx::SetInwardData(std::string_view text) {
    innerDataInputs.assign(CountPointLines(text), TEventLink{});
}

void TQOEditMultiEx::SetOutwardData(std::string_view) {}

void TQOEditMultiEx::Input(TData& d, std::uint16_t index) {
    if (owner && index < owner->events.size()) CallLink(owner->events[index], d);
}

void TQOEditMultiEx::DataOutput(TData& d, std::uint16_t index) {
    if (owner && index < owner->dataInputs.size()) {
        ReadData(owner->dataInputs[index], d);
    } else {
        MakeNull(d);
    }
}

} // namespace qo
