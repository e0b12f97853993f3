#include "app/class_child_panel_d99a78.h"

#include "app/class_child_panel_da14f8.h"
#include "app/inline_code_d9d224.h"
#include "containers/edit_multi.h"
#include "containers/multi_element.h"
#include "logic/message.h"
#include "runtime/cp1251.h"
#include "runtime/hub.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/control.h"
#include "widgets/panel.h"

namespace lotto {
namespace {

const qo::TWinFont kSmallFont{"MS Sans Serif", 8, 0, qo::clBlack, 1};

void Ask(qo::TQOMessage& question, const char* textUtf8) {
    question.caption = qo::Cp1251("Подтверждение");
    question.text = qo::Cp1251(textUtf8);
    question.buttons = qo::message_buttons::YesNo;
    question.icon = qo::message_icon::Question;
    question.defaultButton = qo::message_default::Second; // No
}

} // namespace

TClassChildPanel_D99A78::TClassChildPanel_D99A78(qo::Control* parent) {
    // ---- the window
    auto& panel = addWindow<qo::TQOPanel>(parent);
    panel.left = 2;
    panel.top = 2;
    panel.width = 365;
    panel.height = 196;
    panel.align = qo::alLeft;
    panel.color = qo::clBtnFace;
    panel.font = kSmallFont;
    panel.Init();

    // ---- the edge: inputs 0 check, 1 reset numbers, 2 reset colours, 3 fill, 4 take a call back
    auto& edge = addEdge<qo::TQOEditMulti>();
    edge.SetEventCount(5);
    edge.SetDataInputCount(0);

    // ---- elements, in creation order
    auto& divider = add<qo::TQOMultiElement>(panel.control());
    auto& label = add<qo::TQOLabel>(panel.control());
    auto& entry = add<qo::TQOEdit>(panel.control());
    auto& resetNumbers = add<qo::TQOButton>(panel.control());
    auto& resetColours = add<qo::TQOButton>(panel.control());
    auto& fill = add<qo::TQOButton>(panel.control());
    auto& remove = add<qo::TQOButton>(panel.control());
    auto& save = add<qo::TQOButton>(panel.control());
    auto& open = add<qo::TQOButton>(panel.control());
    auto& askNumbers = add<qo::TQOMessage>();
    auto& askColours = add<qo::TQOMessage>();
    auto& askDelete = add<qo::TQOMessage>();
    auto& hubNumbers = add<qo::TQOHub>();
    auto& hubColours = add<qo::TQOHub>();
    auto& hubFill = add<qo::TQOHub>();
    auto& logic = add<TQOInlineCode_D9D224>();

    // ---- properties
    label.left = 290;
    label.top = 10;
    label.width = 65;
    label.height = 17;
    label.font = kSmallFont;
    label.SetCaptionText(qo::Cp1251("Заполнение"));
    label.SetAlignment(0);
    label.SetAutoSize(true);
    label.Init();

    entry.left = 290;
    entry.top = 30;
    entry.width = 65;
    entry.height = 25;
    entry.color = qo::clWindow;
    entry.flatBorder = 0;
    entry.font = {"Arial", 16, 0, qo::clNavy, 204};
    entry.maxLength = 2;
    entry.maxNumber = 90;
    entry.clampNumber = 1;
    entry.cursor = qo::IDC_EDIT_CURSOR;
    entry.Init();

    const std::array<std::pair<qo::TQOButton*, const char*>, kButtonCount> buttons{{
        {&resetNumbers, "Сброс чисел"},
        {&resetColours, "Сброс цвета"},
        {&fill, "Заполнить"},
        {&remove, "Удалить..."},
        {&save, "Сохранить..."},
        {&open, "Открыть..."},
    }};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        qo::TQOButton& b = *buttons[i].first;
        b.left = 285;
        b.top = 60 + 20 * static_cast<int>(i);
        b.width = 75;
        b.height = 20;
        b.font = kSmallFont;
        b.SetCaptionText(qo::Cp1251(buttons[i].second));
        b.SetCaptionAlign(2);
        b.Init();
        buttons_[i] = &b;
    }

    Ask(askNumbers, "Вы действительно хотите удалить из билета все числа?");
    Ask(askColours, "Вы действительно хотите сделать все ячейки белыми?");
    Ask(askDelete, "Вы действительно хотите удалить билет?");
    for (qo::TQOHub* hub : {&hubNumbers, &hubColours, &hubFill}) {
        hub->inputCount = 2;
        hub->SetOutputCount(1);
    }

    divider.SetCreateOnFirstUse(false);
    divider.SetFactory(&qo::MakeScheme<TClassChildPanel_DA14F8>);
    divider.SetEventCount(0);
    divider.SetDataInputCount(0);

    // ---- links
    connect<&TQOInlineCode_D9D224::Check>(edge.innerEvents[0], logic);
    connect<&qo::TQOHub::Input>(edge.innerEvents[1], hubNumbers, 0);
    connect<&qo::TQOHub::Input>(edge.innerEvents[2], hubColours, 0);
    connect<&qo::TQOHub::Input>(edge.innerEvents[3], hubFill, 0);
    connect<&TQOInlineCode_D9D224::TakeBackInput>(edge.innerEvents[4], logic);
    connect<&TQOInlineCode_D9D224::Place>(entry.onEnter, logic);

    connect<&qo::TQOMessage::Show>(resetNumbers.onClick, askNumbers);
    connect<&qo::TQOHub::Input>(askNumbers.yesOutput, hubNumbers, 1);
    connect<&qo::TQOMessage::Show>(resetColours.onClick, askColours);
    connect<&qo::TQOHub::Input>(askColours.yesOutput, hubColours, 1);
    connect<&qo::TQOHub::Input>(fill.onClick, hubFill, 1);
    connect<&qo::TQOMessage::Show>(remove.onClick, askDelete);
    connect<&qo::TQOEditMulti::Input>(askDelete.yesOutput, edge, 0);
    connect<&TQOInlineCode_D9D224::Save>(save.onClick, logic);
    connect<&TQOInlineCode_D9D224::Open>(open.onClick, logic);

    connect<&TQOInlineCode_D9D224::ResetNumbers>(hubNumbers.outputs[0], logic);
    connect<&TQOInlineCode_D9D224::ResetColours>(hubColours.outputs[0], logic);
    connect<&TQOInlineCode_D9D224::Fill>(hubFill.outputs[0], logic);

    connect<&qo::TQOPanel::ControlObject>(logic.panelControl, panel);
    connect<&qo::TQOEditMulti::DataOutput>(logic.notesText, edge, 0);
    connect<&qo::TQOEditMulti::Input>(logic.notesOut, edge, 1);

    panel_ = &panel;
    entryBox_ = &entry;
    logic_ = &logic;
}

} // namespace lotto
