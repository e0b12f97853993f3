#include "app/inline_code_d9d224.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/sound_length.h"
#include "app/ticket_file.h"
#include "game/model.h"
#include "runtime/cp1251.h"
#include "runtime/event_scope.h"
#include "runtime/init_man.h"
#include "runtime/random.h"
#include "widgets/layer/change_watch.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/kept_file.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/string_list.h"

namespace lotto {
namespace {

using game::kCells;
using game::kCellsPerCard;
using game::kColumns;
using game::kNumbersPerRow;
using game::kRows;
using game::kRowsPerCard;

constexpr std::int64_t kLargestTicketFile = 1 << 20;
constexpr const char* kFileFilter = "Файлы билетов(*.tkt)|*.tkt|Текст|*.txt|Все файлы|*.*";

std::int32_t RoundedDraw(double scale, double offset) {
    return static_cast<std::int32_t>(qo::RoundHalfEven(scale * qo::Random() + offset));
}

// A number for fill's column m (1…9): 1–9, then whole decades, and 80–90 in the last.
std::int32_t DrawForColumn(int m) {
    if (m == 1) return RoundedDraw(8, 1);
    if (m == 9) return RoundedDraw(10, 80);
    return RoundedDraw(9, 10.0 * (m - 1));
}

// What a cell's text is called as: only a number's own text ("7", never "07" or "7 "), and only
// one of the game's (at most two digits); 0 for anything else. Read on every call for every
// cell, so it makes no string.
std::int32_t CalledValue(const std::string& t) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (t.empty() || t.size() > 2 || !digit(t[0]) || t[0] == '0') return 0;
    if (t.size() == 1) return t[0] - '0';
    return digit(t[1]) ? (t[0] - '0') * 10 + (t[1] - '0') : 0;
}

} // namespace

// Hears the changes to ticket cells that their tickets did not make themselves (a digit typed,
// text pasted, a colour set from outside) and tells the ticket, found by the panel its cells stand
// on. One for all tickets, while there are any.
class CellWatch {
public:
    // Each ticket joins as it is made and leaves as it goes; its cells' panel is told once built.
    static void Join() {
        if (!instance_) instance_ = std::make_unique<CellWatch>();
        ++instance_->users_;
    }
    static void Tell(std::int32_t panel, TQOInlineCode_D9D224* ticket) {
        instance_->tickets_[panel] = ticket;
    }
    static void Leave(std::int32_t panel, const TQOInlineCode_D9D224* ticket) {
        if (auto at = instance_->tickets_.find(panel);
            at != instance_->tickets_.end() && at->second == ticket)
            instance_->tickets_.erase(at);
        if (--instance_->users_ == 0) instance_.reset();
    }
    // While a ticket changes its own cells: it keeps its copy itself, and nothing is looked up.
    struct OwnChange {
        OwnChange() { ++own_; }
        ~OwnChange() { --own_; }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;
    };

    CellWatch() : listener_([this](const qo::Control& c, qo::ContentChange what) { Heard(c, what); }) {}

private:
    void Heard(const qo::Control& changed, qo::ContentChange what) {
        if (own_ > 0 || what == qo::ContentChange::Gone || changed.kind() != qo::ControlKind::Edit) return;
        const qo::Control* panel = changed.parent();
        if (!panel) return;
        if (auto at = tickets_.find(panel->id()); at != tickets_.end())
            at->second->Touched(changed, what == qo::ContentChange::Text, what == qo::ContentChange::Colour);
    }

    static inline std::unique_ptr<CellWatch> instance_;
    static inline int own_ = 0;
    std::unordered_map<std::int32_t, TQOInlineCode_D9D224*> tickets_; // by the cells' panel
    int users_ = 0;
    qo::ChangeListener listener_;
};

TQOInlineCode_D9D224::TQOInlineCode_D9D224() {
    painted_.fill(kWhite);
    CellWatch::Join();
    // The body panel and the notes exist only once the whole ticket is built.
    qo::RegisterStartup<&TQOInlineCode_D9D224::BuildGrid>(*this);
}

