#pragma once
// A ticket's logic: its 54 number cells (two cards of three rows by nine columns), placing numbers
// row by row into their decade columns, marking called numbers with the row / card / ticket colours
// and sounds, random fill, and the ticket file. The buttons, questions and notes are the body
// scheme's; this block only acts when told.
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/link.h"
#include "widgets/layer/colors.h"

namespace qo {
class Control;
}

namespace lotto {

struct TicketFileContent;

class TQOInlineCode_D9D224 {
public:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 6; // three per card
    static constexpr int kCells = kColumns * kRows;

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
        return cells_[static_cast<std::size_t>(row * kColumns + column)];
    }
    qo::Control* cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }
    std::int32_t fillPosition() const { return fillPosition_; }

    // Puts back a kept ticket's cells exactly: texts, colours (without sounds), the entry box's
    // place and the notes.
    void PutBack(const std::array<std::string, kCells>& texts, const std::array<qo::Color, kCells>& colours,
                 std::int32_t fillPosition, const std::string& notes,
                 const std::vector<std::uint8_t>& delivered);

    // The numbers called on this ticket since its cells were last made white, in order.
    const std::vector<std::uint8_t>& delivered() const { return delivered_; }
    // Takes the latest delivery of `n` back, without sounds: a cell that shows what the delivery did
    // shows what the rest, marked from white in order, make of it; a cell whose colour came
    // otherwise (its numbers reset or typed since) keeps it. A number never delivered changes nothing.
    void TakeBack(std::int32_t n);

    // The marking rule on plain values: a called number turns the white cells holding it red; a row
    // of exactly five red turns green, a card all green yellow, a ticket all yellow light blue.
    using Numbers = std::array<std::int32_t, kCells>; // 0 where a cell holds no number
    using Colours = std::array<qo::Color, kCells>;
    struct Completions {
        std::uint8_t rows = 0;  // a bit for each row completed by this number
        std::uint8_t cards = 0; // a bit for each card
        bool ticket = false;
    };
    static Completions Mark(const Numbers& numbers, Colours& colours, std::int32_t n);

    // What the deliveries since the ticket was last white completed, oldest first: the delivery's
    // place in `delivered()` and what it made. Kept with the deliveries, so a take-back or a kept
    // game brings it up to date with them.
    struct Completed {
        std::uint32_t delivery = 0;
        Completions what;
    };
    const std::vector<Completed>& completed() const { return completed_; }
    // The cells as the marking rule reads them: each one's number of the game (0 for none) and
    // colour. Kept beside the cells and read from them again only after a change this block did
    // not make itself (a digit typed, a colour set from outside), so a call reads no cell.
    const Numbers& numbers() const;
    const Colours& colours() const;
    // The numbers of the game its cells hold.
    const std::bitset<91>& holds() const;
    // The cells holding a text that is no number of the game as written ("0", "07"): no call ever
    // marks them.
    const std::bitset<kCells>& unreadable() const;
    // Marks what the calls in `called` (in the order they came) would have marked had the ticket
    // held its numbers all along: a ticket made, or numbers typed, after they were called. Each
    // completion it makes sounds as a call's does; the numbers no delivery brought count as
    // delivered before the ticket's own, so the log and a take-back treat them as the calls they
    // were. False when nothing changed.
    bool CatchUp(const std::vector<int>& called);
    void AddNumbersTo(std::bitset<91>& on) const { on |= holds(); }
    // Grow with every change of the cells: `version` with a text or a colour, `numbersVersion` with
    // a text; no two tickets ever show the same version. Views that work something out from the
    // cells do it again only when these moved.
    std::uint64_t version() const { return version_; }
    std::uint64_t numbersVersion() const { return numbersVersion_; }
    // What another block works out from the cells, kept with the ticket so it goes with it; the
    // block checks `version` before trusting it.
    struct Reading {
        virtual ~Reading() = default;
        std::uint64_t version = 0;
    };
    Reading* reading() const { return reading_.get(); }
    void keepReading(std::unique_ptr<Reading> reading) const { reading_ = std::move(reading); }

    // The column a number 1…90 belongs to: its decade, with 90 joining the 80s.
    static int ColumnOf(std::int32_t number) { return number >= 90 ? 8 : number / 10; }

    // The ticket's place in the list, from 1; its cells' spoken names begin with it. 0: not yet
    // listed, and the names say only card, row and column.
    void SetTicketNumber(int number);
    int ticketNumber() const { return ticketNumber_; }
    // What a screen reader says for a cell: where it is, the number it holds, what its colour means,
    // and the hint its tip gives.
    // The cells' panel asks it; the layer asks again when a cell's text changes.
    std::string CellName(int index) const; // Windows-1251
    // The panel the cells stand on; null before the grid is built or once it has gone.
    qo::Control* cellPanel() const;
    // Whether `c` is an edit standing on some ticket's cell panel: what views following the
    // tickets' cells listen for.
    static bool IsOnCellPanel(const qo::Control& c);
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
    void Show(const Colours& colours);
    qo::Control* OwnerForm() const;
    void ReadCells() const;
    friend class CellWatch;
    // A cell changed by someone else: read the cells again before the next use.
    void Touched(bool text, bool colour);

    void Replay(Colours& colours); // from white, silently

    // What every call and every view looks at first, together.
    std::uint64_t version_ = 0, numbersVersion_ = 0;
    mutable std::unique_ptr<Reading> reading_;
    int ticketNumber_ = 0;
    mutable bool unread_ = false;
    // The colours are what the marking rule made of them, so a number no cell holds changes nothing.
    // Colours put back from a kept game, or set from outside, are marked through once more.
    bool settled_ = true;
    mutable std::bitset<91> holds_;
    mutable std::bitset<kCells> unreadable_;
    std::vector<std::uint8_t> delivered_;
    // For each cell, how many deliveries had come when its number last changed: the deliveries
    // before that did not see the number it holds now.
    mutable std::array<std::uint32_t, kCells> changedAt_{};

    // What the cells hold, as last read or set here; see numbers().
    mutable Numbers numbers_{};
    mutable Colours colours_{};
    std::array<qo::Control*, kCells> cells_{};
    std::int32_t cellParentId_ = 0; // the body panel, looked up: it may go before this block
    std::int32_t fillPosition_ = -1;
    std::vector<Completed> completed_;
};

} // namespace lotto
