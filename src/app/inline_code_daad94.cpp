#include "app/inline_code_daad94.h"

#include "game/model.h"
#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace lotto {
namespace {

bool Confirmed(const char* questionUtf8) {
    return qo::ShowMessageBox(qo::OwnerControl(), qo::Cp1251(questionUtf8), qo::Cp1251("Подтверждение"),
                              qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2) == qo::IDYES;
}

} // namespace

void TQOInlineCode_DAAD94::ForEachTicket(const qo::TEventLink& command, const qo::TData& value) {
    const std::int32_t n = qo::ReadInteger(count);
    for (std::int32_t i = 0; i < n; ++i) {
        qo::FireInteger(select, i);
        qo::TData copy = value; // a fresh record each time: a target may consume it
        qo::CallLink(command, copy);
    }
}

void TQOInlineCode_DAAD94::CheckAll(qo::TData& d, std::uint16_t) {
    qo::TData number;
    qo::MakeInteger(number, qo::ToInteger(d));
    if (model) model->Called(number.integer);
    ForEachTicket(check, number);
}

void TQOInlineCode_DAAD94::ResetAllNumbers(qo::TData&, std::uint16_t) {
    if (!Confirmed("Вы действительно хотите удалить числа из ВСЕХ билетов?")) return;
    ForEachTicket(resetNumbers, qo::TData{});
}

void TQOInlineCode_DAAD94::ResetAllColours(qo::TData&, std::uint16_t) {
    if (!Confirmed("Вы действительно хотите сделать ячейки ВСЕХ билетов белыми?")) return;
    ForEachTicket(resetColours, qo::TData{});
}

void TQOInlineCode_DAAD94::TakeBackAll(qo::TData& d, std::uint16_t) {
    qo::TData number;
    qo::MakeInteger(number, qo::ToInteger(d));
    if (model) model->TakenBack(number.integer);
    ForEachTicket(takeBack, number);
}

void TQOInlineCode_DAAD94::FillAll(qo::TData&, std::uint16_t) {
    ForEachTicket(fill, qo::TData{});
}

} // namespace lotto