TQOInlineCode_D9D224::~TQOInlineCode_D9D224() {
    CellWatch::OwnChange own;
    // The panel outlives this block by a moment; its namer must not call back into it.
    if (qo::Control* parent = qo::Control::FromId(cellParentId_)) parent->setChildAccessibleNames(nullptr);
    for (qo::Control*& c : cells_) {
        if (!c) continue;
        qo::Control* doomed = c;
        c = nullptr;
        doomed->setOnDestroyed(nullptr);
        doomed->destroy();
    }
    CellWatch::Leave(cellParentId_, this);
}

void TQOInlineCode_D9D224::Touched(const qo::Control& changed, bool text, bool colour) {
    const auto at = std::find(cells_.begin(), cells_.end(), &changed);
    if (at == cells_.end()) return; // the entry box stands on the same panel
    const int index = static_cast<int>(at - cells_.begin());
    if (text) {
        const std::string& t = changed.text();
        const std::int32_t n = CalledValue(t);
        game_.SetNumber(index, n, n == 0 && !t.empty());
    }
    if (colour) {
        painted_[static_cast<std::size_t>(index)] = changed.color();
        game_.SetMark(index, MarkOf(changed.color()));
    }
}

game::Mark TQOInlineCode_D9D224::MarkOf(qo::Color c) {
    switch (c) {
    case kWhite:
        return game::Mark::None;
    case kRed:
        return game::Mark::Called;
    case kGreen:
        return game::Mark::Row;
    case kYellow:
        return game::Mark::Card;
    case kLightBlue:
        return game::Mark::Ticket;
    default:
        return game::Mark::Other;
    }
}

void TQOInlineCode_D9D224::JoinGame(game::Model& model) {
    model.Join(game_);
}

void TQOInlineCode_D9D224::BuildGrid() {
    qo::Control* parent = qo::Control::FromId(qo::ReadInteger(panelControl));
    if (!parent) return;
    cellParentId_ = parent->id();
    CellWatch::Tell(cellParentId_, this);
    CellWatch::OwnChange own;
    // One namer on the panel rather than one per cell: a cell keeps no state of its own for it.
    parent->setChildAccessibleNames([this](const qo::Control& child) {
        for (int i = 0; i < kCells; ++i) {
            if (cells_[static_cast<std::size_t>(i)] == &child) return CellName(i);
        }
        return std::string(); // the panel's other controls speak their captions or own names
    });
    const qo::FontDesc font{"Arial", 18, qo::font_style::Bold, qo::clWindowText, 1};
    for (int k = 0; k < 2; ++k) {
        for (int r = 0; r < kRowsPerCard; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const std::size_t index = static_cast<std::size_t>(kCellsPerCard * k + kColumns * r + c);
                qo::EditControl* cell = qo::EditControl::Create(parent, qo::edit_option::Number);
                cell->setStyle(cell->style() | qo::ES_CENTER);
                cell->limitText(2);
                cell->setFont(font);
                cell->setClientEdge(true);
                cell->setColor(kWhite);
                cell->setBounds(5 + 30 * c, 5 + 100 * k + 30 * r, 25, 25);
                cell->setVisible(true);
                // The body panel may take its cells down first (the main window closing).
                cell->setOnDestroyed([this, index] {
                    cells_[index] = nullptr;
                    painted_[index] = kWhite;
                    game_.SetNumber(static_cast<int>(index), 0);
                    game_.SetMark(static_cast<int>(index), game::Mark::None);
                });
                cells_[index] = cell;
            }
        }
    }
}

void TQOInlineCode_D9D224::PlaceNumber(std::int32_t n) {
    const int index = game_.NextPlace(n);
    if (index < 0) return;
    if (qo::Control* c = cell(index)) {
        CellWatch::OwnChange own;
        c->setText(qo::IntegerToText(n));
        game_.SetNumber(index, n);
    }
}

void TQOInlineCode_D9D224::Place(qo::TData& d, std::uint16_t) {
    PlaceNumber(qo::ToInteger(d));
}

