#include "app/inline_code_db522c.h"

#include <algorithm>
#include <string>

#include "game/model.h"
#include "widgets/layer/control.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/messages.h"

namespace lotto {

void TQOInlineCode_DB522C::Record(qo::TData& d, std::uint16_t) {
    const int n = qo::ToInteger(d);
    if (n == 0) return;
    const auto found = std::find(called_.begin(), called_.end(), n);
    const int count = static_cast<int>(called_.size());
    if (found != called_.end()) {
        // Up past the first line, then down to the repeat, so its line ends up on top.
        Scroll(-count);
        Scroll(static_cast<int>(found - called_.begin()));
        return;
    }
    called_.push_back(n);
    Tell();
    qo::FireInteger(addLineOutput, n);
    Scroll(static_cast<int>(called_.size()));
}

void TQOInlineCode_DB522C::Clear(qo::TData&, std::uint16_t) {
    called_.clear();
    Tell();
    qo::FireNull(clearOutput);
}

void TQOInlineCode_DB522C::Tell() {
    if (model) model->SetMoves(called_);
}

void TQOInlineCode_DB522C::Remove(std::size_t place) {
    if (place >= called_.size()) return;
    const int n = called_[place];
    called_.erase(called_.begin() + static_cast<std::ptrdiff_t>(place));
    Tell();
    // The list is written anew, at once: its line count is the move count the window shows.
    std::string lines;
    for (const int m : called_)
        lines += std::to_string(m) + "\r\n";
    qo::FireString(linesOutput, lines);
    Scroll(static_cast<int>(std::min(place, called_.size())));
    // The nearest move becomes current: the one that took the line's place, else the new last, so
    // Delete pressed again goes on from here.
    if (auto* box = qo::As<qo::EditControl>(qo::Control::FromId(qo::ReadInteger(windowHandle)));
        box && !called_.empty())
        box->setCaretToLine(static_cast<int>(std::min(place, called_.size() - 1)));
    qo::FireInteger(takenBack, n);
}

void TQOInlineCode_DB522C::RemoveAt(qo::TData& d, std::uint16_t) {
    const int place = qo::ToInteger(d);
    if (place >= 0) Remove(static_cast<std::size_t>(place));
}

void TQOInlineCode_DB522C::RemoveLast(qo::TData&, std::uint16_t) {
    if (!called_.empty()) Remove(called_.size() - 1);
}

std::size_t TQOInlineCode_DB522C::SelectedPlace() const {
    const auto* box = qo::As<qo::EditControl>(qo::Control::FromId(qo::ReadInteger(windowHandle)));
    if (!box) return called_.size();
    // One number a line: the caret's line is the move's place.
    const std::string& text = box->text();
    const std::size_t caret = std::min(static_cast<std::size_t>(std::max(box->caret(), 0)), text.size());
    return static_cast<std::size_t>(
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(caret), '\n'));
}

void TQOInlineCode_DB522C::ListKey(qo::TData& d, std::uint16_t) {
    if (qo::ToInteger(d) == qo::VK_DELETE) Remove(SelectedPlace());
}

void TQOInlineCode_DB522C::RemoveSelected(qo::TData&, std::uint16_t) {
    Remove(SelectedPlace());
}

void TQOInlineCode_DB522C::PutBack(const std::vector<int>& called) {
    called_.clear();
    Tell();
    qo::FireNull(clearOutput);
    for (const int n : called) {
        qo::TData d;
        qo::MakeInteger(d, n);
        Record(d, 0);
    }
}

void TQOInlineCode_DB522C::Scroll(int lines) {
    if (qo::Control* box = qo::Control::FromId(qo::ReadInteger(windowHandle))) {
        box->send(qo::EM_LINESCROLL, 0, lines);
    }
}

} // namespace lotto
