#include "app/class_child_scroll_box_d80098.h"

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/inline_code_da3c90.h"
#include "app/inline_code_daad94.h"
#include "app/ticket_numbers.h"
#include "containers/edit_multi.h"
#include "containers/multi_element.h"
#include "containers/multi_element_ex.h"
#include "logic/message.h"
#include "runtime/cp1251.h"
#include "runtime/do_data.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "widgets/layer/control.h"
#include "widgets/scroll_box.h"

namespace lotto {
namespace {

// Inward commands of a ticket, by their line in its command list.
enum TicketCommand : std::uint16_t {
    kAdd = 0,
    kSelect,
    kHDelete,
    kClear,
    kCheck,
    kResetNumbers,
    kResetColours,
    kFill,
    kTakeBack
};
// Inward data of a ticket.
enum TicketData : std::uint16_t { kHandle = 0, kCount };
// The menu's item numbers.
enum MenuItem : std::size_t {
    kNew = 1,
    kDeleteAll = 2,
    kResetAllNumbers = 4,
    kResetAllColours = 5,
    kFillAll = 6,
    kGame = 7,
    kAdvertisement = 8
};

} // namespace

TClassChildScrollBox_D80098::TClassChildScrollBox_D80098(qo::Control* parent) {
    // ---- the window
    auto& box = addWindow<qo::TQOScrollBox>(parent);
    box.left = 0;
    box.top = 25;
    box.width = 539;
    box.height = 248;
    box.align = qo::alClient;
    box.color = qo::clBtnFace;
    box.font = {"MS Sans Serif", 8, 0, qo::clBlack, 1};
    box.borderStyle = 2;
    box.flatBorder = 0;
    box.Init();
    box.control()->setAccessibleName(qo::Cp1251("Билеты"));
    // Every ticket carries the same tab positions: Tab goes through one ticket, then the next,
    // instead of always into the first, where typing would overwrite its numbers.
    box.control()->setTabItems(true);

    // ---- the edge: input 0 a menu item, input 1 a called number, input 2 a call taken back;
    // event 0 "Игра"
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(3);
    edge.SetDataInputCount(0);

    // ---- elements, in creation order
    auto& tickets = add<qo::TQOMultiElementEx>(box.control());
    auto& deleteAll = add<qo::TQOMessage>();
    auto& router = add<qo::TQOIndexToChanel>();
    auto& newTicket = add<qo::TQOHub>();
    auto& scrollToTop = add<qo::TQODoData>();
    auto& allTickets = add<TQOInlineCode_DAAD94>();
    auto& advertisement = add<TQOInlineCode_DA3C90>();
    auto& deleteTicket = add<qo::TQOHub>();
    auto& numbers = add<TicketNumbers>(tickets);

    // ---- properties
    deleteAll.caption = qo::Cp1251("Подтверждение");
    deleteAll.text = qo::Cp1251("Вы действительно хотите удалить ВСЕ билеты?");
    deleteAll.buttons = qo::message_buttons::YesNo;
    deleteAll.icon = qo::message_icon::None;
    deleteAll.defaultButton = qo::message_default::Second; // No
    router.SetCount(9);
    newTicket.SetOutputCount(3);
    deleteTicket.SetOutputCount(2);
    qo::MakeInteger(scrollToTop.Data, 0);

    tickets.SetMode(qo::TQOMultiElementEx::modeList);
    tickets.SetFactory(&qo::MakeSchemeEx<TClassChildPanelEx_D82A4C>);
    tickets.SetEventCount(1);
    tickets.SetDataInputCount(1);

    // ---- links
    connect<&qo::TQOIndexToChanel::Input>(edge.innerEvents[0], router);
    connect<&TQOInlineCode_DAAD94::CheckAll>(edge.innerEvents[1], allTickets);
    connect<&TQOInlineCode_DAAD94::TakeBackAll>(edge.innerEvents[2], allTickets);

    connect<&qo::TQOHub::Input>(router.outputs[kNew], newTicket);
    connect<&qo::TQOMessage::Show>(router.outputs[kDeleteAll], deleteAll);
    connect<&TQOInlineCode_DAAD94::ResetAllNumbers>(router.outputs[kResetAllNumbers], allTickets);
    connect<&TQOInlineCode_DAAD94::ResetAllColours>(router.outputs[kResetAllColours], allTickets);
    connect<&TQOInlineCode_DAAD94::FillAll>(router.outputs[kFillAll], allTickets);
    connect<&qo::TQOEditMulti::Input>(router.outputs[kGame], edge, 0);
    connect<&TQOInlineCode_DA3C90::Input>(router.outputs[kAdvertisement], advertisement);

    connect<&qo::TQOMultiElementEx::Clear>(deleteAll.yesOutput, tickets, kClear);

    // NOTE: scrolled to the top before the ticket is added, so every new ticket appears at the top
    // of the stack that is in view.
    connect<&qo::TQODoData::Input>(newTicket.outputs[0], scrollToTop);
    connect<&qo::TQOScrollBox::SetScrollPosition>(scrollToTop.output, box);
    connect<&qo::TQOMultiElementEx::Add>(newTicket.outputs[1], tickets, kAdd);
    connect<&TicketNumbers::Renumber>(newTicket.outputs[2], numbers);

    // A ticket's delete request; the tickets behind it move up a place and take new numbers.
    connect<&qo::TQOHub::Input>(tickets.events[0], deleteTicket);
    connect<&qo::TQOMultiElementEx::DeleteByHandle>(deleteTicket.outputs[0], tickets, kHDelete);
    connect<&TicketNumbers::Renumber>(deleteTicket.outputs[1], numbers);
    connect<&qo::TQOMultiElementEx::Handle>(tickets.dataInputs[0], tickets, kHandle);

    connect<&qo::TQOMultiElementEx::Count>(allTickets.count, tickets, kCount);
    connect<&qo::TQOMultiElementEx::Select>(allTickets.select, tickets, kSelect);
    connect<&qo::TQOMultiElementEx::Deliver>(allTickets.check, tickets, kCheck);
    connect<&qo::TQOMultiElementEx::Deliver>(allTickets.resetNumbers, tickets, kResetNumbers);
    connect<&qo::TQOMultiElementEx::Deliver>(allTickets.resetColours, tickets, kResetColours);
    connect<&qo::TQOMultiElementEx::Deliver>(allTickets.fill, tickets, kFill);
    connect<&qo::TQOMultiElementEx::Deliver>(allTickets.takeBack, tickets, kTakeBack);

    edge_ = &edge;
    box_ = &box;
    tickets_ = &tickets;
    numbers_ = &numbers;
    allTickets_ = &allTickets;
}

void TClassChildScrollBox_D80098::Follow(game::Model& model) {
    numbers_->Follow(&model);
    allTickets_->model = &model;
}

void TClassChildScrollBox_D80098::DeleteAllTickets() {
    qo::TData none;
    tickets_->Clear(none, kClear);
}

TClassChildPanelEx_D82A4C* TClassChildScrollBox_D80098::NewTicket() {
    const std::size_t before = tickets_->InstanceCount();
    qo::TData item;
    qo::MakeInteger(item, kNew);
    qo::CallLink(edge_->innerEvents[0], item);
    if (tickets_->InstanceCount() == before) return nullptr;
    return &ticket(before); // each is added at the end
}

TClassChildPanelEx_D82A4C& TClassChildScrollBox_D80098::ticket(std::size_t position) const {
    return *static_cast<TClassChildPanelEx_D82A4C*>(tickets_->InstanceAt(position)->schemeObject);
}

const std::vector<TClassChildScrollBox_D80098::Listed>& TClassChildScrollBox_D80098::listed() const {
    if (listedAt_ != tickets_->ListChanges()) {
        listed_.clear();
        for (std::size_t i = 0, count = tickets_->InstanceCount(); i < count; ++i) {
            TClassChildPanelEx_D82A4C& t = ticket(i);
            listed_.push_back({&t, &t.body().logic()});
        }
        listedAt_ = tickets_->ListChanges();
    }
    return listed_;
}

TClassChildScrollBox_D80098& TClassChildScrollBox_D80098::Of(const qo::TQOMultiElement& container) {
    return *static_cast<TClassChildScrollBox_D80098*>(container.Edge()->schemeObject);
}

} // namespace lotto
