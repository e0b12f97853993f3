#include "widgets/panel.h"

#include "widgets/layer/panel_control.h"

namespace qo {

TQOPanel::TQOPanel(Control* parent) : TQOWin(parent) {}

int TQOPanel::Margin() const {
    return (outerBevel != 0 ? bevelWidth : 0) + borderWidth + (innerBevel != 0 ? bevelWidth : 0);
}

void TQOPanel::Init() {
    if (!control_) {
        PanelStyle style;
        style.outerBevel = outerBevel;
        style.innerBevel = innerBevel;
        style.bevelWidth = bevelWidth;
        style.borderStyle = borderStyle;
        style.borderWidth = borderWidth;
        control_ = PanelControl::Create(parent_, style);
        control_->setMargin(Margin());
    }

    TQOWin::Init();
    if (!control_) return;

    control_->setText(caption);
    // The caption keeps an 11-pixel character whatever size the font property gives.
    control_->setFontHeight(-11);
    control_->setVerticalTextAlign(0);
    control_->setTextAlign(captionAlign);
    control_->setOnClick([this] { Clicked(); });
}

bool TQOPanel::HandleMessage(Message& m) {
    if ((m.msg == WM_SIZE || m.msg == WM_ENABLE) && control_) control_->repaint();
    return TQOWin::HandleMessage(m);
}

void TQOPanel::Clicked() {
    FireNull(onClick);
}

} // namespace qo
