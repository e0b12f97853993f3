#pragma once
// The "Ход игры" window's code: the 1–90 board, the last number, the completions log and the "Жду"
// list of what each number would do, brought up
// to date a moment after anything in the game changes (a call, a removal, a draw, a ticket typed,
// filled, reset, added or deleted), as the game model tells. What is shown is made by game_log.h
// from the model each time; the window's layout is its scheme's. While the window is hidden nothing is
// made: it catches up when shown.
#include <cstdint>
#include <vector>

#include "app/assistant.h"
#include "app/game_log.h"
#include "game/model.h"
#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/layer/timer.h"

namespace qo {
class Canvas;
class EditControl;
class TQOMultiElement;
} // namespace qo

namespace lotto {

class TQOInlineCode_GameLog final : game::Model::Observer {
public:
    // The board's squares, for the scheme's layout and for tests that click or look.
    static constexpr int kSquareWidth = 28, kSquareHeight = 19, kBoardMargin = 4;
    static constexpr int kBoardWidth = 2 * kBoardMargin + 9 * kSquareWidth;
    static constexpr int kBoardHeight = 2 * kBoardMargin + 11 * kSquareHeight;

    TQOInlineCode_GameLog() = default;
    ~TQOInlineCode_GameLog();
    TQOInlineCode_GameLog(const TQOInlineCode_GameLog&) = delete;
    TQOInlineCode_GameLog& operator=(const TQOInlineCode_GameLog&) = delete;

    int menuItem = -1;   // the number of the menu item "Ход игры"
    qo::TEventLink show; // the window is to be shown (data 1)

    void Choose(qo::TData& d, std::uint16_t index); // a menu item's number

    // Set by the scheme once its controls are made: the window, the board's panel, the last
    // number's label, the take-back button, the log's memo and the "Жду" list's.
    void Attach(qo::Control* form, qo::Control* board, qo::Control* last, qo::Control* undo,
                qo::EditControl* log, qo::EditControl* waiting);
    // The take-back button's caption: it names the move it takes back, which need not be the last
    // number shown (a draw, or a number called again, is no new move). Windows-1251.
    static std::string UndoCaption(int move);
    // The game model the log is made from, borrowed for the block's lifetime.
    void Follow(game::Model& model);

    // Brings everything shown up to date now: what the loop does a moment after a change. In two
    // halves, for the benchmarks: the board, the last number and the log; the "Жду" list.
    void Refresh();
    void RefreshLog();
    void RefreshWaiting();
    const Board& board() const { return board_; }
    const std::vector<LogEntry>& log() const { return shown_; } // newest first
    const Prospects& prospects() const { return prospects_; }   // what each number would do
    // Where number n's square stands on the board, in the board's coordinates.
    static qo::Rect Square(int n);

private:
    void GameChanged(std::uint8_t what, const game::Ticket* ticket) override;
    void Paint(qo::Canvas& canvas) const;
    void ShowLog(std::vector<LogEntry>& log, const CallPlaces& places);
    bool showing() const;

    game::Model* model_ = nullptr;
    qo::Control* form_ = nullptr;
    qo::Control* boardControl_ = nullptr;
    qo::Control* last_ = nullptr;
    qo::Control* undo_ = nullptr;
    int undoMove_ = 0; // the move the button names; 0 for none
    qo::EditControl* log_ = nullptr;
    qo::EditControl* waiting_ = nullptr;

    Board board_;
    std::vector<LogEntry> shown_, made_; // the log shown, and the storage the next one is made in
    CallPlaces shownPlaces_;
    Prospects prospects_;
    bool behind_ = true;      // something changed while the window was hidden
    bool refreshing_ = false; // the window's own controls change: nothing to hear
    qo::Timer later_;
};

} // namespace lotto
