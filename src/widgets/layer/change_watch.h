#pragma once
// Tells that what the controls hold has changed: a text (set or typed), a colour, a control gone.
// Two ways to hear of it:
// - the watch: one watcher at a time, told at the first change after it was set; it must set
//   itself again to hear of the next;
// - listeners: each told of every change while it lives, with the control and what changed, for
//   a view that must tell a ticket's cells from everything else.
// Costs one test per change while nobody watches or listens.
#include "widgets/layer/small_function.h"

namespace qo {

class Control;

enum class ContentChange : unsigned char { Text, Colour, Gone };

void WatchNextChange(SmallFunction<void()> onChange);
// Forgets the watcher.
void StopWatchingChanges();

class ChangeListener {
public:
    using Heard = SmallFunction<void(const Control&, ContentChange)>;
    explicit ChangeListener(Heard heard);
    ~ChangeListener();
    ChangeListener(const ChangeListener&) = delete;
    ChangeListener& operator=(const ChangeListener&) = delete;

private:
    friend void NoteContentChange(const Control&, ContentChange);
    friend struct Walk;
    Heard heard_;
    ChangeListener* next_ = nullptr;
};

} // namespace qo
