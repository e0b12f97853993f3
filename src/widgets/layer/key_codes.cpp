#include "widgets/layer/key_codes.h"

#include "platform/keys.h"
#include "widgets/layer/messages.h"
#include <QKeyEvent>
#include <array>

namespace qo {
namespace {

// Keys with a name of their own, by the toolkit's key code.
int NamedKey(int k, bool keypad) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Meta:
        return VK_LWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Clear:
        return VK_CLEAR;
    default:
        return 0;
    }
}

// ASCII punctuation: the keypad's own keys, else the key that types it in the US layout.
int PunctuationKey(int k, bool keypad) {
    if (keypad) {
        switch (k) {
        case '*':
            return VK_MULTIPLY;
        case '+':
            return VK_ADD;
        case '-':
            return VK_SUBTRACT;
        case '/':
            return VK_DIVIDE;
        case '.':
        case ',':
            return VK_DECIMAL;
        default:
            break;
        }
    }
    static constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    if (const auto i = kShiftedDigits.find(static_cast<char>(k)); k < 0x80 && i != std::string_view::npos)
        return '0' + static_cast<int>(i);
    switch (k) {
    case ';':
    case ':':
        return VK_OEM_1;
    case '=':
    case '+':
        return VK_OEM_PLUS;
    case ',':
    case '<':
        return VK_OEM_COMMA;
    case '-':
    case '_':
        return VK_OEM_MINUS;
    case '.':
    case '>':
        return VK_OEM_PERIOD;
    case '/':
    case '?':
        return VK_OEM_2;
    case '`':
    case '~':
        return VK_OEM_3;
    case '[':
    case '{':
        return VK_OEM_4;
    case '\\':
    case '|':
        return VK_OEM_5;
    case ']':
    case '}':
        return VK_OEM_6;
    case '\'':
    case '"':
        return VK_OEM_7;
    default:
        return 0;
    }
}

// The main block of a PC keyboard by Linux key code (the X11 key code minus 8).
int PhysicalKey(unsigned linuxCode) {
    static constexpr std::array<std::uint8_t, 87> kTable = [] {
        std::array<std::uint8_t, 87> t{};
        const char* digits = "1234567890";
        for (int i = 0; i < 10; ++i)
            t[2 + i] = static_cast<std::uint8_t>(digits[i]);
        t[12] = VK_OEM_MINUS;
        t[13] = VK_OEM_PLUS;
        const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        const int starts[] = {16, 30, 44};
        for (int r = 0; r < 3; ++r) {
            for (int i = 0; rows[r][i]; ++i)
                t[starts[r] + i] = static_cast<std::uint8_t>(rows[r][i]);
        }
        t[26] = VK_OEM_4;
        t[27] = VK_OEM_6;
        t[39] = VK_OEM_1;
        t[40] = VK_OEM_7;
        t[41] = VK_OEM_3;
        t[43] = VK_OEM_5;
        t[51] = VK_OEM_COMMA;
        t[52] = VK_OEM_PERIOD;
        t[53] = VK_OEM_2;
        t[86] = VK_OEM_102;
        return t;
    }();
    return linuxCode < kTable.size() ? kTable[linuxCode] : 0;
}

// A Cyrillic letter by the key it lies on in the Russian layout (and the few Ukrainian and
// Belarusian letters that take a Russian letter's place), for keys whose hardware code is unknown.
int CyrillicKey(char16_t upper) {
    // А Б В Г Д Е Ж З И Й К Л М Н О П Р С Т У Ф Х Ц Ч Ш Щ Ъ Ы Ь Э Ю Я
    static constexpr std::array<std::uint8_t, 32> kRussian = {
        'F', VK_OEM_COMMA, 'D', 'U', 'L',      'T', VK_OEM_1, 'P',      'B',           'Q', 'R',
        'K', 'V',          'Y', 'J', 'G',      'H', 'C',      'N',      'E',           'A', VK_OEM_4,
        'W', 'X',          'I', 'O', VK_OEM_6, 'S', 'M',      VK_OEM_7, VK_OEM_PERIOD, 'Z'};
    if (upper >= u'А' && upper <= u'Я') return kRussian[upper - u'А'];
    switch (upper) {
    case u'Ё':
        return VK_OEM_3;
    case u'І':
        return 'S';
    case u'Ї':
        return VK_OEM_6;
    case u'Є':
        return VK_OEM_7;
    case u'Ў':
        return 'O';
    case u'Ґ':
        return VK_OEM_5;
    case u'№':
        return '3'; // Shift+3 in the Russian layout
    default:
        return 0;
    }
}

} // namespace

int VirtualKeyCode(const KeyFacts& f) {
    if (f.nativeVirtualKey != 0) return static_cast<int>(f.nativeVirtualKey);
    const bool keypad = f.modifiers & Qt::KeypadModifier;
    if (const int vk = NamedKey(f.key, keypad)) return vk;
    if (f.key > 0 && f.key < 0x80) {
        if (const int vk = PunctuationKey(f.key, keypad)) return vk;
    }
    if (f.scanCode >= 8) {
        if (const int vk = PhysicalKey(f.scanCode - 8)) return vk;
    }
    const char16_t ch = !f.text.isEmpty()                ? f.text.at(0).toUpper().unicode()
                        : (f.key > 0 && f.key < 0x10000) ? static_cast<char16_t>(f.key)
                                                         : u'\0';
    if (const int vk = CyrillicKey(ch)) return vk;
    return f.text.isEmpty() ? VK_UNMAPPED : VK_PACKET;
}

int VirtualKeyCode(const QKeyEvent& e) {
    KeyFacts f;
    f.key = e.key();
    f.modifiers = e.modifiers();
    f.text = e.text();
    const platform::NativeKey native = platform::NativeKeyOf(e);
    f.scanCode = native.scanCode;
    f.nativeVirtualKey = native.virtualKey;
    return VirtualKeyCode(f);
}

} // namespace qo
