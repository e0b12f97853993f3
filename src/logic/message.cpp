#include "logic/message.h"

#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace qo {

std::uint32_t TQOMessage::Style(std::int32_t buttons, std::int32_t icon, std::int32_t defaultButton) {
    static constexpr std::uint32_t kButtons[] = {MB_OK,          MB_OKCANCEL,    MB_YESNO,
                                                 MB_YESNOCANCEL, MB_RETRYCANCEL, MB_ABORTRETRYIGNORE};
    static constexpr std::uint32_t kIcons[] = {0, MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION,
                                               MB_ICONASTERISK};
    static constexpr std::uint32_t kDefaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    auto pick = [](const auto& table, std::int32_t i) {
        return i >= 0 && static_cast<std::size_t>(i) < std::size(table) ? table[i] : table[0];
    };
    return pick(kButtons, buttons) | pick(kIcons, icon) | pick(kDefaults, defaultButton);
}

void TQOMessage::Show(TData& d, std::uint16_t) {
    const std::string t = TakeString(d, textInput, text);
    const std::string c = TakeString(d, captionInput, caption);
    const std::int32_t b = TakeInteger(d, buttonsInput, buttons);
    const std::int32_t i = TakeInteger(d, iconInput, icon);
    const std::int32_t def = TakeInteger(d, defaultButtonInput, defaultButton);

    const int answer = ShowMessageBox(static_cast<Control*>(OwnerWindow()), t, c, Style(b, i, def));

    FireInteger(answerOutput, answer);
    const TEventLink* chosen = nullptr;
    switch (answer) {
    case IDOK:
        chosen = &okOutput;
        break;
    case IDCANCEL:
        chosen = &cancelOutput;
        break;
    case IDABORT:
        chosen = &abortOutput;
        break;
    case IDRETRY:
        chosen = &retryOutput;
        break;
    case IDIGNORE:
        chosen = &ignoreOutput;
        break;
    case IDYES:
        chosen = &yesOutput;
        break;
    case IDNO:
        chosen = &noOutput;
        break;
    default:
        return; // a failed box answers 0 and leads nowhere
    }
    ForwardNull(d, *chosen);
}

} // namespace qo
