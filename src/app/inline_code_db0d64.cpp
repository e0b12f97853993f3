#include "app/inline_code_db0d64.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/model.h"
#include "runtime/cp1251.h"
#include "runtime/random.h"
#include "widgets/layer/control.h"
#include "widgets/layer/messages.h"

namespace lotto {

void TQOInlineCode_DB0D64::OpenClose(qo::TData& d, std::uint16_t) {
    if (qo::ToInteger(d) == 1) {
        qo::FireString(captionOutput, qo::Cp1251("Закрыть сеанс"));
        drawn_.emplace();
        drawn_->reserve(kNumbers);
        Tell();
        ShowRemaining(0);
        return;
    }
    qo::FireString(captionOutput, qo::Cp1251("Открыть сеанс"));
    qo::FireNull(clearOutput);
    drawn_.reset();
    Tell();
    qo::FireString(labelOutput, qo::Cp1251("Сеанс закрыт"));
}

int TQOInlineCode_DB0D64::DrawFree(const std::vector<int>& taken) {
    // Every number owns an equal ninetieth of [0, 1); rounding 89·r + 1 instead would give the
    // two end numbers half a share each.
    for (;;) {
        const int n = static_cast<int>(std::floor(kNumbers * qo::Random())) + 1;
        if (std::find(taken.begin(), taken.end(), n) == taken.end()) return n;
    }
}

void TQOInlineCode_DB0D64::Draw(qo::TData&, std::uint16_t) {
    // Only the enabled buttons lead here, so a missing game is a request that cannot arise.
    if (!drawn_ || drawn_->size() >= static_cast<std::size_t>(kNumbers)) return;
    const int n = DrawFree(*drawn_);
    drawn_->push_back(n);
    Tell();
    // Counted before the number goes out: what the outputs reach is not this block's concern.
    const int count = static_cast<int>(drawn_->size());
    qo::FireInteger(drawnOutput, n);
    qo::FireInteger(addLineOutput, n);
    if (qo::Control* box = qo::Control::FromId(qo::ReadInteger(windowHandle))) {
        box->send(qo::EM_LINESCROLL, 0, count);
    }
    ShowRemaining(count);
}

void TQOInlineCode_DB0D64::PutBack(const std::vector<int>& drawn) {
    if (!drawn_) return;
    drawn_->clear();
    qo::FireNull(clearOutput);
    for (const int n : drawn) {
        if (n < 1 || n > kNumbers || drawn_->size() >= static_cast<std::size_t>(kNumbers) ||
            std::find(drawn_->begin(), drawn_->end(), n) != drawn_->end())
            continue;
        drawn_->push_back(n);
        qo::FireInteger(addLineOutput, n);
    }
    Tell();
    const int count = static_cast<int>(drawn_->size());
    if (qo::Control* box = qo::Control::FromId(qo::ReadInteger(windowHandle))) {
        box->send(qo::EM_LINESCROLL, 0, count);
    }
    ShowRemaining(count);
}

void TQOInlineCode_DB0D64::Tell() {
    if (model) model->SetDrawn(drawn_ ? *drawn_ : std::vector<int>());
}

void TQOInlineCode_DB0D64::ShowRemaining(int drawnCount) {
    qo::FireString(labelOutput, qo::Cp1251("Осталось: ") + qo::IntegerToText(kNumbers - drawnCount));
}

} // namespace lotto
