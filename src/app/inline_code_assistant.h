#pragma once
// Hints on the tickets themselves while "Подсказки" is on (off as the program starts, unless the
// settings file says otherwise): a cell whose number would complete its row, card or whole ticket
// is framed; a number typed where it cannot stand is framed and written in another colour, and so
// is one the game called before it was typed (or its ticket made); each ticket's tip and spoken
// name say how far it has got; a quiet sound when a ticket first comes one number away, once the
// marking's own sound has played. Worked out a moment after a change, again only for the tickets
// whose cells changed. The fill colours, the other sounds and everything typed stay as they are.
// Also "Отметить выпавшие", hints on or off: every ticket marks what the calls before it would
// have.
#include <bitset>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/assistant.h"
#include "game/model.h"
#include "runtime/link.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/timer.h"

namespace qo {
class TQOMenu;
class TQOMultiElement;
} // namespace qo

namespace lotto {

class TClassChildPanelEx_D82A4C;
class TQOInlineCode_D9D224;

class TQOInlineCode_Assistant final : game::Model::Observer {
public:
    // Frames, 0x00BBGGRR: the last number of a row, of a card, of the whole ticket; a number typed
    // where it cannot stand (its text takes the same colour, underlined); a number called before
    // it stood there. Each dark enough to read at 4.5 : 1 on every fill, red the darkest of them.
    static constexpr qo::Color kRowMark = 0x000C28;    // brown
    static constexpr qo::Color kCardMark = 0x3C0024;   // purple
    static constexpr qo::Color kTicketMark = 0x5A0000; // blue
    static constexpr qo::Color kProblem = 0x000032;    // red
    static constexpr qo::Color kMissedMark = 0x281400; // teal

    TQOInlineCode_Assistant(qo::TQOMultiElement& ticketList, qo::TQOMenu& menu);
    // The game model the tickets and the calls are read from, borrowed for the block's lifetime.
    void Follow(game::Model& model);
    ~TQOInlineCode_Assistant();
    TQOInlineCode_Assistant(const TQOInlineCode_Assistant&) = delete;
    TQOInlineCode_Assistant& operator=(const TQOInlineCode_Assistant&) = delete;

    int menuItem = -1; // the number of the menu item "Подсказки"
    int markItem = -1; // ... and of "Отметить выпавшие"

    // A menu item's number: its own switch hints, or mark what the calls before them would have.
    void Choose(qo::TData& d, std::uint16_t index);
    // "Отметить выпавшие": each ticket marks what the game's calls would have, with their sounds.
    void MarkCalled();

    bool on() const { return on_; }
    // Switches hints, keeps the choice in the settings file and marks the menu item.
    void SetOn(bool on);
    // Brings every ticket's hints up to date now: what the loop does a moment after a change.
    void Refresh();

private:
    void Begin(); // from the start-up list: the choice the settings file keeps
    void GameChanged(std::uint8_t what, const game::Ticket* ticket) override;
    // Shows `hints` on the ticket's cells; with `before` (what they show now, numbers and the ticket
    // alike unchanged) only the cells whose hints differ are touched.
    void Show(TQOInlineCode_D9D224& ticket, const TicketHints& hints, int sameAs, const TicketHints* before);
    void Clear();
    std::string SettingsPath() const;
    // The game's calls so far: its real moves in order, then the virtual game's draws.
    std::vector<int> Called() const;
    void SoundOneAway();

    qo::TQOMultiElement& ticketList_;
    qo::TQOMenu& menu_;
    game::Model* model_ = nullptr;
    std::bitset<91> called_; // as the hints shown last found them
    bool on_ = false;
    bool refreshing_ = false;
    bool everything_ = true; // every ticket is shown again
    // The tickets' numbers → the first two tickets holding them; made again when numbers or places change.
    std::unordered_map<std::string, std::pair<int, int>> alike_;
    std::uint64_t listedAt_ = ~std::uint64_t{0};
    qo::Timer later_;
    qo::Timer oneAway_; // the quiet sound, waiting for the marking's to end
};

} // namespace lotto
