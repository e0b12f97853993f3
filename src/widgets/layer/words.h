#pragma once
// The words the layer and the platform tell the user: what was being done when a fault escaped a
// handler, and why the program cannot speak. The layer has none of its own: the program gives
// them at its start (SetWords); until then they are plain English. UTF-8, as literals are written.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qo {

// What the layer was doing for an element when a fault escaped (delivery.h).
enum class Doing : std::uint8_t {
    // What the user asked for.
    Click,
    WheelScroll,
    KeyPress,
    Typing,
    Closing,
    ButtonPress,
    ContextMenu,
    Scrolling,
    MenuCommand,
    // What comes by itself.
    MouseMove,
    Painting,
    MovingOrSizing,
    ShowingOrHiding,
    Activation,
    WindowEvent,
    MenuHighlight,
    Timer,
    PostedMessage,
    FileWrite,
    MakingWindows,
};
inline constexpr std::size_t kDoingCount = static_cast<std::size_t>(Doing::MakingWindows) + 1;

struct Words {
    // A fault's box: its caption, and the text `faultBefore` + what + ".\r\n\r\n" + why +
    // "\r\n\r\n" + `faultAfter`, the control's caption in «» after what was done to it.
    std::string faultCaption = "Fault";
    std::string faultBefore = "A fault while handling an event: ";
    std::string faultAfter = "The action was not finished; the program goes on.";
    std::string outOfMemory = "out of memory"; // followed by the system's words in brackets
    std::string unknownFault = "unknown fault";
    std::array<std::string, kDoingCount> doing = {
        "a mouse click",
        "scrolling with the wheel",
        "a key press",
        "typing",
        "closing a window",
        "a button press",
        "a context menu",
        "scrolling",
        "a menu command",
        "a mouse move",
        "painting a window",
        "moving or sizing a window",
        "showing or hiding a window",
        "a change of the active window",
        "a window event",
        "highlighting a menu item",
        "a timer",
        "a posted message",
        "writing a file",
        "making windows",
    };

    // Why the program cannot speak Russian.
    std::string speechNowhere = "This program cannot speak here.";
    std::string speechBuiltWithout = "The program was built without speech.";
    std::string speechNoEngine = "No speech engine is installed.";
    std::string speechNotAnswering = "The speech engine does not answer.";
    std::string speechNotAnsweringBecause = "The speech engine does not answer: "; // + the engine's words
    std::string speechNoRussianVoice = "There is no Russian voice.";
    std::string speechNoAudioModule = "The program's sound and speech library is missing.";
};

// The program's words, from now on.
void SetWords(Words words);
const Words& CurrentWords();
const std::string& WordsFor(Doing doing);

} // namespace qo
