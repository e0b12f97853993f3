#pragma once
// Asks the user through a modal message box and fires the output of the chosen answer. The box
// itself is the platform's; what an answer leads to is the scheme's wiring.
#include <cstdint>
#include <string>

#include "runtime/link.h"

namespace qo {

class TQOMessage {
public:
    std::string text;    // Windows-1251
    std::string caption; // Windows-1251
    std::uint8_t buttons =
        0; // 0 OK, 1 OK Cancel, 2 Yes No, 3 Yes No Cancel, 4 Retry Cancel, 5 Abort Retry Ignore
    std::uint8_t icon = 0;          // 0 none, 1 stop, 2 question, 3 exclamation, 4 information
    std::uint8_t defaultButton = 0; // 0 first, 1 second, 2 third

    TEventLink textInput, captionInput, buttonsInput, iconInput, defaultButtonInput; // data inputs
    TEventLink answerOutput; // the answer code, before the answer's own output
    TEventLink okOutput, cancelOutput, abortOutput, retryOutput, ignoreOutput, yesOutput, noOutput;

    void Show(TData& d, std::uint16_t index);

    // The box style for these settings; a value out of range counts as the first choice.
    static std::uint32_t Style(std::int32_t buttons, std::int32_t icon, std::int32_t defaultButton);
};

} // namespace qo
