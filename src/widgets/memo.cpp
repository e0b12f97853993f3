#include "widgets/memo.h"

#include "widgets/layer/edit_control.h"

namespace qo {

TQOMemo::TQOMemo(Control* parent) : TQOWinList(parent) {}

std::uint32_t TQOMemo::EditOptions() const {
    // Tab belongs to the memo, never to the form's navigation.
    std::uint32_t options = edit_option::MultiLine | edit_option::NoHideSel | edit_option::KeepTab;
    if (!(scrollBars & 1)) options |= edit_option::NoHScroll;
    if (!(scrollBars & 2)) options |= edit_option::NoVScroll;
    if (editable == 0) options |= edit_option::ReadOnly;
    return options;
}

void TQOMemo::Init() {
    if (!control_) control_ = EditControl::Create(parent_, EditOptions());
    control_->setOnChange([this] { Changed(); });
    control_->setOnChar([this](int& ch) { Typed(ch); });
    if (flatBorder == 0) control_->setStyle(control_->style() & ~WS_BORDER);

    TQOWin::Init();

    if (control_) control_->setText(initialText);
}

void TQOMemo::AddCommand(std::string_view text) {
    if (!control_) return;
    const int n = commands_++;
    lines()->addContextCommand(text, [this, n] { FireInteger(onCommand, n); });
}

void TQOMemo::SetAllText(std::string_view text) {
    // A whole-text replacement: the box itself reports no change for it.
    if (control_) control_->setText(text);
}

void TQOMemo::AddLineText(std::string_view text) {
    if (!control_) return;
    lines()->appendText(text);
    lines()->appendText("\r\n");
}

void TQOMemo::Changed() {
    if (control_) FireString(onChange, control_->text());
}

void TQOMemo::Typed(int& ch) {
    // The appended tab replaces the whole text, so only the box's own tab (if it takes one) is
    // reported as a change.
    if (ch == VK_TAB && control_) lines()->appendText("\t");
}

} // namespace qo
