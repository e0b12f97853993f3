#pragma once
// The thin divider between a ticket's grid and its buttons. No points.
#include "containers/scheme.h"

namespace lotto {

class TClassChildPanel_DA14F8 : public qo::TScheme {
public:
    explicit TClassChildPanel_DA14F8(qo::Control* parent);
};

} // namespace lotto
