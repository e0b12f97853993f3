#include "app/inline_code_game_log.h"

#include <string>

#include "app/inline_code_d9d224.h"
#include "runtime/cp1251.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/edit_control.h"

namespace lotto {

TQOInlineCode_GameLog::~TQOInlineCode_GameLog() {
    if (model_) model_->Unwatch(*this);
}

void TQOInlineCode_GameLog::Choose(qo::TData& d, std::uint16_t) {
    if (menuItem >= 0 && qo::ToInteger(d) == menuItem) qo::FireInteger(show, 1);
}

void TQOInlineCode_GameLog::Attach(qo::Control* form, qo::Control* board, qo::Control* last,
                                   qo::Control* undo, qo::EditControl* log, qo::EditControl* waiting) {
    form_ = form;
    waiting_ = waiting;
    boardControl_ = board;
    last_ = last;
    undo_ = undo;
    undo_->setText(UndoCaption(0));
    log_ = log;
    boardControl_->setOnPaint([this](qo::Canvas& canvas) { Paint(canvas); });
    form_->setOnShow([this] {
        if (behind_) Refresh();
    });
}

void TQOInlineCode_GameLog::Follow(game::Model& model) {
    model_ = &model;
    model.Watch(*this);
}

bool TQOInlineCode_GameLog::showing() const {
    return form_ && form_->visible();
}

void TQOInlineCode_GameLog::GameChanged(std::uint8_t, const game::Ticket*) {
    if (refreshing_) return;
    behind_ = true;
    // A call changes thousands of tickets: each asks for no more than the first one did.
    if (showing() && !later_.active()) later_.start(0, [this] { Refresh(); });
}

void TQOInlineCode_GameLog::Refresh() {
    if (!model_ || !form_) return;
    later_.stop();
    behind_ = false;
    refreshing_ = true;
    RefreshLog();
    RefreshWaiting();
    refreshing_ = false;
}

void TQOInlineCode_GameLog::RefreshLog() {
    Board board;
    board.onTicket = model_->held();
    const std::vector<std::uint8_t>& moves = model_->moves();
    const std::vector<std::uint8_t>& drawn = model_->drawn();
    for (const int n : moves)
        board.called.set(static_cast<std::size_t>(n));
    for (const int n : drawn)
        board.called.set(static_cast<std::size_t>(n));

    made_.clear();
    for (const game::Ticket* ticket : model_->tickets()) {
        // Every call reaches every ticket: any ticket's latest delivery is the game's latest call.
        if (board.last == 0 && !ticket->delivered().empty()) board.last = ticket->delivered().back();
        AddTicketLog(*ticket, made_);
    }
    if (board.last == 0) board.last = !moves.empty() ? moves.back() : !drawn.empty() ? drawn.back() : 0;
    SortLog(made_);
    ShowLog(made_, CallPlaces(moves, drawn));

    if (const int move = moves.empty() ? 0 : moves.back(); move != undoMove_) {
        undoMove_ = move;
        undo_->setText(UndoCaption(move));
    }

    if (!(board == board_)) {
        board_ = board;
        last_->setText(board_.last ? std::to_string(board_.last) : std::string("-"));
        boardControl_->setAccessibleDescription(BoardDescription(board_));
        boardControl_->repaint();
    }
}

void TQOInlineCode_GameLog::RefreshWaiting() {
    for (auto& p : prospects_)
        p = Waiting();
    for (const game::Ticket* t : model_->tickets()) {
        for (const NumberedProspect& p : ReadingOf(*t).prospects)
            prospects_[p.number].Add(p.what);
    }
    std::string waiting;
    for (const int n : WaitingOrder(prospects_))
        waiting += WaitingLine(n, prospects_[static_cast<std::size_t>(n)]);
    if (waiting != waiting_->text()) waiting_->setText(waiting);
}

void TQOInlineCode_GameLog::ShowLog(std::vector<LogEntry>& log, const CallPlaces& places) {
    // Most changes are a call that added lines at the top: only those are written. Anything else
    // (a removal, a reset, a ticket gone) writes the log again.
    const std::size_t added = log.size() >= shown_.size() ? log.size() - shown_.size() : 0;
    bool onTop = log.size() >= shown_.size();
    std::bitset<91> numbers;
    for (std::size_t i = 0; onTop && i < shown_.size(); ++i) {
        onTop = log[added + i].sameAs(shown_[i]);
        numbers.set(shown_[i].number);
    }
    onTop = onTop && places.sameFor(shownPlaces_, numbers);
    std::string text;
    for (std::size_t i = 0; i < (onTop ? added : log.size()); ++i)
        text += LogLine(log[i], places);
    if (onTop) {
        log_->prependText(text);
    } else {
        log_->setText(text);
    }
    std::swap(shown_, log);
    shownPlaces_ = places;
}

std::string TQOInlineCode_GameLog::UndoCaption(int move) {
    const std::string caption = qo::Cp1251("&Отменить ход");
    return move > 0 ? caption + " " + std::to_string(move) : caption;
}

qo::Rect TQOInlineCode_GameLog::Square(int n) {
    const int column = game::ColumnOf(n);
    const int row = n - 10 * column; // 1…9 in the first column, 0…10 in the last
    return {kBoardMargin + column * kSquareWidth, kBoardMargin + row * kSquareHeight, kSquareWidth - 2,
            kSquareHeight - 2};
}

void TQOInlineCode_GameLog::Paint(qo::Canvas& canvas) const {
    // Called numbers as the tickets show them (red), the player's own numbers bold, the last call
    // framed.
    qo::FontDesc plain{"Arial", 9, 0, qo::clGrayText, 1};
    qo::FontDesc own{"Arial", 9, qo::font_style::Bold, qo::clWindowText, 1};
    for (int n = 1; n <= 90; ++n) {
        const qo::Rect r = Square(n);
        const bool called = board_.called[static_cast<std::size_t>(n)];
        const bool mine = board_.onTicket[static_cast<std::size_t>(n)];
        canvas.fillRect(r, called ? TQOInlineCode_D9D224::kRed : qo::clWindow);
        qo::FontDesc font = mine ? own : plain;
        if (called) font.color = qo::clWhite;
        canvas.drawText(r, std::to_string(n), 2, 0, font);
        if (n == board_.last) {
            const int x0 = r.left - 1, y0 = r.top - 1, x1 = r.right(), y1 = r.bottom();
            for (int k = 0; k < 2; ++k)
                canvas.polyline({{x0 - k, y0 - k},
                                 {x1 + k, y0 - k},
                                 {x1 + k, y1 + k},
                                 {x0 - k, y1 + k},
                                 {x0 - k, y0 - k}},
                                qo::clNavy);
        }
    }
}

} // namespace lotto
