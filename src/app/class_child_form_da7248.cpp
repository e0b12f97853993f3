#include "app/class_child_form_da7248.h"

#include <string_view>

#include "app/class_child_panel_db1ed4.h"
#include "app/class_child_panel_db4d90.h"
#include "app/inline_code_db0d64.h"
#include "app/inline_code_db522c.h"
#include "app/kept_game.h"
#include "app/window_parts.h"
#include "containers/edit_multi.h"
#include "containers/multi_element.h"
#include "game/model.h"
#include "logic/counter.h"
#include "logic/for_loop.h"
#include "logic/format_str.h"
#include "logic/math_element.h"
#include "runtime/cp1251.h"
#include "runtime/hub.h"
#include "runtime/text_resource.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/control.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

namespace lotto {

using namespace window_parts;

namespace {

// A divider's container: built at once, with no points.
template <typename S> void SetUpDivider(qo::TQOMultiElement& c) {
    c.SetCreateOnFirstUse(false);
    c.SetFactory(&qo::MakeScheme<S>);
    c.SetEventCount(0);
    c.SetDataInputCount(0);
}

} // namespace

TClassChildForm_DA7248::TClassChildForm_DA7248(qo::Control* parent) {
    using namespace qo;

    // ---- The window.
    auto& form = addWindow<TQOMainForm>(parent);
    Place(form, 35, 105, 255, 295, clBtnFace);
    form.ClientSizing = false;
    form.SetCaption(Cp1251("Игра"));
    form.SetBorderStyle(3);
    form.visible = 0;
    form.Modal = false; // a close by the user only hides the window
    form.WindowState = 0;
    form.DragByClient = true;
    form.AlphaBlendValue = 255;
    form.SetTaskbar(1);
    form.keepProperties = 1;
    form.keptPropertyList = LoadTextResource("Str2");
    form.settingsFile = Cp1251("Параметры.ini");
    form.settingsSection = Cp1251("Форма");
    form.Init();
    Control* const win = form.control();

    // ---- The edge: input 0 shows or hides, input 1 is a called number, input 2 removes the last
    // move; event 0 a drawn number, event 1 the number of a removed move.
    auto& edge = addEdge<TQOEditMulti>();
    edge.SetEventCount(3);
    edge.SetDataInputCount(0);

    // ---- Elements, in creation order.
    auto& openBt = add<TQOButton>(win);
    Place(openBt, 10, 40, 90, 20, clBtnFace);
    SetUpButton(openBt, "Открыть сеанс", true);

    auto& generateBt = add<TQOButton>(win);
    Place(generateBt, 10, 65, 90, 20, clBtnFace);
    SetUpButton(generateBt, "Генерировать", false);

    auto& openCounter = add<TQOCounter>();
    openCounter.value = 0;
    openCounter.minimum = 0;
    openCounter.maximum = 1;
    openCounter.step = 1;
    openCounter.countingDown = 0;

    auto& openHub = add<TQOHub>();
    openHub.inputCount = 1;
    openHub.SetOutputCount(3);

    auto& statusLb = add<TQOLabel>(win);
    Place(statusLb, 10, 115, 75, 17, clBtnFace);
    SetUpLabel(statusLb, "Сеанс закрыт", false);

    auto& drawnBox = add<TQOMemo>(win);
    Place(drawnBox, 110, 35, 130, 97, clWindow);
    SetUpListBox(drawnBox, "Выпавшие числа виртуальной игры");

    auto& virtualGame = add<TQOInlineCode_DB0D64>();

    auto& drawHub = add<TQOHub>();
    drawHub.inputCount = 2;
    drawHub.SetOutputCount(1);

    auto& autogenBt = add<TQOButton>(win);
    Place(autogenBt, 45, 90, 55, 20, clBtnFace);
    SetUpButton(autogenBt, "Автоген", false);

    auto& countBox = add<TQOEdit>(win);
    Place(countBox, 10, 90, 35, 20, clWindow);
    countBox.maxLength = 2;
    countBox.maxNumber = 90;
    countBox.clampNumber = 1;
    countBox.flatBorder = 0;
    countBox.cursor = qo::IDC_EDIT_CURSOR;
    countBox.Init();
    countBox.control()->setAccessibleName(qo::Cp1251("Сколько чисел вытянуть"));
    countBox.control()->setAccessibleDescription(qo::Cp1251("«Автоген» вытягивает столько чисел подряд"));

    auto& autogenLoop = add<TQOFor>();
    autogenLoop.startValue = 1;
    autogenLoop.endValue = 0;
    autogenLoop.step = 1;
    autogenLoop.endIncluded = 1;
    autogenLoop.keepIncomingData = 0;

    auto& virtualHeading = add<TQOLabel>(win);
    Place(virtualHeading, 72, 15, 111, 17, clBtnFace);
    SetUpLabel(virtualHeading, "Виртуальная игра", true);

    auto& topDivider = add<TQOMultiElement>(win);
    SetUpDivider<TClassChildPanel_DB1ED4>(topDivider);

    auto& realHeading = add<TQOLabel>(win);
    Place(realHeading, 81, 145, 92, 17, clBtnFace);
    SetUpLabel(realHeading, "Реальная игра", true);

    auto& middleDivider = add<TQOMultiElement>(win);
    SetUpDivider<TClassChildPanel_DB4D90>(middleDivider);

    auto& calledBox = add<TQOMemo>(win);
    Place(calledBox, 110, 165, 130, 97, clWindow);
    SetUpListBox(calledBox, "Названные числа реальной игры");
    calledBox.control()->setAccessibleDescription(
        qo::Cp1251("Стрелки и щелчок выбирают ход; Delete или «Удалить ход» в контекстном меню убирает "
                   "его: билеты покажут игру без него"));
    calledBox.AddCommand(qo::Cp1251("Удалить ход"));

    auto& movesLb = add<TQOLabel>(win);
    Place(movesLb, 10, 245, 75, 17, clBtnFace);
    SetUpLabel(movesLb, "Ходов: 0", false);

    auto& movesFormat = add<TQOFormatStr>();
    movesFormat.SetArgumentCount(1);
    movesFormat.mask = Cp1251("Ходов: %1");
    movesFormat.skipInserted = 0;

    auto& realGame = add<TQOInlineCode_DB522C>();

    auto& clearBt = add<TQOButton>(win);
    Place(clearBt, 10, 170, 90, 20, clBtnFace);
    SetUpButton(clearBt, "Очистить", true);

    auto& movesCalc = add<TQOMath>();
    movesCalc.first = 0;
    movesCalc.second = 1;
    movesCalc.realResult = 0;
    movesCalc.SetDefault(0);

    // ---- Links.
    // The real game and its move count.
    connect<&TQOInlineCode_DB522C::Clear>(clearBt.onClick, realGame);
    connect<&TQOWinList::AddLine>(realGame.addLineOutput, calledBox);
    connect<&TQOWinList::ClearLines>(realGame.clearOutput, calledBox);
    connect<&TQOWinList::SetLines>(realGame.linesOutput, calledBox);
    connect<&TQOWin::WindowHandle>(realGame.windowHandle, calledBox);
    connect<&TQOMath::Result>(movesFormat.arguments[0], movesCalc);
    connect<&TQOLabel::SetCaption>(movesFormat.resultOutput, movesLb);
    connect<&TQOWinList::LineCount>(movesCalc.firstInput, calledBox);
    connect<&TQOFormatStr::Format>(movesCalc.resultOutput, movesFormat);
    connect<&TQOMath::Calculate>(calledBox.onChange, movesCalc);
    // Added: a mis-call removed with Delete in the list, or the last one from outside.
    connect<&TQOInlineCode_DB522C::ListKey>(calledBox.onKeyDown, realGame);
    connect<&TQOInlineCode_DB522C::RemoveSelected>(calledBox.onCommand, realGame);
    connect<&TQOEditMulti::Input>(realGame.takenBack, edge, 1);

    // The virtual game: a series, single draws, opening and closing.
    connect<&TQOEdit::EditValue>(autogenLoop.endInput, countBox);
    connect<&TQOHub::Input>(autogenLoop.cycleOutput, drawHub, 1);
    connect<&TQOFor::Start>(autogenBt.onClick, autogenLoop);
    connect<&TQOInlineCode_DB0D64::Draw>(drawHub.outputs[0], virtualGame);
    connect<&TQOButton::SetCaption>(virtualGame.captionOutput, openBt);
    connect<&TQOLabel::SetCaption>(virtualGame.labelOutput, statusLb);
    connect<&TQOWinList::AddLine>(virtualGame.addLineOutput, drawnBox);
    connect<&TQOWinList::ClearLines>(virtualGame.clearOutput, drawnBox);
    connect<&TQOEditMulti::Input>(virtualGame.drawnOutput, edge, 0);
    connect<&TQOWin::WindowHandle>(virtualGame.windowHandle, drawnBox);
    connect<&TQOWin::SetEnabled>(openHub.outputs[0], generateBt);
    connect<&TQOInlineCode_DB0D64::OpenClose>(openHub.outputs[1], virtualGame);
    connect<&TQOWin::SetEnabled>(openHub.outputs[2], autogenBt);
    connect<&TQOHub::Input>(openCounter.valueOutput, openHub);
    connect<&TQOHub::Input>(generateBt.onClick, drawHub, 0);
    connect<&TQOCounter::Next>(openBt.onClick, openCounter);

    // Across the border.
    connect<&TQOMainForm::Visible>(edge.innerEvents[0], form);
    connect<&TQOInlineCode_DB522C::Record>(edge.innerEvents[1], realGame);
    connect<&TQOInlineCode_DB522C::RemoveLast>(edge.innerEvents[2], realGame);

    controls_ = {&form,     &openBt,   &generateBt, &autogenBt, &countBox,
                 &statusLb, &drawnBox, &calledBox,  &movesLb,   &clearBt};
    realGame_ = &realGame;
    virtualGame_ = &virtualGame;
}

void TClassChildForm_DA7248::Keep(KeptGame& game) const {
    game.realMoves = moves();
    game.virtualOpen = virtualGame_->drawn().has_value();
    game.virtualDrawn = drawn();
    game.virtualCount = controls_.autogenCount->control()->text();
}

void TClassChildForm_DA7248::PutBack(const KeptGame& game) {
    realGame_->PutBack(game.realMoves);
    // Opened or closed as a click on the button would: the counter, the buttons and the label follow.
    if (virtualGame_->drawn().has_value() != game.virtualOpen) qo::FireNull(controls_.openClose->onClick);
    if (game.virtualOpen) virtualGame_->PutBack(game.virtualDrawn);
    controls_.autogenCount->control()->setText(game.virtualCount);
}

const std::vector<int>& TClassChildForm_DA7248::moves() const {
    return realGame_->called();
}

std::vector<int> TClassChildForm_DA7248::drawn() const {
    return virtualGame_->drawn().value_or(std::vector<int>{});
}

void TClassChildForm_DA7248::Follow(game::Model& model) {
    realGame_->model = &model;
    virtualGame_->model = &model;
    model.SetMoves(realGame_->called());
    model.SetDrawn(virtualGame_->drawn() ? *virtualGame_->drawn() : std::vector<int>());
}

TClassChildForm_DA7248& TClassChildForm_DA7248::Of(const qo::TQOMultiElement& container) {
    return *static_cast<TClassChildForm_DA7248*>(container.Edge()->schemeObject);
}

} // namespace lotto
