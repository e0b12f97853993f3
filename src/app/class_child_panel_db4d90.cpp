#include "app/class_child_panel_db4d90.h"

namespace lotto {

TClassChildPanel_DB4D90::TClassChildPanel_DB4D90(qo::Control* parent) : GameDivider(parent, 135) {}

} // namespace lotto
