#pragma once
// Every ticket's notes as plain texts in list order, for the kept game's snapshot: read from the
// memos once the list has changed, and after that only the memo that changed is read again, so a
// snapshot of thousands of tickets walks no element graph. What the notes mean is not its concern.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "widgets/layer/change_watch.h"

namespace lotto {

class TClassChildScrollBox_D80098;

class KeptNotes {
public:
    // `list`: borrowed; while it may be gone, only `notes` reaches it.
    explicit KeptNotes(const TClassChildScrollBox_D80098& list);
    KeptNotes(const KeptNotes&) = delete;
    KeptNotes& operator=(const KeptNotes&) = delete;

    // The notes of the tickets listed now, as their memos hold them (CR LF line breaks).
    const std::vector<std::string>& notes();

private:
    void Heard(const qo::Control& control, qo::ContentChange what);
    void ReadAll();

    const TClassChildScrollBox_D80098& list_;
    std::vector<std::string> notes_;
    std::unordered_map<const qo::Control*, std::size_t> at_; // each memo's place in `notes_`
    std::uint64_t readAt_ = ~std::uint64_t{0};               // the list's changes when read whole
    qo::ChangeListener listener_;
};

} // namespace lotto
