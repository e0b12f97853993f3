#pragma once
// Tells once that what the controls hold has changed: a text (set or typed), a colour, a control
// gone. One watcher at a time; it is told at the first change after it was set and must set
// itself again to hear of the next. Costs one test per change while nobody watches.
#include "widgets/layer/small_function.h"

namespace qo {

void WatchNextChange(SmallFunction<void()> onChange);
// Forgets the watcher.
void StopWatchingChanges();

} // namespace qo
