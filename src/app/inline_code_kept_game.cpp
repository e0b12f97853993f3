#include "app/inline_code_kept_game.h"

#include <algorithm>
#include <iterator>

#include "app/class_child_form_da7248.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/inline_code_d9d224.h"
#include "app/kept_notes.h"
#include "containers/edit_multi.h"
#include "containers/edit_multi_ex.h"
#include "containers/multi_element.h"
#include "containers/multi_element_ex.h"
#include "game/ticket.h"
#include "runtime/cp1251.h"
#include "runtime/init_man.h"
#include "widgets/layer/change_watch.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/kept_file.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace lotto {
namespace {

constexpr const char* kCaption = "Прошлая игра";

bool Asked(const std::string& questionCp1251) {
    return qo::ShowMessageBox(qo::OwnerControl(), questionCp1251, qo::Cp1251("Подтверждение"),
                              qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2) == qo::IDYES;
}

// In the style of the ticket file's messages: what happened, then the file, then why.
void Tell(const std::string& whatCp1251, const std::string& pathUtf8, const std::string& whyUtf8,
          const char* captionUtf8) {
    std::string text = whatCp1251;
    if (!pathUtf8.empty()) text += "\r\n\r\n" + qo::Utf8ToCp1251(pathUtf8);
    if (!whyUtf8.empty()) text += "\r\n" + qo::Utf8ToCp1251(whyUtf8);
    qo::ShowMessageBox(qo::OwnerControl(), text, qo::Cp1251(captionUtf8), qo::MB_OK | qo::MB_ICONEXCLAMATION);
}

bool ReadFile(const std::string& path, KeptGameSnapshot& game, KeptGameReading& reading, std::string& error) {
    std::string bytes;
    if (!qo::ReadKeptFile(path, bytes, TQOInlineCode_KeptGame::kLargestFile, &error)) return false;
    reading = ReadKeptGame(bytes, game);
    return true;
}

// Thousands of tickets lie scattered in memory, and after a call on all of them the caches hold
// their cells rather than their numbers: asking for a ticket a few places ahead keeps several
// reads under way at once instead of waiting for each in turn.
constexpr std::size_t kAhead = 8;

void Prefetch(const game::Ticket& t) {
    const auto* numbers = reinterpret_cast<const char*>(t.numbers().data());
    for (std::size_t at = 0; at < sizeof(game::Numbers); at += 64)
        __builtin_prefetch(numbers + at);
    __builtin_prefetch(t.marks().data());
    __builtin_prefetch(&t.delivered());
}

} // namespace

TQOInlineCode_KeptGame::TQOInlineCode_KeptGame(qo::TQOMultiElement& ticketList,
                                               qo::TQOMultiElement& gameWindow)
    : ticketList_(ticketList), gameWindow_(gameWindow) {
    // The tickets and the game window are built by the time the start-up list runs.
    qo::RegisterStartup<&TQOInlineCode_KeptGame::Begin>(*this);
}

TQOInlineCode_KeptGame::~TQOInlineCode_KeptGame() {
    qo::StopWatchingChanges();
}

TClassChildScrollBox_D80098& TQOInlineCode_KeptGame::list() const {
    return TClassChildScrollBox_D80098::Of(ticketList_);
}

TClassChildForm_DA7248& TQOInlineCode_KeptGame::window() const {
    return TClassChildForm_DA7248::Of(gameWindow_);
}

void TQOInlineCode_KeptGame::Begin() {
    // With no data folder, or with another program keeping the game there, nothing is kept and the
    // program works as it always did; the start still ends with `started`.
    const std::string folder = keeping ? qo::DataFolder() : std::string();
    if (!folder.empty()) {
        path_ = folder + kFileName;
        ReadLastGame();
        // What stands at start (an empty list) is no reason to replace the last game on disk.
        written_ = std::make_shared<const KeptGameSnapshot>(Snapshot());
    }
    start_.start(0, [this] { AfterShow(); });
}