void TQOInlineCode_D9D224::ClearNumbers() {
    CellWatch::OwnChange own;
    for (qo::Control* c : cells_) {
        if (c && !c->text().empty()) c->setText({});
    }
    game_.ClearNumbers();
}

void TQOInlineCode_D9D224::WhitenCells() {
    game_.Whiten();
    Show();
}

void TQOInlineCode_D9D224::Colour(int index, qo::Color colour) {
    qo::Control* cell = cells_[static_cast<std::size_t>(index)];
    if (!cell || painted_[static_cast<std::size_t>(index)] == colour) return;
    CellWatch::OwnChange own;
    cell->setColor(colour);
    painted_[static_cast<std::size_t>(index)] = colour;
    cell->refreshAccessibleName(); // a colour is all a sighted player sees of a called number
}

void TQOInlineCode_D9D224::Show() {
    // Run for every ticket a call changes: most cells show their mark already.
    const game::Marks& marks = game_.marks();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        // A colour set from outside stays as it was set.
        if (const game::Mark m = marks[i]; m != game::Mark::Other && painted_[i] != ColourOf(m))
            Colour(static_cast<int>(i), ColourOf(m));
    }
}

void TQOInlineCode_D9D224::SetTicketNumber(int number) {
    if (number == game_.ticketNumber()) return;
    game_.SetTicketNumber(number);
    for (qo::Control* c : cells_) {
        if (c) c->refreshAccessibleName();
    }
}

std::string TQOInlineCode_D9D224::CellName(int index) const {
    const int card = index / kCellsPerCard;
    const int row = index % kCellsPerCard / kColumns;
    const int column = index % kColumns;
    std::string where =
        ticketNumber() > 0 ? "Билет " + std::to_string(ticketNumber()) + ", карточка " : "Карточка ";
    where += std::to_string(card + 1) + ", ряд " + std::to_string(row + 1) + ", столбец " +
             std::to_string(column + 1);
    std::string name = qo::Cp1251(where);
    const qo::Control* c = cells_[static_cast<std::size_t>(index)];
    if (!c) return name;
    name += c->text().empty() ? qo::Cp1251(", пусто") : qo::Cp1251(", число ") + c->text();
    switch (game_.marks()[static_cast<std::size_t>(index)]) {
    case game::Mark::Called:
        name += qo::Cp1251(", выпало");
        break;
    case game::Mark::Row:
        name += qo::Cp1251(", ряд собран");
        break;
    case game::Mark::Card:
        name += qo::Cp1251(", карточка собрана");
        break;
    case game::Mark::Ticket:
        name += qo::Cp1251(", билет собран");
        break;
    default:
        break;
    }
    // A hint on the cell is said after what it shows.
    if (const std::string hint = c->toolTip(); !hint.empty()) name += ", " + hint;
    return name;
}

void TQOInlineCode_D9D224::PutBack(const std::array<std::string, kCells>& texts,
                                   const std::array<qo::Color, kCells>& colours, std::int32_t fillPosition,
                                   const std::string& notes, const std::vector<std::uint8_t>& delivered) {
    qo::FireString(notesOut, notes);
    game::Numbers numbers{};
    game::Cells unreadable;
    game::Marks marks{};
    {
        CellWatch::OwnChange own;
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (!cells_[i]) continue;
            cells_[i]->setText(texts[i]);
            numbers[i] = CalledValue(texts[i]);
            unreadable.set(i, numbers[i] == 0 && !texts[i].empty());
        }
    }
    for (int i = 0; i < kCells; ++i) {
        const auto at = static_cast<std::size_t>(i);
        Colour(i, colours[at]);
        marks[at] = cells_[at] ? MarkOf(colours[at]) : game::Mark::None;
    }
    game_.PutBack(numbers, unreadable, marks, fillPosition, delivered);
}

void TQOInlineCode_D9D224::ResetNumbers(qo::TData&, std::uint16_t) {
    ClearNumbers();
}

