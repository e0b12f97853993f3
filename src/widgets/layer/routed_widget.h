#pragma once
// The toolkit widgets that realise Controls all route the events the layer cares about to their
// Control before the toolkit's own handling. RoutedBase holds the link back to the Control, one
// for every kind of widget; it is cut when the Control goes, and a widget still delivering an
// event is deleted later, so no handler ever sees a dead object.
#include "widgets/layer/control.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/input_routing.h"
#include <QEvent>

class QWidget;

namespace qo {

class RoutedBase {
public:
    virtual ~RoutedBase() = default;
    Control* control = nullptr;
    ControlKind kind = ControlKind::Application; // of the control it was made for, kept when cut
    bool frameRole = false; // a form's frame: moves, closing and activation are the form's
};

// The RoutedBase of a widget the layer made, or nullptr for any other widget.
RoutedBase* RoutedOf(QWidget* w);

template <class Base> class Routed : public Base, public RoutedBase {
public:
    using Base::Base;

protected:
    bool event(QEvent* e) override {
        bool userAct = false;
        const Doing what = EventWhat(e->type(), userAct);
        bool used = true; // an event whose handling failed counts as handled
        Guarded(what, 0, userAct, [&] {
            if (control && RouteEvent(*control, *this, e, frameRole)) return;
            used = Base::event(e);
        });
        return used;
    }
};

} // namespace qo
