#pragma once
// Asks the user through a modal message box and fires the output of the chosen answer. The box
// itself is the platform's; what an answer leads to is the scheme's wiring.
#include <cstdint>
#include <string>

#include "runtime/link.h"

namespace qo {

// The element's own numbers for its buttons, icon and default button (what a scheme assigns and
// the data inputs carry); Style turns them into the box's MB_* style.
namespace message_buttons {
constexpr std::uint8_t Ok = 0, OkCancel = 1, YesNo = 2, YesNoCancel = 3, RetryCancel = 4,
                       AbortRetryIgnore = 5;
}
namespace message_icon {
constexpr std::uint8_t None = 0, Stop = 1, Question = 2, Exclamation = 3, Information = 4;
}
namespace message_default {
constexpr std::uint8_t First = 0, Second = 1, Third = 2;
}

class TQOMessage {
public:
    std::string text;    // Windows-1251
    std::string caption; // Windows-1251
    std::uint8_t buttons = message_buttons::Ok;
    std::uint8_t icon = message_icon::None;
    std::uint8_t defaultButton = message_default::First;

    TEventLink textInput, captionInput, buttonsInput, iconInput, defaultButtonInput; // data inputs
    TEventLink answerOutput; // the answer code, before the answer's own output
    TEventLink okOutput, cancelOutput, abortOutput, retryOutput, ignoreOutput, yesOutput, noOutput;

    void Show(TData& d, std::uint16_t index);

    // The box style for these settings; a value out of range counts as the first choice.
    static std::uint32_t Style(std::int32_t buttons, std::int32_t icon, std::int32_t defaultButton);
};

} // namespace qo
