#include "app/kept_notes.h"

#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "containers/multi_element_ex.h"
#include "widgets/layer/control.h"
#include "widgets/memo.h"

namespace lotto {

KeptNotes::KeptNotes(const TClassChildScrollBox_D80098& list)
    : list_(list), listener_([this](const qo::Control& c, qo::ContentChange what) { Heard(c, what); }) {}

void KeptNotes::Heard(const qo::Control& control, qo::ContentChange what) {
    // Every cell of every ticket passes here on each call: the kind is the cheap test.
    if (what != qo::ContentChange::Text || control.kind() != qo::ControlKind::Memo) return;
    const auto found = at_.find(&control);
    // A memo not found is one made since the list was read, which reads it again; one found in a
    // list that has moved since may be a newcomer at a freed address, equally read again then.
    if (found != at_.end()) notes_[found->second] = control.text();
}

const std::vector<std::string>& KeptNotes::notes() {
    if (readAt_ != list_.tickets().ListChanges()) ReadAll();
    return notes_;
}

void KeptNotes::ReadAll() {
    const auto& listed = list_.listed();
    notes_.resize(listed.size());
    at_.clear();
    at_.reserve(listed.size());
    bool whole = true;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const qo::Control* memo = listed[i].ticket->notes().memo().control();
        if (!memo) {
            // A ticket still being made: its memo may come, and must be heard, later.
            whole = false;
            notes_[i].clear();
            continue;
        }
        notes_[i] = memo->text();
        at_[memo] = i;
    }
    readAt_ = whole ? list_.tickets().ListChanges() : ~std::uint64_t{0};
}

} // namespace lotto