void TQOInlineCode_KeptGame::ReadLastGame() {
    if (!qo::PathExists(path_)) {
        // A crash between keeping the backup and the new file's rename leaves the backup alone.
        KeptGameReading reading;
        std::string error;
        if (ReadFile(path_ + ".1", last_, reading, error) &&
            reading.outcome != KeptGameReading::Outcome::Read)
            last_ = KeptGameSnapshot{};
        return;
    }
    KeptGameSnapshot game;
    KeptGameReading reading;
    std::string error;
    const bool readable = ReadFile(path_, game, reading, error);
    if (readable && reading.outcome == KeptGameReading::Outcome::Read) {
        last_ = std::move(game);
        fileGood_ = true;
        return;
    }

    // Kept beside before anything can be written over it; the player hears of it at the first turn.
    const std::string bad = path_ + ".bad";
    const bool copied = qo::CopyKeptFile(path_, bad);
    const std::string where = copied ? qo::Cp1251("\r\n\r\nФайл оставлен рядом:\r\n") + qo::Utf8ToCp1251(bad)
                                     : qo::Cp1251("\r\n\r\nКопию файла сохранить не удалось.");
    KeptGameSnapshot backup;
    KeptGameReading backupReading;
    std::string backupError;
    const bool backupGood = ReadFile(path_ + ".1", backup, backupReading, backupError) &&
                            backupReading.outcome == KeptGameReading::Outcome::Read;
    if (!readable) {
        problem_ = qo::Cp1251("Файл прошлой игры не прочитан: ") + qo::Utf8ToCp1251(error) + ".";
    } else if (reading.outcome == KeptGameReading::Outcome::Newer) {
        problem_ =
            qo::Cp1251("Прошлая игра записана более новой версией программы; эта версия её не читает.");
    } else if (reading.outcome == KeptGameReading::Outcome::NotOurs) {
        problem_ = qo::Cp1251("Файл прошлой игры не похож на записанную игру и не прочитан.");
    } else if (!backupGood) {
        std::string what = "Файл прошлой игры повреждён; прочитано то, что удалось";
        if (reading.badLines > 0) what += " (не прочитано строк: " + std::to_string(reading.badLines) + ")";
        if (reading.truncated) what += ", а файл оборван или изменён";
        problem_ = qo::Cp1251(what + ".");
        last_ = std::move(game);
    }
    if (backupGood) {
        last_ = std::move(backup);
        problem_ = (problem_.empty() ? qo::Cp1251("Файл прошлой игры повреждён.") : problem_) +
                   qo::Cp1251(" Взята его предыдущая копия.");
    }
    problem_ += where;
}

void TQOInlineCode_KeptGame::AfterShow() {
    if (!path_.empty()) {
        Watch();
        Offer();
    }
    // NOTE: after the offer, whose yes replaces every ticket in the list.
    qo::FireNull(started);
}

void TQOInlineCode_KeptGame::Offer() {
    if (!problem_.empty()) {
        Tell(problem_, {}, {}, kCaption);
        problem_.clear();
    }
    if (last_.endedByClosing || last_.tickets.empty()) return;
    const std::string question =
        "Прошлый раз программа завершилась, не закрыв окно (сбой или отключение питания). "
        "Вернуть билеты той игры (" +
        std::to_string(last_.tickets.size()) + ")?";
    if (Asked(qo::Cp1251(question))) PutBack(last_);
}

void TQOInlineCode_KeptGame::Watch() {
    if (closed_) return;
    qo::WatchNextChange([this] { gather_.start(delayMs, [this] { WriteLater(); }); });
}

KeptGameSnapshot TQOInlineCode_KeptGame::Snapshot() const {
    KeptGameSnapshot game;
    SnapshotInto(game);
    return game;
}

void TQOInlineCode_KeptGame::SnapshotInto(KeptGameSnapshot& game) const {
    constexpr std::size_t kCells = game::kCells;
    game.Clear();
    if (!notes_) notes_ = std::make_unique<KeptNotes>(list());
    const std::vector<std::string>& notes = notes_->notes();
    const auto& listed = list().listed();
    game.tickets.reserve(listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i + kAhead < listed.size()) Prefetch(listed[i + kAhead].logic->game());
        if (i + kAhead / 2 < listed.size())
            __builtin_prefetch(listed[i + kAhead / 2].logic->game().delivered().data());
        const TQOInlineCode_D9D224& logic = *listed[i].logic;
        const game::Ticket& t = logic.game();
        KeptGameSnapshot::Ticket& kept = game.AddTicket(t.fillPosition());
        // Until the grid is built the ticket shows no cells, and keeps none.
        if (logic.cell(0)) {
            // Made in a local: a store through a byte could be any byte, and would make the
            // compiler read the ticket again at every cell.
            const game::Numbers& numbers = t.numbers();
            std::array<std::uint8_t, kCells> plain;
            // In whole blocks of sixteen first, which the compiler does sixteen at a time.
            constexpr std::size_t kBlocks = kCells / 16 * 16;
            std::uint32_t largest = 0;
            for (std::size_t c = 0; c < kBlocks; ++c) {
                plain[c] = static_cast<std::uint8_t>(numbers[c]);
                largest = std::max(largest, static_cast<std::uint32_t>(numbers[c]));
            }
            for (std::size_t c = kBlocks; c < kCells; ++c) {
                plain[c] = static_cast<std::uint8_t>(numbers[c]);
                largest = std::max(largest, static_cast<std::uint32_t>(numbers[c]));
            }
            const bool odd = t.unreadable().any() || largest > 99;
            kept.numbers = plain;
            kept.marks = t.marks();
            // The model holds no number for such a text: the few cells are read as they stand.
            for (std::size_t c = 0; odd && c < kCells; ++c) {
                if (!t.unreadable()[c] && static_cast<std::uint32_t>(numbers[c]) <= 99) continue;
                const qo::Control* cell = logic.cell(static_cast<int>(c));
                if (cell && !cell->text().empty()) {
                    game.AddOddCell(static_cast<int>(c), cell->text());
                } else {
                    kept.numbers[c] = 0;
                }
            }
        }
        const std::vector<std::uint8_t>& delivered = t.delivered();
        game.EndTicket(delivered.data(), delivered.size(), i < notes.size() ? notes[i] : std::string());
    }
    KeptGame window;
    this->window().Keep(window);
    game.realMoves = std::move(window.realMoves);
    game.virtualOpen = window.virtualOpen;
    game.virtualDrawn = std::move(window.virtualDrawn);
    game.virtualCount = std::move(window.virtualCount);
}

