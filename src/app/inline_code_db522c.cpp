#include "app/inline_code_db522c.h"

#include <algorithm>

#include "widgets/layer/control.h"
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
    qo::FireInteger(addLineOutput, n);
    Scroll(static_cast<int>(called_.size()));
}

void TQOInlineCode_DB522C::Clear(qo::TData&, std::uint16_t) {
    called_.clear();
    qo::FireNull(clearOutput);
}

void TQOInlineCode_DB522C::PutBack(const std::vector<int>& called) {
    called_.clear();
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
