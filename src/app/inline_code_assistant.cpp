#include "app/inline_code_assistant.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/inline_code_d9d224.h"
#include "containers/multi_element_ex.h"
#include "runtime/cp1251.h"
#include "runtime/init_man.h"
#include "widgets/button.h"
#include "widgets/layer/control.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/platform.h"
#include "widgets/memo.h"
#include "widgets/menu_element.h"

namespace lotto {

namespace {

constexpr const char* kSection = "Форма";
constexpr const char* kKey = "Hints";

using Ticket = TQOInlineCode_D9D224;

qo::Color MarkFor(const TicketHints& h, std::size_t cell, bool alike) {
    if (h.problems[cell] || alike) return TQOInlineCode_Assistant::kProblem;
    if (h.missed[cell]) return TQOInlineCode_Assistant::kMissedMark;
    static constexpr qo::Color kLast[] = {qo::kNoMark, TQOInlineCode_Assistant::kRowMark,
                                          TQOInlineCode_Assistant::kCardMark,
                                          TQOInlineCode_Assistant::kTicketMark};
    return kLast[h.last[cell]];
}

// The ticket's summary as its hints show it, made when its tip or spoken name is asked.
std::string SummaryOf(const TClassChildPanelEx_D82A4C& ticket) {
    const auto* reading = dynamic_cast<const TicketReading*>(ticket.body().logic().game().reading());
    return reading && reading->shown.on ? reading->shown.hints.Summary(ticket.number()) : std::string();
}

} // namespace

TQOInlineCode_Assistant::TQOInlineCode_Assistant(qo::TQOMultiElement& ticketList, qo::TQOMenu& menu)
    : ticketList_(ticketList), menu_(menu) {
    qo::RegisterStartup<&TQOInlineCode_Assistant::Begin>(*this);
}

TQOInlineCode_Assistant::~TQOInlineCode_Assistant() {
    if (model_) model_->Unwatch(*this);
}

void TQOInlineCode_Assistant::Follow(game::Model& model) {
    model_ = &model;
    model.Watch(*this);
}

std::vector<int> TQOInlineCode_Assistant::Called() const {
    if (!model_) return {};
    std::vector<int> called(model_->moves().begin(), model_->moves().end());
    called.insert(called.end(), model_->drawn().begin(), model_->drawn().end());
    return called;
}

void TQOInlineCode_Assistant::MarkCalled() {
    const std::vector<int> called = Called();
    if (called.empty()) return;
    for (const auto& t : TClassChildScrollBox_D80098::Of(ticketList_).listed())
        t.logic->CatchUp(called);
}

std::string TQOInlineCode_Assistant::SettingsPath() const {
    const std::string folder = qo::SettingsFolder();
    return folder.empty() ? std::string() : folder + "Параметры.ini";
}

void TQOInlineCode_Assistant::Begin() {
    const std::string path = SettingsPath();
    on_ = !path.empty() && qo::IniFile(path).readBool(qo::Cp1251(kSection), kKey, false);
    menu_.SetChecked(menuItem, on_);
    if (on_) later_.start(0, [this] { Refresh(); });
}

void TQOInlineCode_Assistant::Choose(qo::TData& d, std::uint16_t) {
    const std::int32_t item = qo::ToInteger(d);
    if (menuItem >= 0 && item == menuItem) SetOn(!on_);
    if (markItem >= 0 && item == markItem) MarkCalled();
}

void TQOInlineCode_Assistant::SetOn(bool on) {
    const bool was = on_;
    on_ = on;
    if (was && !on_) {
        oneAway_.stop();
        Clear();
    }
    menu_.SetChecked(menuItem, on_);
    if (const std::string path = SettingsPath(); !path.empty())
        qo::IniFile(path).writeBool(qo::Cp1251(kSection), kKey, on_);
    everything_ = true;
    Refresh();
}

void TQOInlineCode_Assistant::GameChanged(std::uint8_t, const game::Ticket*) {
    // Asked first: a call changes thousands of tickets, and the first one started the refresh.
    // Each ticket tells by its versions what changed; a call taken back, or draws cleared, may
    // leave a number no longer called before.
    if (refreshing_ || !on_ || later_.active()) return;
    later_.start(0, [this] { Refresh(); });
}

void TQOInlineCode_Assistant::Clear() {
    for (const auto& t : TClassChildScrollBox_D80098::Of(ticketList_).listed()) {
        auto* reading = dynamic_cast<TicketReading*>(t.logic->game().reading());
        if (!reading) continue;
        if (reading->shown.on) Show(*t.logic, TicketHints(), 0, nullptr);
        reading->shown = {};
        t.ticket->SetSummary(nullptr);
    }
    alike_.clear();
}

void TQOInlineCode_Assistant::Refresh() {
    later_.stop();
    refreshing_ = true;
    if (!on_) {
        everything_ = false;
        refreshing_ = false;
        return;
    }
    const TClassChildScrollBox_D80098& list = TClassChildScrollBox_D80098::Of(ticketList_);
    const auto& tickets = list.listed();
    // A ticket's hints are worked out with its reading, once its cells changed; here they are
    // shown, on the cells whose hints changed, and tickets alike are found again when numbers or
    // places changed.
    bool alikeChanged = everything_ || listedAt_ != list.tickets().ListChanges();
    listedAt_ = list.tickets().ListChanges();
    // A call reaches every ticket and marks it; only a call gone can change what was called before
    // on a ticket the call left as it was.
    std::bitset<91> called;
    for (const int n : Called())
        called.set(static_cast<std::size_t>(n));
    const bool callsGone = (called_ & ~called).any();
    called_ = called;
    std::vector<std::size_t> changed;
    bool newlyOneAway = false;
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const Ticket& logic = *tickets[i].logic;
        TicketReading& reading = ReadingOf(logic.game());
        TicketReading::Shown& shown = reading.shown;
        if (!everything_ && shown.version == logic.version() && shown.number == logic.ticketNumber() &&
            !(callsGone && shown.hints.missed.any()))
            continue;
        if (everything_ || shown.numbersVersion != logic.numbersVersion() || !shown.known) {
            std::string key = TicketHints::Key(logic.numbers());
            alikeChanged = alikeChanged || key != shown.key;
            shown.key = std::move(key);
        }
        bool oneAway = false;
        for (const std::uint8_t l : reading.hints.last)
            oneAway = oneAway || l != 0;
        // Only a ticket seen before comes newly one away: switching hints on, or a ticket just made,
        // is silent.
        newlyOneAway = newlyOneAway || (oneAway && shown.known && !shown.oneAway);
        shown.oneAway = oneAway;
        shown.known = true;
        changed.push_back(i);
    }
    if (alikeChanged) {
        alike_.clear();
        for (const auto& t : tickets) {
            const std::string& key = ReadingOf(t.logic->game()).shown.key;
            if (key.empty()) continue;
            auto& holders = alike_.try_emplace(key, 0, 0).first->second;
            if (holders.first == 0) {
                holders.first = t.logic->ticketNumber();
            } else if (holders.second == 0) {
                holders.second = t.logic->ticketNumber();
            }
        }
    }
    const auto show = [&](std::size_t i) {
        const Ticket& logic = *tickets[i].logic;
        TicketReading& reading = ReadingOf(logic.game());
        TicketReading::Shown& shown = reading.shown;
        const int number = logic.ticketNumber();
        int sameAs = shown.sameAs;
        if (alikeChanged) {
            sameAs = 0;
            if (!shown.key.empty()) {
                const auto& [first, second] = alike_[shown.key];
                if (second != 0) sameAs = first == number ? second : first;
            }
        }
        MissedFor(logic.numbers(), logic.game().marks(), called_, reading.hints);
        const bool cellsChanged =
            shown.version != logic.version() || shown.hints.missed != reading.hints.missed;
        if (!everything_ && !cellsChanged && shown.on && shown.sameAs == sameAs && shown.number == number)
            return;
        const bool asBefore = !everything_ && shown.on && shown.numbersVersion == logic.numbersVersion() &&
                              shown.sameAs == sameAs && shown.number == number;
        Show(*tickets[i].logic, reading.hints, sameAs, asBefore ? &shown.hints : nullptr);
        // The summary is made when asked: set once, it follows what is shown.
        if (!shown.on) tickets[i].ticket->SetSummary(&SummaryOf);
        shown.on = true;
        shown.hints = reading.hints;
        shown.sameAs = sameAs;
        shown.number = number;
        shown.version = logic.version();
        shown.numbersVersion = logic.numbersVersion();
    };
    if (alikeChanged) {
        for (std::size_t i = 0; i < tickets.size(); ++i)
            show(i);
    } else {
        for (const std::size_t i : changed)
            show(i);
    }
    everything_ = false;
    refreshing_ = false;
    if (newlyOneAway) SoundOneAway();
}

