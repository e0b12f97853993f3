#include "app/inline_code_voice.h"

#include "app/spoken_numbers.h"
#include "game/model.h"
#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/menu_element.h"

#include <bit>

namespace lotto {

TQOInlineCode_Voice::TQOInlineCode_Voice(const game::Model& model) : model_(model) {}

std::string TQOInlineCode_Voice::SettingsPath() const {
    return qo::SettingsFolder() + "Параметры.ini";
}

void TQOInlineCode_Voice::Attach(qo::TQOMenu& menu) {
    menu_ = &menu;
    const qo::IniFile ini(SettingsPath());
    voice_ = ini.readBool(qo::Cp1251(kSection), qo::Cp1251("Голос"), false);
    nicknames_ = ini.readBool(qo::Cp1251(kSection), qo::Cp1251("Прибаутки"), false);
    for (const int number : {voiceItem, nicknamesItem}) {
        if (qo::MenuItem* item = menu.FindItem(number)) item->kind = qo::MenuItemKind::Check;
    }
    ShowItems();
    // NOTE: once the windows have first shown, not here: an engine may take a moment to answer,
    // and looking opens the audio module, which the first sight of the windows does not need.
    look_.startAfterFirstFrame([this] { LookForSpeech(); });
}

void TQOInlineCode_Voice::LookForSpeech() {
    // An engine is started only for a player who has the voice on; for the others it is enough to
    // know whether one is installed, until they turn the voice on.
    problem_ = qo::SpeechProblem(!voice_);
    looked_ = voice_ || !problem_.empty();
    ShowItems();
}

void TQOInlineCode_Voice::ShowItems() {
    if (!menu_) return;
    const bool greyed = !problem_.empty();
    qo::MenuItem* voice = menu_->FindItem(voiceItem);
    qo::MenuItem* nicknames = menu_->FindItem(nicknamesItem);
    if (!voice || !nicknames) return;
    voice->checked = voice_ && !greyed;
    voice->enabled = !greyed;
    nicknames->checked = nicknames_ && !greyed;
    nicknames->enabled = !greyed && voice_;
    voice->hint = greyed ? problem_ : std::string();
    nicknames->hint = greyed   ? problem_
                      : voice_ ? std::string()
                               : qo::Cp1251("Сначала включите голос ведущего.");
    if (menu_->menu()) menu_->menu()->refresh();
}

void TQOInlineCode_Voice::Choose(qo::TData& d, std::uint16_t) {
    const auto chosen = qo::ToInteger(d);
    const char* key = nullptr;
    bool* value = nullptr;
    if (voiceItem >= 0 && chosen == voiceItem) {
        key = "Голос";
        value = &voice_;
    } else if (nicknamesItem >= 0 && chosen == nicknamesItem) {
        key = "Прибаутки";
        value = &nicknames_;
    }
    if (!value || !problem_.empty()) return;
    if (value == &voice_ && !voice_ && !looked_) {
        problem_ = qo::SpeechProblem(false);
        looked_ = true;
        if (!problem_.empty()) {
            ShowItems();
            qo::ShowMessageBox(qo::OwnerControl(),
                               qo::Cp1251("Голос ведущего недоступен.") + "\r\n" + problem_,
                               qo::Cp1251("Голос ведущего"), qo::MB_OK | qo::MB_ICONINFORMATION);
            return;
        }
    }
    *value = !*value;
    // Written only when the player turns it, so a settings file of someone who never does stays as it was.
    qo::IniFile(SettingsPath()).writeBool(qo::Cp1251(kSection), qo::Cp1251(key), *value);
    ShowItems();
}

std::string TQOInlineCode_Voice::Utterance(int n) const {
    std::string said = CallPhrase(n, nicknames_);
    const std::vector<game::Ticket*>& tickets = model_.tickets();
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const game::Ticket& ticket = *tickets[i];
        // What this very call completed: the newest completion, made by the newest delivery.
        if (ticket.completed().empty() || ticket.delivered().empty() || ticket.delivered().back() != n)
            continue;
        const game::Completed& last = ticket.completed().back();
        if (last.delivery + 1 != ticket.delivered().size()) continue;
        const std::string phrase =
            CompletionPhrase(ticket.ticketNumber() > 0 ? ticket.ticketNumber() : static_cast<int>(i) + 1,
                             std::popcount(last.what.rows), std::popcount(last.what.cards), last.what.ticket);
        if (!phrase.empty()) said += ". " + phrase;
    }
    return said;
}

void TQOInlineCode_Voice::Drawn(qo::TData& d, std::uint16_t) {
    if (!voice_ || !canSpeak()) return;
    const int n = static_cast<int>(qo::ToInteger(d));
    if (n < 1 || n > 90) return;
    qo::Say(Utterance(n));
}

} // namespace lotto
