#include "app/class_child_panel_db1ed4.h"

namespace lotto {

TClassChildPanel_DB1ED4::TClassChildPanel_DB1ED4(qo::Control* parent) : GameDivider(parent, 5) {}

} // namespace lotto
