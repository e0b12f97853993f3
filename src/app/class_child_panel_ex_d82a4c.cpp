#include "app/class_child_panel_ex_d82a4c.h"

#include <array>

#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_d99a78.h"
#include "app/class_multi_element_d7c544.h"
#include "app/inline_code_d9d224.h"
#include "app/kept_game.h"
#include "containers/edit_multi.h"
#include "containers/edit_multi_ex.h"
#include "containers/multi_element.h"
#include "runtime/cp1251.h"
#include "runtime/do_data.h"
#include "runtime/text_resource.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/layer/control.h"
#include "widgets/memo.h"
#include "widgets/panel.h"

namespace lotto {
namespace {

// The ticket's inward commands (resource "Str3"), by line.
enum Command : std::size_t {
    kAdd = 0,
    kCheck = 4,
    kResetNumbers = 5,
    kResetColours = 6,
    kFill = 7,
    kTakeBack = 8
};

// The described commands, and after them the ones added since, so the described keep their lines.
std::string InwardCommands() {
    std::string text = qo::LoadTextResource("Str3");
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    return text + "takeback\r\n";
}

} // namespace

TClassChildPanelEx_D82A4C::TClassChildPanelEx_D82A4C(qo::Control* parent) {
    // ---- the window
    auto& panel = addWindow<qo::TQOPanel>(parent);
    panel.left = 0;
    panel.top = 0;
    panel.width = 489;
    panel.height = 200;
    panel.align = qo::alTop;
    panel.color = qo::clBtnFace;
    panel.font = {"MS Sans Serif", 8, 0, qo::clBlack, 1};
    // A raised frame sets one ticket off from the next; it is also the 2-pixel margin the body
    // and the notes keep from the edges.
    panel.outerBevel = 2;
    panel.innerBevel = 1;
    panel.bevelWidth = 1;
    panel.Init();

    // ---- the edge
    auto& edge = addEdge<qo::TQOEditMultiEx>();
    edge.SetInwardCommands(InwardCommands());
    edge.SetOutwardEvents(qo::LoadTextResource("Str4"));
    edge.SetInwardData(qo::LoadTextResource("Str5"));
    edge.SetOutwardData(qo::LoadTextResource("Str6"));

    // ---- elements, in creation order
    auto& body = add<qo::TQOMultiElement>(panel.control());
    auto& notes = add<qo::TQOMultiElement>(panel.control());
    auto& handleStore = add<qo::TQOMultiElement>(nullptr);
    auto& deleteMe = add<qo::TQODoData>();

    body.SetCreateOnFirstUse(false);
    body.SetFactory(&qo::MakeScheme<TClassChildPanel_D99A78>);
    body.SetEventCount(2);
    body.SetDataInputCount(1);

    notes.SetCreateOnFirstUse(false);
    notes.SetFactory(&qo::MakeScheme<TClassChildPanel_D94AB8>);
    notes.SetEventCount(0);
    notes.SetDataInputCount(0);

    handleStore.SetCreateOnFirstUse(false);
    handleStore.SetFactory(&qo::MakeScheme<TClassMultiElement_D7C544>);
    handleStore.SetEventCount(0);
    handleStore.SetDataInputCount(1);

    // ---- links
    if (edge.innerEvents.size() > kFill) {
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kAdd], handleStore, 0);
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kCheck], body, 0);
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kResetNumbers], body, 1);
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kResetColours], body, 2);
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kFill], body, 3);
    }
    if (edge.innerEvents.size() > kTakeBack) {
        connect<&qo::TQOMultiElement::Input>(edge.innerEvents[kTakeBack], body, 4);
    }
    // Delete: the body's confirmed request goes out with the handle the store kept.
    connect<&qo::TQODoData::Input>(body.events[0], deleteMe);
    connect<&qo::TQOMultiElement::DataOutput>(deleteMe.data, handleStore, 0);
    connect<&qo::TQOEditMultiEx::Input>(deleteMe.output, edge, 0);
    connect<&qo::TQOMultiElement::Input>(body.events[1], notes, 0);
    connect<&qo::TQOMultiElement::DataOutput>(body.dataInputs[0], notes, 0);
    connect<&qo::TQOEditMultiEx::DataOutput>(handleStore.dataInputs[0], edge, 0);

    panel_ = &panel;
    body_ = &body;
    notes_ = &notes;
    NameControls();
}

