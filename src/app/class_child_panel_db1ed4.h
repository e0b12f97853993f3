#pragma once
// The divider above the virtual game.
#include "app/game_divider.h"

namespace lotto {

class TClassChildPanel_DB1ED4 : public GameDivider {
public:
    explicit TClassChildPanel_DB1ED4(qo::Control* parent);
};

} // namespace lotto