void TQOInlineCode_D9D224::ResetColours(qo::TData&, std::uint16_t) {
    WhitenCells();
}

void TQOInlineCode_D9D224::Fill(qo::TData&, std::uint16_t) {
    ClearNumbers();
    WhitenCells();
    bool usedNumber[91] = {};
    for (int row = 0; row < kRows; ++row) {
        bool usedColumn[10] = {};
        for (int i = 0; i < kNumbersPerRow; ++i) {
            int m;
            do {
                m = RoundedDraw(8, 1);
            } while (usedColumn[m]);
            usedColumn[m] = true;
            std::int32_t n;
            do {
                n = DrawForColumn(m);
            } while (usedNumber[n]);
            usedNumber[n] = true;
            // The fill position was reset, so the five numbers of this pass land in this row.
            PlaceNumber(n);
        }
    }
}

void TQOInlineCode_D9D224::Sound(const Completions& done) {
    for (int row = 0; row < kRows; ++row) {
        if (done.rows & (1u << row)) PlaySound(1);
    }
    for (int card = 0; card < game::kCards; ++card) {
        if (done.cards & (1u << card)) PlaySound(2);
    }
    if (done.ticket) PlaySound(3);
}

void TQOInlineCode_D9D224::Check(qo::TData& d, std::uint16_t) {
    // NOTE: the cells are in the game as typed, so a number typed before it was called is one the
    // call saw.
    const std::uint64_t before = game_.version();
    const Completions done = game_.Call(qo::ToInteger(d));
    // Most tickets do not hold the number: nothing to show there.
    if (game_.version() != before) Show();
    Sound(done);
}

bool TQOInlineCode_D9D224::CatchUp(const std::vector<int>& called) {
    Completions newly;
    if (!game_.CatchUp(called, newly)) return false;
    Show();
    Sound(newly);
    return true;
}

void TQOInlineCode_D9D224::TakeBackInput(qo::TData& d, std::uint16_t) {
    TakeBack(qo::ToInteger(d));
}

void TQOInlineCode_D9D224::TakeBack(std::int32_t n) {
    if (game_.TakeBack(n)) Show();
}

namespace {

using SoundClock = std::chrono::steady_clock;
SoundClock::time_point markingSoundEnds;

// The length of a sound file, read once per file.
std::int64_t SoundLengthMs(const std::string& path) {
    static std::unordered_map<std::string, std::int64_t> known;
    if (const auto at = known.find(path); at != known.end()) return at->second;
    std::string bytes;
    constexpr std::int64_t kLargest = 64 << 20;
    const std::int64_t ms = qo::ReadKeptFile(path, bytes, kLargest, nullptr) ? WaveLengthMs(bytes) : 0;
    known.emplace(path, ms);
    return ms;
}

// Where "ЗвукN.wav" is: beside the program first (a copy run from its own folder, as on Windows,
// or the build), else where an installed program keeps its files; empty when it is nowhere.
// Looked for once an event: one call may complete rows on a thousand tickets.
const std::string& SoundPath(int which) {
    struct Found {
        unsigned event = 0;
        std::string path;
    };
    static Found found[5];
    Found& f = found[std::clamp(which, 0, 4)];
    const unsigned event = qo::EventScope::Serial();
    if (event != 0 && f.event == event) return f.path;
    f.event = event;
    f.path.clear();
    const std::string name = "Звук" + std::to_string(which) + ".wav";
    for (const std::string& folder : {qo::ProgramFolder(), qo::InstalledDataFolder()}) {
        if (!folder.empty() && qo::FileExists(folder + name)) {
            f.path = folder + name;
            break;
        }
    }
    return f.path;
}

} // namespace

void TQOInlineCode_D9D224::PlaySound(int which) {
    // A missing sound is no reason to bother the player.
    const std::string& path = SoundPath(which);
    if (path.empty()) return;
    qo::PlaySoundFile(path);
    if (which <= 3) markingSoundEnds = SoundClock::now() + std::chrono::milliseconds(SoundLengthMs(path));
}