std::array<std::pair<qo::Control*, const char*>, 9> TClassChildPanelEx_D82A4C::NumberedControls() const {
    // A button's caption's first word leads, so what is said matches what is seen.
    using B = TClassChildPanel_D99A78;
    const auto button = [this](B::Button b) { return body().button(b).control(); };
    return {{
        {panel_->control(), "Билет"},
        {notes().memo().control(), "Заметки к билету"},
        {body().entryBox().control(), "Заполнение билета"},
        {button(B::kResetNumbers), "Сброс чисел билета"},
        {button(B::kResetColours), "Сброс цвета билета"},
        {button(B::kFill), "Заполнить билет"},
        {button(B::kDelete), "Удалить билет"},
        {button(B::kSave), "Сохранить билет"},
        {button(B::kOpen), "Открыть файл в билет"},
    }};
}

void TClassChildPanelEx_D82A4C::NameControls() {
    // Read when a widget is made or the number changes: the list may renumber a ticket at any time.
    for (const auto& [control, what] : NumberedControls()) {
        const char* words = what;
        const bool isPanel = control == panel_->control();
        control->setAccessibleNameSource(
            [this, isPanel, words] { return isPanel && summary_ ? summary_(*this) : Spoken(words); });
    }
    body().entryBox().control()->setAccessibleDescription(
        qo::Cp1251("Числа билета по одному: Enter ставит число в его столбец, по пять в ряд"));
}

std::string TClassChildPanelEx_D82A4C::Spoken(const char* whatUtf8) const {
    std::string text = whatUtf8;
    if (number_ > 0) text += " " + std::to_string(number_);
    return qo::Cp1251(text);
}

void TClassChildPanelEx_D82A4C::SetSummary(Summary summary) {
    if (summary == summary_) return;
    summary_ = summary;
    if (summary_) {
        panel_->control()->setToolTipSource([this] { return summary_ ? summary_(*this) : std::string(); });
    } else {
        panel_->control()->setToolTip({});
    }
    panel_->control()->refreshAccessibleName();
}

void TClassChildPanelEx_D82A4C::SetNumber(int number) {
    if (number == number_) return;
    number_ = number;
    body().logic().SetTicketNumber(number);
    for (const auto& [control, what] : NumberedControls()) {
        if (control) control->refreshAccessibleName();
    }
}

void TClassChildPanelEx_D82A4C::Keep(KeptTicket& ticket) const {
    const TQOInlineCode_D9D224& logic = body().logic();
    const game::Marks& marks = logic.game().marks();
    for (int i = 0; i < game::kCells; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const qo::Control* c = logic.cell(i);
        ticket.cells[at] = c ? c->text() : std::string();
        // A colour from outside the five is kept as no mark, as the kept game's letters have it.
        ticket.colours[at] = c ? TQOInlineCode_D9D224::ColourOf(marks[at]) : TQOInlineCode_D9D224::kWhite;
    }
    ticket.fillPosition = logic.fillPosition();
    ticket.delivered = logic.delivered();
    const qo::Control* memo = notes().memo().control();
    ticket.notes = memo ? memo->text() : std::string();
}

void TClassChildPanelEx_D82A4C::PutBack(const KeptTicket& ticket) {
    body().logic().PutBack(ticket.cells, ticket.colours, ticket.fillPosition, ticket.notes, ticket.delivered);
}

TClassChildPanel_D99A78& TClassChildPanelEx_D82A4C::body() const {
    return *static_cast<TClassChildPanel_D99A78*>(body_->Edge()->schemeObject);
}

TClassChildPanel_D94AB8& TClassChildPanelEx_D82A4C::notes() const {
    return *static_cast<TClassChildPanel_D94AB8*>(notes_->Edge()->schemeObject);
}

} // namespace lotto
