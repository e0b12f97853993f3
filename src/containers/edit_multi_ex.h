#pragma once
// The inner side of a dynamic container's instance. Its four point lists say how many inward
// commands and inward data points the instance has; its calls out are shared by all instances,
// so an instance that must be told apart passes its handle along.
#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/link.h"

namespace qo {

class TQOMultiElementEx;
class TScheme;

class TQOEditMultiEx {
public:
    TQOMultiElementEx* owner = nullptr;
    TScheme* schemeObject = nullptr;         // stored last while the scheme is built; the owner destroys it
    std::vector<TEventLink> innerEvents;     // one per inward command line
    std::vector<TEventLink> innerDataInputs; // one per inward data line

    // Point lists: one point per line ("name" or "name=caption"), lines split at CR LF or CR.
    void SetInwardCommands(std::string_view text);
    void SetOutwardEvents(std::string_view text); // the container's own counts govern these
    void SetInwardData(std::string_view text);
    void SetOutwardData(std::string_view text);

    void SetOwner(TQOMultiElementEx* container) { owner = container; }

    void Input(TData& d, std::uint16_t index);      // out through the container's event `index`
    void DataOutput(TData& d, std::uint16_t index); // the container's data input `index`

    // The instance's identity towards the enclosing scheme: never 0, unique among live instances.
    std::int32_t Handle() const { return handle_; }

private:
    friend class TQOMultiElementEx;
    std::int32_t handle_ = 0;
};

// The number of points a point list text describes: its lines, a final line break adding none.
std::size_t CountPointLines(std::string_view text);

} // namespace qo
