#pragma once
// A ticket's logic: its 54 number cells (two cards of three rows by nine columns), placing numbers
// row by row into their decade columns, marking called numbers with the row / card / ticket colours
// and sounds, random fill, and the ticket file. What the cells hold and what each call did is
// recorded in the ticket's part of the game model as it is done; this block shows it on the cells.
// The buttons, questions and notes are the body scheme's; this block only acts when told.
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/ticket.h"
#include "runtime/link.h"
#include "widgets/layer/colors.h"

namespace qo {
class Control;
}

namespace lotto {

namespace game {
class Model;
}
struct TicketFileContent;

class TQOInlineCode_D9D224 {
public:
    // Cell colours, 0x00BBGGRR.
    static constexpr qo::Color kWhite = 0xFFFFFF;
    static constexpr qo::Color kRed = 0x0000FF;       // a called number
    static constexpr qo::Color kGreen = 0x00FF00;     // its row is complete
    static constexpr qo::Color kYellow = 0x00FFFF;    // its card is complete
    static constexpr qo::Color kLightBlue = 0xF0CAA6; // the whole ticket is complete

    TQOInlineCode_D9D224(); // registers the grid building in the start-up list
    ~TQOInlineCode_D9D224();
    TQOInlineCode_D9D224(const TQOInlineCode_D9D224&) = delete;
    TQOInlineCode_D9D224& operator=(const TQOInlineCode_D9D224&) = delete;

    qo::TEventLink panelControl; // data: the body panel's control, as an integer
    qo::TEventLink notesText;    // data: the notes as the memo shows them, each line + CR LF
    qo::TEventLink notesOut;     // replaces the notes' whole text

    // Inputs. The point index is not used.
    void Place(qo::TData& d, std::uint16_t index);
    void Check(qo::TData& d, std::uint16_t index);
    void ResetNumbers(qo::TData& d, std::uint16_t index);
    void ResetColours(qo::TData& d, std::uint16_t index);
    void Fill(qo::TData& d, std::uint16_t index);
    void Save(qo::TData& d, std::uint16_t index);
    void Open(qo::TData& d, std::uint16_t index);
    void TakeBackInput(qo::TData& d, std::uint16_t index); // TakeBack of the number given

    // "Открыть..." once a file is chosen, in two halves, so a file the program was started with
    // is read, checked and told about exactly as one chosen in the dialog. Reading: the file's
    // content, or false with the player told why (over `owner`) and nothing changed.
    static bool ReadTicketFile(const std::string& pathUtf8, qo::Control* owner, TicketFileContent& content);
    // Placing: the notes, then the numbers in file order, every cell white.
    void PutTicketFile(const TicketFileContent& content);

    // The cell at ticket row R (0…5), column c (0…8); null before the grid is built or after the
    // body panel has gone.
    qo::Control* cell(int row, int column) const {
        return cells_[static_cast<std::size_t>(game::CellAt(row, column))];
    }
    qo::Control* cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }
    std::int32_t fillPosition() const { return game_.fillPosition(); }

    // The ticket's part of the game: what its cells hold and what each call did.
    const game::Ticket& game() const { return game_; }
    game::Ticket& game() { return game_; }
    // Records into the program's model from now on, as its last ticket.
    void JoinGame(game::Model& model);

    // Puts back a kept ticket's cells exactly: texts, colours (without sounds), the entry box's
    // place and the notes.
    void PutBack(const std::array<std::string, game::kCells>& texts,
                 const std::array<qo::Color, game::kCells>& colours, std::int32_t fillPosition,
                 const std::string& notes, const std::vector<std::uint8_t>& delivered);

    // The numbers called on this ticket since its cells were last made white, in order.
    const std::vector<std::uint8_t>& delivered() const { return game_.delivered(); }
    // Takes the latest delivery of `n` back, without sounds (game::Ticket::TakeBack), and shows it.
    void TakeBack(std::int32_t n);

    using Numbers = game::Numbers;
    using Colours = std::array<qo::Color, game::kCells>;
    using Completions = game::Completions;
    using Completed = game::Completed;
    const std::vector<Completed>& completed() const { return game_.completed(); }
    // The cells as the marking rule reads them; the colours as the cells show them.
    const Numbers& numbers() const { return game_.numbers(); }
    const Colours& colours() const { return painted_; }
    const std::bitset<91>& holds() const { return game_.holds(); }
    const std::bitset<game::kCells>& unreadable() const { return game_.unreadable(); }
    // What a cell's colour means as a mark: Other for a colour the rule never gives.
    static game::Mark MarkOf(qo::Color colour);
    static constexpr qo::Color ColourOf(game::Mark mark) {
        constexpr qo::Color kOf[] = {kWhite, kRed, kGreen, kYellow, kLightBlue, kWhite};
        return kOf[static_cast<std::size_t>(mark)];
    }
    // Marks what the calls in `called` (in the order they came) would have marked had the ticket
    // held its numbers all along: a ticket made, or numbers typed, after they were called. Each
    // completion it makes sounds as a call's does; the numbers no delivery brought count as
    // delivered before the ticket's own, so the log and a take-back treat them as the calls they
    // were. False when nothing changed.
    bool CatchUp(const std::vector<int>& called);
    void AddNumbersTo(std::bitset<91>& on) const { on |= holds(); }
    // Grow with every change of the cells (game::Ticket::version).
    std::uint64_t version() const { return game_.version(); }
    std::uint64_t numbersVersion() const { return game_.numbersVersion(); }

    // The ticket's place in the list, from 1; its cells' spoken names begin with it. 0: not yet
    // listed, and the names say only card, row and column.
    void SetTicketNumber(int number);
    int ticketNumber() const { return game_.ticketNumber(); }
    // What a screen reader says for a cell: where it is, the number it holds, what its colour means,
    // and the hint its tip gives.
    // The cells' panel asks it; the layer asks again when a cell's text changes.
    std::string CellName(int index) const; // Windows-1251
    // The panel the cells stand on; null before the grid is built or once it has gone.
    qo::Control* cellPanel() const;
    // Plays "ЗвукN.wav": 1 a row, 2 a card, 3 the whole ticket, 4 a ticket one number away.
    static void PlaySound(int which);
    // How much longer the last of sounds 1 to 3 plays, in milliseconds; 0 once it has ended.
    static std::int64_t MarkingSoundLeftMs();

private:
    void BuildGrid();
    void PlaceNumber(std::int32_t n);
    void ClearNumbers();
    void WhitenCells();
    void Colour(int index, qo::Color colour);
    void Show(); // the marks of the game, as colours
    void Sound(const Completions& done);
    qo::Control* OwnerForm() const;
    friend class CellWatch;
    // A cell changed by someone else: what it holds now goes into the game.
    void Touched(const qo::Control& cell, bool text, bool colour);

    game::Ticket game_;
    // The colours the cells were last given or found with, so a call repaints only what it changed.
    Colours painted_{};
    std::array<qo::Control*, game::kCells> cells_{};
    std::int32_t cellParentId_ = 0; // the body panel, looked up: it may go before this block
};

} // namespace lotto
