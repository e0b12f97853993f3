#include "widgets/win_list.h"

#include "widgets/layer/edit_control.h"

namespace qo {

void TQOWinList::AddLine(TData& d, std::uint16_t) {
    const std::string text = TakeString(d, lineSource);
    AddLineText(text);
    FireNull(onChange);
}

void TQOWinList::ClearLines(TData&, std::uint16_t) {
    ClearText();
    FireNull(onChange);
}

void TQOWinList::SetLines(TData& d, std::uint16_t) {
    SetAllText(ToText(d));
    FireNull(onChange);
}

EditControl* TQOWinList::lines() const {
    return As<EditControl>(control_);
}

void TQOWinList::LineCount(TData& d, std::uint16_t) {
    MakeInteger(d, lines() ? lines()->lineCount() : 0);
}

void TQOWinList::AllText(TData& d, std::uint16_t) {
    MakeString(d, GetAllText());
}

void TQOWinList::TypedLines(TData& d, std::uint16_t) {
    // CR LF, a lone CR and a lone LF each end a line, as the box shows them.
    std::string lines;
    const std::string text = control_ ? control_->text() : std::string();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines += "\r\n";
        } else {
            lines += text[i];
        }
    }
    lines += "\r\n";
    MakeString(d, lines);
}

void TQOWinList::SetAllText(std::string_view text) {
    if (control_) control_->setText(text);
}

void TQOWinList::ClearText() {
    if (lines()) lines()->clear();
}

std::string TQOWinList::GetAllText() const {
    std::string all;
    EditControl* box = lines();
    if (!box) return all;
    const int count = box->lineCount();
    for (int i = 0; i < count; ++i) {
        all += box->line(i);
        all += "\r\n";
    }
    return all;
}

} // namespace qo
