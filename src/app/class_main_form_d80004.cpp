#include "app/class_main_form_d80004.h"

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/icon0_png.h"
#include "app/inline_code_assistant.h"
#include "app/inline_code_dbd6fc.h"
#include "app/inline_code_game_log.h"
#include "app/inline_code_given_tickets.h"
#include "app/inline_code_kept_game.h"
#include "app/inline_code_photo.h"
#include "app/inline_code_printing.h"
#include "app/inline_code_voice.h"
#include "app/paste_calls.h"
#include "app/undo_call_key.h"
#include "containers/child_scroll_box.h"
#include "containers/multi_element.h"
#include "game/model.h"
#include "runtime/cp1251.h"
#include "runtime/hub.h"
#include "runtime/text_resource.h"
#include "widgets/edit.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"
#include "widgets/main_form.h"
#include "widgets/menu_element.h"

namespace lotto {

namespace {

// "&Сервис": everything the program offers beyond the described menu, in groups: the game's course,
// the tickets, the caller, tickets read from a photo. A check item starts unmarked; its addition marks it as
// it starts.
constexpr const char* kServiceMenu = "&Сервис\r\n(\r\n"
                                     "&Ход игры\r\n&Вернуть прошлую игру\r\n-\r\n"
                                     "-Подс&казки\r\n&Отметить выпавшие\r\n&Печать билетов...\r\n-\r\n"
                                     "-&Голос ведущего\r\n-При&баутки\r\n-\r\n"
                                     "Билеты с &фото...\r\n)";

} // namespace

TClassMainForm_D80004::TClassMainForm_D80004() {
    // ---- the window first; its Init moves it to where the settings file last left it
    auto& form = addWindow<qo::TQOMainForm>(nullptr);
    form.left = 20;
    form.top = 105;
    form.width = 547;
    form.height = 300;
    form.align = qo::alNone;
    form.color = qo::clBtnFace;
    form.font = {"MS Sans Serif", 8, 0, qo::clBlack, 1};
    form.AlphaBlendValue = 255;
    form.SetCaption(qo::Cp1251("Фишкодром"));
    form.SetBorderStyle(2);
    form.WindowState = 0;
    form.SetIcon({reinterpret_cast<const char*>(kIcon0Png), kIcon0PngSize});
    form.Modal = false;
    form.DragByClient = false;
    form.ClientSizing = false;
    form.visible = 1;
    form.cursor = 0;
    form.keepProperties = 1;
    form.keptPropertyList = qo::LoadTextResource("Str1");
    form.settingsFile = qo::Cp1251("Параметры.ini");
    form.settingsSection = qo::Cp1251("Форма");
    form.Init();

    // ---- elements, in creation order
    auto& menu = add<qo::TQOMenu>(form);
    auto& ticketList = add<qo::TQOChildScrollBox>(form.control());
    auto& numberBox = add<qo::TQOEdit>(form.control());
    auto& gameWindow = add<qo::TQOMultiElement>(form.control());
    auto& numberHub = add<qo::TQOHub>();
    auto& advertisement = add<TQOInlineCode_DBD6FC>();
    auto& entryHub = add<qo::TQOHub>();
    // Added to the described window: the kept game, and hubs that give it the menu and the close.
    auto& keptGame = add<TQOInlineCode_KeptGame>(ticketList, gameWindow);
    auto& menuHub = add<qo::TQOHub>();
    auto& closeHub = add<qo::TQOHub>();
    auto& undoKey = add<TQOInlineCode_UndoCallKey>();
    auto& pasteCalls = add<TQOInlineCode_PasteCalls>();
    // Added too: the ticket files the program was started with.
    auto& givenTickets = add<TQOInlineCode_GivenTickets>(ticketList);
    // Added too: the "Ход игры" window.
    auto& gameLog = add<qo::TQOMultiElement>(form.control());
    // And the hints on the tickets, switched by "Подсказки".
    auto& assistant = add<TQOInlineCode_Assistant>(ticketList, menu);
    // Added too: the tickets on paper.
    auto& printing = add<TQOInlineCode_Printing>(ticketList);
    // The game model every ticket records into and every view reads. NOTE: made after the ticket
    // list, the game window and the views that watch it: elements go in the order they were made,
    // so every ticket and every watcher has gone before it does.
    auto& model = add<game::Model>();
    // Added too: the caller's voice, and a hub that gives it each drawn number after the tickets.
    auto& voice = add<TQOInlineCode_Voice>(model);
    auto& drawHub = add<qo::TQOHub>();
    // Added too: tickets read from a photo.
    auto& photo = add<TQOInlineCode_Photo>(ticketList);

    // ---- properties
    numberHub.inputCount = 2;
    numberHub.SetOutputCount(1);
    entryHub.inputCount = 2;
    entryHub.SetOutputCount(2);
    menuHub.inputCount = 1;
    menuHub.SetOutputCount(7);
    drawHub.inputCount = 1;
    drawHub.SetOutputCount(2);
    closeHub.inputCount = 1;
    closeHub.SetOutputCount(2);

    numberBox.left = 0;
    numberBox.top = 0;
    numberBox.width = 539;
    numberBox.height = 25;
    numberBox.align = qo::alTop;
    numberBox.color = qo::clWindow;
    numberBox.flatBorder = 0;
    numberBox.font = {"Arial", 16, 0, qo::clNavy, 204};
    numberBox.maxLength = 2;
    numberBox.maxNumber = 90;
    numberBox.clampNumber = 1;
    numberBox.cursor = qo::IDC_EDIT_CURSOR;
    numberBox.Init();
    numberBox.control()->setAccessibleName(qo::Cp1251("Названное число"));
    numberBox.control()->setAccessibleDescription(qo::Cp1251(
        "Число от 1 до 90, названное в игре: Enter отмечает его на всех билетах и "
        "записывает ходом реальной игры; вставленный список из двух и более чисел вводится по очереди; "
        "Ctrl+Z в пустом поле отменяет последний ход"));

    ticketList.SetCreateOnFirstUse(false);
    ticketList.SetFactory(&qo::MakeScheme<TClassChildScrollBox_D80098>);
    ticketList.SetEventCount(1);
    ticketList.SetDataInputCount(0);

    gameWindow.SetCreateOnFirstUse(false);
    gameWindow.SetFactory(&qo::MakeScheme<TClassChildForm_DA7248>);
    gameWindow.SetEventCount(2);
    gameWindow.SetDataInputCount(0);

    gameLog.SetCreateOnFirstUse(false);
    gameLog.SetFactory(&qo::MakeScheme<TClassChildForm_GameLog>);
    gameLog.SetEventCount(1);
    gameLog.SetDataInputCount(0);

    // ---- links
    connect<&qo::TQOHub::Input>(numberBox.onEnter, entryHub, 0);
    // NOTE: the tickets first, the game window second: a typed number is marked before it is
    // counted as a move.
    connect<&qo::TQOHub::Input>(entryHub.outputs[0], numberHub, 1);
    connect<&qo::TQOMultiElement::Input>(entryHub.outputs[1], gameWindow, 1);
    connect<&qo::TQOMultiElement::Input>(numberHub.outputs[0], ticketList, 1);
    // NOTE: the tickets first, the voice second: the caller names what the number completed.
    connect<&qo::TQOHub::Input>(gameWindow.events[0], drawHub);
    connect<&qo::TQOHub::Input>(drawHub.outputs[0], numberHub, 0);
    connect<&TQOInlineCode_Voice::Drawn>(drawHub.outputs[1], voice);
    connect<&qo::TQOMultiElement::Input>(ticketList.events[0], gameWindow, 0);
    connect<&qo::TQOHub::Input>(menu.onChoose, menuHub);
    connect<&qo::TQOMultiElement::Input>(menuHub.outputs[0], ticketList, 0);
    connect<&TQOInlineCode_KeptGame::Choose>(menuHub.outputs[1], keptGame);
    connect<&qo::TQOMultiElement::Input>(menuHub.outputs[2], gameLog, 0);
    connect<&TQOInlineCode_Assistant::Choose>(menuHub.outputs[3], assistant);
    connect<&TQOInlineCode_Printing::Choose>(menuHub.outputs[4], printing);
    connect<&TQOInlineCode_Voice::Choose>(menuHub.outputs[5], voice);
    connect<&TQOInlineCode_Photo::Choose>(menuHub.outputs[6], photo);
    connect<&qo::TQOHub::Input>(form.onClose, closeHub);
    connect<&TQOInlineCode_DBD6FC::Input>(closeHub.outputs[0], advertisement);
    connect<&TQOInlineCode_KeptGame::Closing>(closeHub.outputs[1], keptGame);
    // A mis-call taken back: Ctrl+Z on the empty box removes the last move; the game window sends
    // every removed move's number on to the tickets.
    connect<&TQOInlineCode_UndoCallKey::Key>(numberBox.onKeyDown, undoKey);
    connect<&qo::TQOEdit::EditValue>(undoKey.boxValue, numberBox);
    connect<&qo::TQOMultiElement::Input>(undoKey.undo, gameWindow, 2);
    connect<&qo::TQOMultiElement::Input>(gameWindow.events[1], ticketList, 2);
    connect<&qo::TQOMultiElement::Input>(gameLog.events[0], gameWindow, 2);
    // A pasted list of numbers: each one as if typed and confirmed with Enter.
    connect<&TQOInlineCode_PasteCalls::Paste>(numberBox.takePaste, pasteCalls);
    connect<&qo::TQOHub::Input>(pasteCalls.enter, entryHub, 1);
    // NOTE: opened once the kept game's start is over: putting the last game back replaces every
    // ticket, a given one too.
    connect<&TQOInlineCode_GivenTickets::Open>(keptGame.started, givenTickets);

    menu.SetText(qo::LoadTextResource("Str7"));
    // NOTE: the additions' menu comes after the described ones, so those keep their items and
    // numbers; the list's router passes the higher numbers by.
    menu.AppendText(qo::Cp1251(kServiceMenu));
    const auto item = [&menu](const char* caption) { return menu.NumberOfText(qo::Cp1251(caption)); };
    TQOInlineCode_GameLog& log = TClassChildForm_GameLog::Of(gameLog).code();
    log.menuItem = item("&Ход игры");
    log.Follow(model);
    keptGame.menuItem = item("&Вернуть прошлую игру");
    assistant.menuItem = item("Подс&казки");
    assistant.markItem = item("&Отметить выпавшие");
    assistant.Follow(model);
    printing.menuItem = item("&Печать билетов...");
    voice.voiceItem = item("&Голос ведущего");
    voice.nicknamesItem = item("При&баутки");
    voice.Attach(menu);
    photo.menuItem = item("Билеты с &фото...");
    photo.Attach(menu, form.control());
    form.formControl()->setKeyboardNavigation(true);
    TClassChildScrollBox_D80098::Of(ticketList).Follow(model);
    TClassChildForm_DA7248::Of(gameWindow).Follow(model);

    form_ = &form;
    menu_ = &menu;
    ticketList_ = &ticketList;
    numberBox_ = &numberBox;
    gameWindow_ = &gameWindow;
    gameLog_ = &gameLog;
    assistant_ = &assistant;
    keptGame_ = &keptGame;
    givenTickets_ = &givenTickets;
    game_ = &model;
}

} // namespace lotto
