#pragma once
// The game window: a virtual game that draws the numbers itself and a real game that records the
// numbers called out at the table. Its container has two inputs (0 show/hide, 1 a called number)
// and one event (0 a drawn number); how the tickets use the numbers is not its concern.
#include "containers/scheme.h"

namespace lotto {

class TClassChildForm_DA7248 : public qo::TScheme {
public:
    explicit TClassChildForm_DA7248(qo::Control* parent);
};

} // namespace lotto
