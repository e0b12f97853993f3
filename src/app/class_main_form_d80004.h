#pragma once
// The main window "Фишкодром": the menu, the number box, the ticket list and the hidden game window,
// joined so that a typed number reaches the tickets first and the game window after. The tickets'
// and the game's own behaviour live in their nested schemes.
#include "containers/scheme.h"

namespace qo {
class TQOMainForm;
class TQOMenu;
class TQOEdit;
class TQOChildScrollBox;
class TQOMultiElement;
class TQOHub;
} // namespace qo

namespace lotto {

namespace game {
class Model;
}

class TQOInlineCode_DBD6FC;
class TQOInlineCode_KeptGame;
class TQOInlineCode_Assistant;
class TQOInlineCode_GivenTickets;

class TClassMainForm_D80004 : public qo::TScheme {
public:
    TClassMainForm_D80004();

    // Borrowed views for the program entry and for tests.
    qo::TQOMainForm& form() const { return *form_; }
    qo::TQOMenu& menu() const { return *menu_; }
    qo::TQOEdit& numberBox() const { return *numberBox_; }
    qo::TQOChildScrollBox& ticketList() const { return *ticketList_; }
    qo::TQOMultiElement& gameWindow() const { return *gameWindow_; }
    qo::TQOMultiElement& gameLog() const { return *gameLog_; }         // the "Ход игры" window
    TQOInlineCode_Assistant& assistant() const { return *assistant_; } // "Подсказки"
    TQOInlineCode_KeptGame& keptGame() const { return *keptGame_; }
    // The ticket files the program was started with: set them before the form starts.
    TQOInlineCode_GivenTickets& givenTickets() const { return *givenTickets_; }
    // The game as the tickets record it.
    game::Model& game() const { return *game_; }

private:
    qo::TQOMainForm* form_ = nullptr;
    qo::TQOMenu* menu_ = nullptr;
    qo::TQOChildScrollBox* ticketList_ = nullptr;
    qo::TQOEdit* numberBox_ = nullptr;
    qo::TQOMultiElement* gameWindow_ = nullptr;
    qo::TQOMultiElement* gameLog_ = nullptr;
    TQOInlineCode_Assistant* assistant_ = nullptr;
    TQOInlineCode_KeptGame* keptGame_ = nullptr;
    TQOInlineCode_GivenTickets* givenTickets_ = nullptr;
    game::Model* game_ = nullptr;
};

} // namespace lotto
