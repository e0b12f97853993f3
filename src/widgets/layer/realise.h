#pragma once
// A Control's widget: made on first need, from the Control's state, and let go of when it is no
// longer needed (realise.cpp). Keeping a made widget in step with the state is apply.h's.
class QWidget;

namespace qo {

class Control;

// Makes the widget (and its parents' first, and the children near the view) and answers it; null
// for the application object and for a control being destroyed.
QWidget* Realise(Control& c);
// A window of its own that is hidden (the game window before it is opened): it gets its widgets when
// it first shows or is asked for one, not with its parent's, so they cost the program's start nothing.
bool HiddenWindow(const Control& c);
// Lets go of the widget: cuts its link back to the control and deletes it (later when an event is
// being delivered). `parentGoing`: a parent widget is deleted anyway, only cut the link.
void ReleaseWidget(Control& c, bool parentGoing);
// Lets go of the widget and deletes it at the next turn of the loop, whatever is being delivered.
void ReleaseWidgetLater(Control& c);

} // namespace qo
