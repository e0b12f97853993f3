#pragma once
// The divider between the virtual and the real game.
#include "app/game_divider.h"

namespace lotto {

class TClassChildPanel_DB4D90 : public GameDivider {
public:
    explicit TClassChildPanel_DB4D90(qo::Control* parent);
};

} // namespace lotto
