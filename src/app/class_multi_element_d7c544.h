#pragma once
// A ticket's handle store: told once, it reads the ticket's handle from the container and keeps
// it for the ticket's life. It has no window.
#include "containers/scheme.h"

namespace lotto {

class TClassMultiElement_D7C544 : public qo::TScheme {
public:
    explicit TClassMultiElement_D7C544(qo::Control* parent);
};

} // namespace lotto
