#pragma once
// Keeps the player's game in one file in the user's data folder, so that nothing typed is lost to
// a close by mistake, a crash or a power cut: written about a second after any change and when
// the main window closes; put back on request, or offered once after a run that ended without
// closing its window. The format is kept_game.h's; the windows' behaviour stays their schemes'.
#include <cstdint>
#include <memory>
#include <string>

#include "app/kept_game.h"
#include "runtime/link.h"
#include "widgets/layer/kept_file.h"
#include "widgets/layer/timer.h"

namespace qo {
class TQOMultiElement;
}

namespace lotto {

class TClassChildScrollBox_D80098;
class TClassChildForm_DA7248;
class KeptNotes;

class TQOInlineCode_KeptGame {
public:
    // The file's name in the data folder; its backup and a damaged copy add ".1" and ".bad".
    static constexpr const char* kFileName = "Игра.txt";
    static constexpr std::int64_t kLargestFile = std::int64_t{64} << 20;

    // `ticketList` and `gameWindow`: the main scheme's containers, borrowed for its lifetime.
    TQOInlineCode_KeptGame(qo::TQOMultiElement& ticketList, qo::TQOMultiElement& gameWindow);
    ~TQOInlineCode_KeptGame();
    TQOInlineCode_KeptGame(const TQOInlineCode_KeptGame&) = delete;
    TQOInlineCode_KeptGame& operator=(const TQOInlineCode_KeptGame&) = delete;

    // ---- Properties, set by the scheme.
    int menuItem = -1;   // the number of the menu item "Вернуть прошлую игру"
    int delayMs = 1000;  // how long changes gather before one write
    bool keeping = true; // false while another program keeps the game: this one reads and writes none

    // ---- Output: the start has asked what it had to (the offer of the last game answered);
    // fired once, whether or not anything is kept.
    qo::TEventLink started;

    // ---- Inputs.
    void Choose(qo::TData& d, std::uint16_t index);  // a menu item's number
    void Closing(qo::TData& d, std::uint16_t index); // the main window closes

    // What the player has put in, now: read from the game model, with the notes and the cells'
    // odd texts from their controls.
    KeptGameSnapshot Snapshot() const;
    // The same into `game`, its storage used again.
    void SnapshotInto(KeptGameSnapshot& game) const;
    KeptGame Collect() const { return Snapshot().Game(); }
    // Puts a game back in place of the current one, asking nothing.
    void PutBack(const KeptGameSnapshot& game);
    void PutBack(const KeptGame& game);

    // ---- For tests and benchmarks.
    std::string path() const { return path_; }
    const KeptGameSnapshot& lastGame() const { return last_; } // the game the last run left
    int writeCount() const { return writes_; }
    // Writes now, on this thread, if anything changed since the last write (a write under way is
    // waited for first); true when the file holds the game.
    bool WriteNow();
    // What the clock does a moment after a change: a snapshot taken here, made into text and
    // written on the writer's thread.
    void WriteLater();
    qo::KeptFileWriter& writer() { return writer_; }

private:
    void Begin();     // from the start-up list
    void AfterShow(); // once the main window is up
    void Offer();     // what the player must hear about the file, the offer of the last game
    void Watch();
    bool Write(std::shared_ptr<const KeptGameSnapshot> game);
    std::string BackupPath() const;
    void Written(bool ok, const std::string& error);
    void ReadLastGame();
    void RestoreOnRequest();

    qo::TQOMultiElement& ticketList_;
    qo::TQOMultiElement& gameWindow_;
    TClassChildScrollBox_D80098& list() const;
    TClassChildForm_DA7248& window() const;

    std::string path_;      // "" when there is no data folder: nothing is kept
    KeptGameSnapshot last_; // what the last run left, as read at start
    // What the file holds now (or held at start); shared with the writer's thread while it makes
    // the text, and never changed once taken.
    std::shared_ptr<const KeptGameSnapshot> written_;
    std::string problem_;   // what the player must hear about the file read at start
    bool fileGood_ = false; // the file on disk is one this program wrote and read whole
    bool wroteThisRun_ = false;
    bool failureTold_ = false;
    bool closed_ = false;
    int writes_ = 0;
    bool writtenKnown_ = true; // false after a failed write: the next change writes whatever it is
    mutable std::unique_ptr<KeptNotes> notes_; // made at the first snapshot, once the list stands
    qo::KeptFileWriter writer_;
    qo::Timer gather_; // changes gathered for one write
    qo::Timer start_;  // AfterShow, at the first turn of the loop
};

} // namespace lotto
