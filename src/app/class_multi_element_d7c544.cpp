#include "app/class_multi_element_d7c544.h"

#include "containers/edit_multi.h"
#include "runtime/do_data.h"
#include "runtime/memory.h"

namespace lotto {

TClassMultiElement_D7C544::TClassMultiElement_D7C544(qo::Control*) {
    // ---- the edge: input 0 "learn the handle"; data output 0 the kept handle; data input 0 the
    // container's "##handle" as the ticket sees it
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(1);
    edge.SetDataInputCount(1);

    // ---- elements
    auto& kept = add<qo::TQOMemory>();
    auto& take = add<qo::TQODoData>();

    // ---- links
    connect<&qo::TQODoData::Input>(edge.innerEvents[0], take);
    connect<&qo::TQOEditMulti::DataOutput>(take.data, edge, 0);
    connect<&qo::TQOMemory::Write>(take.output, kept);
    connect<&qo::TQOMemory::Value>(edge.innerDataInputs[0], kept);
}

} // namespace lotto
