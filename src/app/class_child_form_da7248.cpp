#include "app/class_child_form_da7248.h"

#include "containers/edit_multi.h"

namespace lotto {

TClassChildForm_DA7248::TClassChildForm_DA7248(qo::Control* /*parent*/) {
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(2);
    edge.SetDataInputCount(0);
}

} // namespace lotto
