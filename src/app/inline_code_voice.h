#pragma once
// The virtual game's caller speaks: "Голос ведущего" says each drawn number in Russian, "Прибаутки"
// adds its old nickname, and what the number completed on the player's tickets follows ("Билет три:
// ряд!"). Both are menu check marks kept in the settings file, off until the player turns them on;
// with no Russian voice on the machine the items are greyed and say why. The words are
// spoken_numbers.h's; the speaking is the platform's, which never makes the draw wait.
#include <cstdint>
#include <string>

#include "runtime/link.h"
#include "widgets/layer/timer.h"

namespace qo {
class TQOMenu;
class TQOMultiElement;
} // namespace qo

namespace lotto {

namespace game {
class Model;
}

class TQOInlineCode_Voice {
public:
    // `model`: the game, borrowed for the block's lifetime.
    explicit TQOInlineCode_Voice(const game::Model& model);

    int voiceItem = -1;     // the number of the menu item "Голос ведущего"
    int nicknamesItem = -1; // and of "Прибаутки"

    // Makes the two items check marks as the settings file keeps them; whether the machine can speak
    // is found at the loop's first turn, once the window is up, or when the voice is first turned
    // on. `menu` is borrowed.
    void Attach(qo::TQOMenu& menu);

    void Choose(qo::TData& d, std::uint16_t index); // a menu item's number
    // A number drawn in the virtual game, once the tickets have marked it.
    void Drawn(qo::TData& d, std::uint16_t index);

    bool voiceOn() const { return voice_; }
    bool nicknamesOn() const { return nicknames_; }
    bool canSpeak() const { return looked_ && problem_.empty(); }
    // What a draw of `n` makes the caller say now (Windows-1251): the number, its nickname when
    // asked, and what it completed on the tickets.
    std::string Utterance(int n) const;

    static constexpr const char* kSection = "Ведущий";

private:
    void LookForSpeech();
    void ShowItems();
    std::string SettingsPath() const;

    const game::Model& model_;
    qo::TQOMenu* menu_ = nullptr;
    bool voice_ = false;
    bool nicknames_ = false;
    bool looked_ = false; // the engine has been asked whether it speaks Russian
    std::string problem_; // Windows-1251: why the machine cannot speak Russian
    qo::Timer look_;
};

} // namespace lotto
