#include "widgets/label.h"

#include "widgets/layer/label_control.h"

namespace qo {

TQOLabel::TQOLabel(Control* parent) : TQOWin(parent) {
    control_ = LabelControl::Create(parent);
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
    if (auto* label = As<LabelControl>(control_)) label->setAutoSize(on);
}

void TQOLabel::SetCaption(TData& d, std::uint16_t) {
    SetCaptionText(TakeString(d, textSource));
}

void TQOLabel::Clicked() {
    FireNull(onClick);
}

} // namespace qo
