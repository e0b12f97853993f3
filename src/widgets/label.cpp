#include "widgets/label.h"

#include "widgets/layer/control.h"

namespace qo {

TQOLabel::TQOLabel(Control* parent) : TQOWin(parent) {
    control_ = Control::CreateLabel(parent);
    control_->setOnDestroyed([this] { ControlDestroyed(); });
    control_->setOnClick([this] { Clicked(); });
}

void TQOLabel::SetCaptionText(std::string_view text) {
    if (control_) control_->setText(text);
}

void TQOLabel::SetAlignment(int alignment) {
    if (control_) control_->setTextAlign(alignment);
}

void TQOLabel::SetAutoSize(bool on) {
    // The Control measures now and after every later change of its text or font.
    if (control_) control_->setAutoSize(on);
}

void TQOLabel::SetCaption(TData& d, std::uint16_t) {
    SetCaptionText(TakeString(d, textSource));
}

void TQOLabel::Clicked() {
    FireNull(onClick);
}

} // namespace qo
