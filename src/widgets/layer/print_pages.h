#pragma once
// Inside the layer: the toolkit's print dialogs that the toolkit platform shows.
#include "widgets/layer/print.h"

namespace qo {

// The range of numbers, then the system's print dialog, then the pages.
bool PrintThroughDialog(PrintJob& job);

} // namespace qo
