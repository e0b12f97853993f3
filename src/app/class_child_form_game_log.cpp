#include "app/class_child_form_game_log.h"

#include "app/inline_code_game_log.h"
#include "app/window_parts.h"
#include "containers/edit_multi.h"
#include "containers/multi_element.h"
#include "runtime/cp1251.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/control.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/form_control.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"
#include "widgets/panel.h"

namespace lotto {

using namespace window_parts;

TClassChildForm_GameLog::TClassChildForm_GameLog(qo::Control* parent) {
    using namespace qo;
    using Code = TQOInlineCode_GameLog;
    constexpr int kLogTop = 58 + Code::kBoardHeight + 24;
    constexpr int kWaitingTop = kLogTop + 112 + 26;

    // ---- The window: right of the main window, kept in place under keys of its own.
    auto& form = addWindow<TQOMainForm>(parent);
    Place(form, 580, 105, Code::kBoardWidth + 24, kWaitingTop + 140, clBtnFace);
    form.ClientSizing = true;
    form.SetCaption(Cp1251("Ход игры"));
    form.SetBorderStyle(3);
    form.visible = 0;
    form.Modal = false; // a close only hides it
    form.WindowState = 0;
    form.AlphaBlendValue = 255;
    form.SetTaskbar(1);
    form.keepProperties = 1;
    form.keptPropertyList = "left=hLeft\r\ntop=hTop";
    form.settingsFile = Cp1251("Параметры.ini");
    form.settingsSection = Cp1251("Форма");
    form.Init();
    Control* const win = form.control();

    // ---- The edge: input 0 a menu item's number; event 0 "Отменить ход".
    auto& edge = addEdge<TQOEditMulti>();
    edge.SetEventCount(1);
    edge.SetDataInputCount(0);

    // ---- Elements, in creation order.
    auto& lastHeading = add<TQOLabel>(win);
    Place(lastHeading, 12, 20, 100, 17, clBtnFace);
    SetUpLabel(lastHeading, "Последнее число:", false);

    auto& lastLb = add<TQOLabel>(win);
    Place(lastLb, 112, 8, 50, 36, clBtnFace);
    lastLb.font = {"Arial", 22, 1, clNavy, 204};
    SetUpLabel(lastLb, "-", true);
    lastLb.control()->setAccessibleName(Cp1251("Последнее названное число"));

    auto& undoBt = add<TQOButton>(win);
    // Wide enough for the move it names: "Отменить ход 88".
    Place(undoBt, Code::kBoardWidth + 12 - 108, 14, 108, 24, clBtnFace);
    SetUpButton(undoBt, "&Отменить ход", true);
    undoBt.control()->setAccessibleDescription(
        Cp1251("Убирает последний ход реальной игры, число которого названо на кнопке: билеты "
               "покажут игру без него; Ctrl+Z в пустом поле главного окна делает то же"));

    auto& board = add<TQOPanel>(win);
    Place(board, 12, 50, Code::kBoardWidth, Code::kBoardHeight, clBtnFace);
    board.borderStyle = 1;
    board.borderWidth = 0;
    board.Init();
    board.control()->setAccessibleName(Cp1251("Поле чисел от 1 до 90"));

    auto& logHeading = add<TQOLabel>(win);
    Place(logHeading, 12, kLogTop - 20, 100, 17, clBtnFace);
    SetUpLabel(logHeading, "Закрыто:", true);

    auto& logBox = add<TQOMemo>(win);
    Place(logBox, 12, kLogTop, Code::kBoardWidth, 112, clWindow);
    SetUpListBox(logBox, "Закрытые ряды, карточки и билеты, последние сверху");

    auto& waitingHeading = add<TQOLabel>(win);
    Place(waitingHeading, 12, kWaitingTop - 20, 100, 17, clBtnFace);
    SetUpLabel(waitingHeading, "Жду:", true);

    auto& waitingBox = add<TQOMemo>(win);
    Place(waitingBox, 12, kWaitingTop, Code::kBoardWidth, 112, clWindow);
    SetUpListBox(waitingBox,
                 "Жду: что сделает каждое из чисел, если его назовут; больше всего закрывающие сверху");

    auto& code = add<TQOInlineCode_GameLog>();

    // ---- Links.
    connect<&TQOInlineCode_GameLog::Choose>(edge.innerEvents[0], code);
    connect<&TQOMainForm::Visible>(code.show, form);
    connect<&TQOEditMulti::Input>(undoBt.onClick, edge, 0);

    code.Attach(win, board.control(), lastLb.control(), undoBt.control(), As<EditControl>(logBox.control()),
                As<EditControl>(waitingBox.control()));
    form.formControl()->setKeyboardNavigation(true);

    controls_ = {&form, &lastLb, &undoBt, &board, &logBox, &waitingBox};
    code_ = &code;
}

TClassChildForm_GameLog& TClassChildForm_GameLog::Of(const qo::TQOMultiElement& container) {
    return *static_cast<TClassChildForm_GameLog*>(container.Edge()->schemeObject);
}

} // namespace lotto