void TQOInlineCode_Assistant::SoundOneAway() {
    // NOTE: a sound cuts off the one playing: a row's, card's or ticket's plays whole, and the
    // quiet one comes after it, or after whichever marking sound started meanwhile.
    const std::int64_t wait = Ticket::MarkingSoundLeftMs();
    if (wait > 0)
        oneAway_.start(static_cast<int>(wait), [this] { SoundOneAway(); });
    else
        Ticket::PlaySound(4);
}

void TQOInlineCode_Assistant::Show(Ticket& logic, const TicketHints& h, int sameAs,
                                   const TicketHints* before) {
    static const qo::FontDesc kPlain{"Arial", 18, qo::font_style::Bold, qo::clWindowText, 1};
    // A dark colour alone would not tell a number that cannot stand from the others.
    static const qo::FontDesc problem{"Arial", 18, qo::font_style::Bold | qo::font_style::Underline, kProblem,
                                      1};
    // Most calls change what a ticket has called, not what its cells would complete.
    if (before && before->last == h.last && before->problems == h.problems && before->missed == h.missed)
        return;
    for (int i = 0; i < game::kCells; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (before && before->last[at] == h.last[at] && before->problems[at] == h.problems[at] &&
            before->missed[at] == h.missed[at])
            continue;
        qo::Control* cell = logic.cell(i);
        if (!cell) continue;
        const bool alike = sameAs > 0 && !cell->text().empty();
        const bool wrong = h.problems[at] || alike;
        cell->setMark(on_ ? MarkFor(h, at, alike) : qo::kNoMark);
        const qo::FontDesc& font = on_ && wrong ? problem : kPlain;
        if (!(cell->font() == font)) cell->setFont(font);
        // The tip is also said after the cell's spoken name.
        cell->setToolTip(on_ ? h.CellReasons(at, alike ? sameAs : 0) : std::string());
    }
}

} // namespace lotto