void TQOInlineCode_KeptGame::PutBack(const KeptGame& game) {
    PutBack(KeptGameSnapshot::Of(game));
}

void TQOInlineCode_KeptGame::PutBack(const KeptGameSnapshot& game) {
    list().DeleteAllTickets();
    // One ticket's texts at a time, the same storage for each.
    KeptTicket kept;
    for (std::size_t i = 0; i < game.tickets.size(); ++i) {
        // Made as "&Новый" makes them, so each is numbered and placed as the player's own.
        TClassChildPanelEx_D82A4C* ticket = list().NewTicket();
        if (!ticket) return;
        game.TicketAt(i, kept);
        ticket->PutBack(kept);
    }
    KeptGame rest;
    rest.realMoves = game.realMoves;
    rest.virtualOpen = game.virtualOpen;
    rest.virtualDrawn = game.virtualDrawn;
    rest.virtualCount = game.virtualCount;
    window().PutBack(rest);
}

std::string TQOInlineCode_KeptGame::BackupPath() const {
    // A file that was not read whole is replaced, never made the backup: the backup stays the last
    // good version.
    return fileGood_ ? path_ + ".1" : std::string();
}

void TQOInlineCode_KeptGame::WriteLater() {
    if (path_.empty() || closed_) return;
    // A fresh snapshot each time: the one before may still be read on the writer's thread.
    auto now = std::make_shared<KeptGameSnapshot>();
    now->tickets.reserve(written_->tickets.size());
    now->delivered.reserve(written_->delivered.size());
    now->texts.reserve(written_->texts.size());
    SnapshotInto(*now);
    if (writtenKnown_ && now->sameGame(*written_)) {
        Watch();
        return;
    }
    written_ = now; // counted as written; a failure says otherwise
    writtenKnown_ = true;
    writer_.post(
        path_, [game = std::shared_ptr<const KeptGameSnapshot>(now)] { return KeptGameText(*game); },
        BackupPath(), [this](bool ok, const std::string& error) { Written(ok, error); });
    // NOTE: after the snapshot, so a change from here on is written by the next turn, never lost.
    Watch();
}

bool TQOInlineCode_KeptGame::WriteNow() {
    if (path_.empty() || closed_) return false;
    writer_.drain();
    auto now = std::make_shared<const KeptGameSnapshot>(Snapshot());
    const bool ok = (writtenKnown_ && now->sameGame(*written_)) || Write(std::move(now));
    Watch();
    return ok;
}

bool TQOInlineCode_KeptGame::Write(std::shared_ptr<const KeptGameSnapshot> game) {
    std::string error;
    const bool ok = qo::WriteKeptFile(path_, KeptGameText(*game), BackupPath(), &error);
    if (ok) {
        written_ = std::move(game);
        writtenKnown_ = true;
    }
    Written(ok, error);
    return ok;
}

void TQOInlineCode_KeptGame::Written(bool ok, const std::string& error) {
    if (ok) {
        fileGood_ = true;
        wroteThisRun_ = true;
        ++writes_;
        return;
    }
    writtenKnown_ = false;
    // Told once; the tickets stay in the program, and every later change tries again.
    if (failureTold_) return;
    failureTold_ = true;
    Tell(qo::Cp1251("Игра не сохраняется: билеты остаются в программе, но после сбоя их не вернуть. "
                    "Сохранение будет повторяться при каждом изменении."),
         path_, error, "Сохранение");
}

void TQOInlineCode_KeptGame::Choose(qo::TData& d, std::uint16_t) {
    if (menuItem < 0 || qo::ToInteger(d) != menuItem) return;
    if (last_.empty()) {
        qo::ShowMessageBox(qo::OwnerControl(), qo::Cp1251("Прошлой игры нет: возвращать нечего."),
                           qo::Cp1251(kCaption), qo::MB_OK | qo::MB_ICONINFORMATION);
        return;
    }
    if (list().tickets().InstanceCount() > 0 &&
        !Asked(qo::Cp1251("Вы действительно хотите заменить ВСЕ билеты билетами прошлой игры?")))
        return;
    PutBack(last_);
}

void TQOInlineCode_KeptGame::Closing(qo::TData&, std::uint16_t) {
    if (path_.empty() || closed_) return;
    gather_.stop();
    qo::StopWatchingChanges();
    writer_.drain();
    auto now = std::make_shared<KeptGameSnapshot>(Snapshot());
    if (wroteThisRun_ || !writtenKnown_ || !now->sameGame(*written_)) {
        now->endedByClosing = true;
        Write(std::move(now));
    } else if (!last_.endedByClosing && !last_.empty()) {
        // Nothing new this run, and the last game was not put back: it stays the last game, and
        // the next start no longer offers it.
        auto again = std::make_shared<KeptGameSnapshot>(last_);
        again->endedByClosing = true;
        Write(std::move(again));
    }
    closed_ = true;
}

} // namespace lotto
