#include "widgets/button.h"

#include "widgets/layer/button_control.h"

namespace qo {

TQOButton::TQOButton(Control* parent) : TQOWin(parent) {
    control_ = ButtonControl::Create(parent);
    // Until Init installs the full set, the element must still hear that its Control went.
    control_->setOnDestroyed([this] { ControlDestroyed(); });
    control_->setOnClick([this] { Clicked(); });
}

void TQOButton::SetCaptionText(std::string_view text) {
    caption = text;
    if (control_) control_->setText(caption);
}

void TQOButton::SetCaptionAlign(int alignment) {
    if (control_) control_->setTextAlign(alignment);
}

void TQOButton::SetCaption(TData& d, std::uint16_t) {
    SetCaptionText(TakeString(d, TEventLink{}));
}

void TQOButton::Clicked() {
    TData value = data;
    CallLink(onClick, value);
}

} // namespace qo
