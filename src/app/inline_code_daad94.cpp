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

template <class Sieve>
void TQOInlineCode_DAAD94::ForEachTicket(const qo::TEventLink& command, const qo::TData& value,
                                         const Sieve& throughList) {
    const std::int32_t n = qo::ReadInteger(count);
    // The model lists the tickets in the list's order; should it not hold them all, each ticket
    // is told itself.
    const std::vector<game::Ticket*>* tickets = model ? &model->tickets() : nullptr;
    if (tickets && tickets->size() != static_cast<std::size_t>(n)) tickets = nullptr;
    for (std::int32_t i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (tickets && at < tickets->size() && !throughList(*(*tickets)[at])) continue;
        qo::FireInteger(select, i);
        qo::TData copy = value; // a fresh record each time: a target may consume it
        qo::CallLink(command, copy);
    }
}

void TQOInlineCode_DAAD94::ForEachTicket(const qo::TEventLink& command, const qo::TData& value) {
    ForEachTicket(command, value, [](const game::Ticket&) { return true; });
}

void TQOInlineCode_DAAD94::CheckAll(qo::TData& d, std::uint16_t) {
    qo::TData number;
    qo::MakeInteger(number, qo::ToInteger(d));
    const std::int32_t n = number.integer;
    if (model) model->Called(n);
    // Five tickets in six hold no given number: there the call only joins the ticket's calls, and
    // ten thousand tickets are not walked through the list one by one for it.
    ForEachTicket(check, number, [n](game::Ticket& ticket) {
        if (ticket.MayMark(n)) return true;
        ticket.Call(n);
        return false;
    });
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
    const std::int32_t n = number.integer;
    if (model) model->TakenBack(n);
    // A ticket that holds no such number shows nothing of the call: its cells stay as they are.
    ForEachTicket(takeBack, number, [n](game::Ticket& ticket) {
        if (game::IsNumberOfTheGame(n) && ticket.holds()[static_cast<std::size_t>(n)]) return true;
        ticket.TakeBack(n);
        return false;
    });
}

void TQOInlineCode_DAAD94::FillAll(qo::TData&, std::uint16_t) {
    ForEachTicket(fill, qo::TData{});
}

} // namespace lotto
