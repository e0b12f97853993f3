#pragma once
// A raised bar across the game window, drawn by a panel of its own scheme. The game window holds
// two, which differ only in height on the window; what they separate is the window's business.
#include "containers/scheme.h"

namespace lotto {

class GameDivider : public qo::TScheme {
protected:
    GameDivider(qo::Control* parent, int top);
};

} // namespace lotto
