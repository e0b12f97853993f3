// A button's widget: made with its click wired to the control, and showing the control's caption.
#include "widgets/layer/button_kind.h"

#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"

namespace qo {
namespace {

QWidget* MakeButton(Control& c, QWidget* parent, QWidget*&) {
    auto* b = LinkWidget(new ButtonWidget(parent), c);
    QObject::connect(b, &QPushButton::clicked, b, [b] {
        if (!b->control) return;
        Guarded(Doing::ButtonPress, b->control->id(), true,
                [b] { CallHandler(b->control->d().on().onClick); });
    });
    return b;
}

void ButtonText(Control& c, QWidget& w) {
    static_cast<QPushButton&>(w).setText(ToQString(c.d().text));
}

} // namespace

const ControlKindOps kButtonKind{
    .make = &MakeButton,
    .text = &ButtonText,
};

} // namespace qo