std::int64_t TQOInlineCode_D9D224::MarkingSoundLeftMs() {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(markingSoundEnds - SoundClock::now());
    return std::max<std::int64_t>(0, left.count());
}

qo::Control* TQOInlineCode_D9D224::cellPanel() const {
    return qo::Control::FromId(cellParentId_);
}

qo::Control* TQOInlineCode_D9D224::OwnerForm() const {
    // The window the ticket stands in: the main window.
    if (qo::Control* parent = qo::Control::FromId(cellParentId_)) return parent->form();
    return qo::OwnerControl();
}

namespace {

qo::FileDialog TicketDialog(bool save, qo::Control* owner) {
    qo::FileDialog dialog;
    dialog.save = save;
    dialog.title = qo::Cp1251(save ? "Сохранение" : "Открытие");
    dialog.filter = qo::Cp1251(kFileFilter);
    dialog.options = qo::OFN_DEFAULT;
    dialog.owner = owner;
    return dialog;
}

void Tell(qo::Control* owner, const std::string& what, const std::string& pathUtf8, const std::string& why,
          const char* captionUtf8) {
    std::string text = what + "\r\n\r\n" + qo::Utf8ToCp1251(pathUtf8);
    if (!why.empty()) text += "\r\n" + qo::Utf8ToCp1251(why);
    qo::ShowMessageBox(owner, text, qo::Cp1251(captionUtf8), qo::MB_OK | qo::MB_ICONEXCLAMATION);
}

} // namespace

void TQOInlineCode_D9D224::Save(qo::TData&, std::uint16_t) {
    qo::Control* owner = OwnerForm();
    qo::FileDialog dialog = TicketDialog(true, owner);
    if (!dialog.execute()) return;

    std::vector<std::string> texts;
    texts.reserve(kCells);
    for (const qo::Control* c : cells_)
        texts.push_back(c ? c->text() : std::string());
    qo::StringList lines;
    lines.setText(TicketFileText(texts, qo::ReadString(notesText)));

    // The string list writes aside and replaces the file only when everything is written, so a
    // failure leaves an older file as it was; the player must hear that the ticket is not saved.
    std::string error;
    if (!lines.saveToFile(dialog.fileName, &error)) {
        Tell(owner, qo::Cp1251("Билет не сохранён."), dialog.fileName, error, "Сохранение");
    }
}

void TQOInlineCode_D9D224::Open(qo::TData&, std::uint16_t) {
    qo::Control* owner = OwnerForm();
    qo::FileDialog dialog = TicketDialog(false, owner);
    if (!dialog.execute()) return;
    TicketFileContent content;
    if (ReadTicketFile(dialog.fileName, owner, content)) PutTicketFile(content);
}

bool TQOInlineCode_D9D224::ReadTicketFile(const std::string& pathUtf8, qo::Control* owner,
                                          TicketFileContent& content) {
    qo::StringList lines;
    std::string error;
    // A ticket file is a numbers line and some notes; anything far larger is no ticket, and
    // putting megabytes into the notes would freeze the window.
    if (!lines.loadFromFile(pathUtf8, &error, kLargestTicketFile)) {
        Tell(owner, qo::Cp1251("Файл не прочитан, билет остался прежним."), pathUtf8, error, "Открытие");
        return false;
    }
    if (!ParseTicketFile(lines, content)) {
        Tell(owner, qo::Cp1251("Файл пуст, билет остался прежним."), pathUtf8, {}, "Открытие");
        return false;
    }
    return true;
}

void TQOInlineCode_D9D224::PutTicketFile(const TicketFileContent& content) {
    // NOTE: the notes first, then the grid: the order the file format has always been read in.
    qo::FireString(notesOut, content.notes);
    ClearNumbers();
    WhitenCells();
    for (const std::string& token : NumberTokens(content.numbers)) {
        qo::TData t;
        qo::MakeString(t, token);
        PlaceNumber(qo::ToInteger(t));
    }
}

} // namespace lotto
