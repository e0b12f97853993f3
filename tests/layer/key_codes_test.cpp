// Key codes: every key a keyboard can send has one that is not 0, whatever the layout; letters of
// another alphabet are named by the key they lie on.
#include "widgets/layer/key_codes.h"
#include "widgets/layer/messages.h"
#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* name;
    qo::KeyFacts facts;
    int code;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

qo::KeyFacts Key(int key, const char16_t* text = u"", unsigned scan = 0,
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
    qo::KeyFacts f;
    f.key = key;
    f.text = QString::fromUtf16(text);
    f.scanCode = scan;
    f.modifiers = mods;
    return f;
}

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, NameTheKey) {
    EXPECT_EQ(qo::VirtualKeyCode(GetParam().facts), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyCodes,
    ::testing::Values(
        KeyCase{"LatinLetterIsItsCapital", Key(Qt::Key_A, u"a"), 'A'},
        KeyCase{"DigitRowAndKeypad", Key(Qt::Key_7, u"7"), '7'},
        KeyCase{"KeypadDigit", Key(Qt::Key_7, u"7", 0, Qt::KeypadModifier), qo::VK_NUMPAD0 + 7},
        KeyCase{"Return", Key(Qt::Key_Return, u"\r"), qo::VK_RETURN},
        KeyCase{"PeriodIsNotDelete", Key(Qt::Key_Period, u"."), qo::VK_OEM_PERIOD},
        KeyCase{"KeypadPeriodIsDecimal", Key(Qt::Key_Period, u".", 0, Qt::KeypadModifier), qo::VK_DECIMAL},
        KeyCase{"CommaIsNotPrintScreen", Key(Qt::Key_Comma, u","), qo::VK_OEM_COMMA},
        KeyCase{"ShiftedDigit", Key(Qt::Key_NumberSign, u"#"), '3'},
        KeyCase{"RussianLetterWithoutHardwareCode", Key(0x424, u"ф"), 'A'},
        KeyCase{"RussianLetterOnAPunctuationKey", Key(0x411, u"б"), qo::VK_OEM_COMMA},
        KeyCase{"RussianLastLetter", Key(0x42F, u"Я"), 'Z'}, KeyCase{"Yo", Key(0x401, u"ё"), qo::VK_OEM_3},
        KeyCase{"NumeroIsShiftThree", Key(0x2116, u"№"), '3'},
        // A real keyboard tells the key itself: the fourth key of the home row is F in any layout.
        KeyCase{"HardwareKeyWins", Key(0x410, u"а", 41), 'F'},
        KeyCase{"UnknownCharacter", Key(Qt::Key_unknown, u"\U0001F600"), qo::VK_PACKET},
        KeyCase{"UnknownKeyWithoutText", Key(Qt::Key_LaunchMail), qo::VK_UNMAPPED}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
