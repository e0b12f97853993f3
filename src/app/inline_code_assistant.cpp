#include "app/inline_code_assistant.h"

#include <map>

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/inline_code_d9d224.h"
#include "containers/multi_element_ex.h"
#include "runtime/cp1251.h"
#include "runtime/init_man.h"
#include "widgets/layer/control.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/platform.h"
#include "widgets/menu_element.h"

namespace lotto {

namespace {

constexpr const char* kSection = "Форма";
constexpr const char* kKey = "Hints";

using Ticket = TQOInlineCode_D9D224;

qo::Color MarkFor(const TicketHints& h, std::size_t cell, bool alike) {
    if (h.problems[cell] || alike) return TQOInlineCode_Assistant::kProblem;
    static constexpr qo::Color kLast[] = {qo::kNoMark, TQOInlineCode_Assistant::kRowMark,
                                          TQOInlineCode_Assistant::kCardMark,
                                          TQOInlineCode_Assistant::kTicketMark};
    return kLast[h.last[cell]];
}

} // namespace

TQOInlineCode_Assistant::TQOInlineCode_Assistant(qo::TQOMultiElement& ticketList, qo::TQOMenu& menu)
    : ticketList_(ticketList), menu_(menu),
      listener_([this](const qo::Control& c, qo::ContentChange what) { Heard(c, what); }) {
    qo::RegisterStartup<&TQOInlineCode_Assistant::Begin>(*this);
}

TQOInlineCode_Assistant::~TQOInlineCode_Assistant() = default;

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
    if (menuItem >= 0 && qo::ToInteger(d) == menuItem) SetOn(!on_);
}

void TQOInlineCode_Assistant::SetOn(bool on) {
    on_ = on;
    menu_.SetChecked(menuItem, on_);
    known_.clear();
    if (const std::string path = SettingsPath(); !path.empty())
        qo::IniFile(path).writeBool(qo::Cp1251(kSection), kKey, on_);
    everything_ = true;
    Refresh();
}

void TQOInlineCode_Assistant::Heard(const qo::Control& changed, qo::ContentChange what) {
    if (refreshing_ || !on_) return;
    if (what == qo::ContentChange::Gone) {
        everything_ = true;
    } else if (changed.kind() == qo::ControlKind::Edit && changed.parent() &&
               changed.parent()->kind() == qo::ControlKind::Panel) {
        changedPanels_.insert(changed.parent()); // a ticket's cell: that ticket is read again
    } else {
        return;
    }
    if (!later_.active()) later_.start(0, [this] { Refresh(); });
}

void TQOInlineCode_Assistant::Refresh() {
    later_.stop();
    refreshing_ = true;
    const TClassChildScrollBox_D80098& list = TClassChildScrollBox_D80098::Of(ticketList_);
    const std::size_t count = list.tickets().InstanceCount();
    std::unordered_map<const void*, Known> known;
    known.reserve(count);
    std::map<std::string, std::pair<int, int>> alike; // numbers → the first two tickets holding them
    std::vector<bool> fresh(count);
    bool newlyOneAway = false;
    for (std::size_t i = 0; i < count; ++i) {
        TClassChildPanelEx_D82A4C& ticket = list.ticket(i);
        const Ticket& logic = ticket.body().logic();
        auto was = known_.find(&logic);
        if (on_ && !everything_ && was != known_.end() && !changedPanels_.count(logic.cellPanel())) {
            known.emplace(&logic, std::move(was->second));
        } else {
            Known k;
            if (on_) {
                k.hints = HintsFor(logic.numbers(), logic.colours());
                k.key = TicketHints::Key(logic.numbers());
                for (const std::uint8_t l : k.hints.last)
                    k.oneAway = k.oneAway || l != 0;
                // Only a ticket known before comes newly one away: switching hints on, or a ticket
                // just made or put back, is silent.
                newlyOneAway = newlyOneAway || (k.oneAway && was != known_.end() && !was->second.oneAway);
            }
            known.emplace(&logic, std::move(k));
            fresh[i] = true;
        }
        const Known& k = known[&logic];
        if (k.key.empty()) continue;
        auto& holders = alike.try_emplace(k.key, 0, 0).first->second;
        if (holders.first == 0) {
            holders.first = ticket.number();
        } else if (holders.second == 0) {
            holders.second = ticket.number();
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        TClassChildPanelEx_D82A4C& ticket = list.ticket(i);
        Known& k = known[&ticket.body().logic()];
        int sameAs = 0;
        if (!k.key.empty()) {
            const auto& [first, second] = alike[k.key];
            if (second != 0) sameAs = first == ticket.number() ? second : first;
        }
        if (!fresh[i] && k.shownSameAs == sameAs && k.shownNumber == ticket.number()) continue;
        Show(ticket, k.hints, on_ ? sameAs : 0);
        k.shownSameAs = sameAs;
        k.shownNumber = ticket.number();
    }
    known_ = std::move(known);
    changedPanels_.clear();
    everything_ = false;
    refreshing_ = false;
    if (newlyOneAway) Ticket::PlaySound(4);
}

void TQOInlineCode_Assistant::Show(TClassChildPanelEx_D82A4C& ticket, const TicketHints& h, int sameAs) {
    Ticket& logic = ticket.body().logic();
    static const qo::FontDesc kPlain{"Arial", 18, qo::font_style::Bold, qo::clWindowText, 1};
    qo::FontDesc problem = kPlain;
    problem.color = kProblem;
    for (int i = 0; i < Ticket::kCells; ++i) {
        qo::Control* cell = logic.cell(i);
        if (!cell) continue;
        const auto at = static_cast<std::size_t>(i);
        const bool alike = sameAs > 0 && !cell->text().empty();
        const bool wrong = h.problems[at] || alike;
        cell->setMark(on_ ? MarkFor(h, at, alike) : qo::kNoMark);
        const qo::FontDesc& font = on_ && wrong ? problem : kPlain;
        if (!(cell->font() == font)) cell->setFont(font);
        const std::string why = on_ ? h.CellReasons(at, alike ? sameAs : 0) : std::string();
        cell->setToolTip(why);
        logic.SetCellHint(i, why);
    }
    ticket.SetSummary(on_ ? h.Summary(ticket.number()) : std::string());
}

} // namespace lotto
