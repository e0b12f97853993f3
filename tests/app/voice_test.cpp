// The caller's voice: the words for every number of the game, the nicknames, what is said on a draw
// and on a completion (read from the scripted platform), the menu marks kept in the settings file, and
// the real engine saying a phrase aloud.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>
#include <sstream>

#include "app/class_child_form_da7248.h"
#include "app/class_main_form_d80004.h"
#include "app/spoken_numbers.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/ui_helpers.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/menu.h"
#include "widgets/main_form.h"
#include "widgets/menu_element.h"

namespace qotest {
namespace {

constexpr const char* kVoiceItem = "Голос ведущего";
constexpr const char* kNicknamesItem = "Прибаутки";

std::string Utf8(const std::string& cp1251) {
    return qo::Cp1251ToUtf8(cp1251);
}

// ---- The words.

struct Words {
    int n;
    const char* words;
};
class NumberWordsTest : public ::testing::TestWithParam<Words> {};

TEST_P(NumberWordsTest, SaysTheNumber) {
    EXPECT_EQ(Utf8(lotto::NumberWords(GetParam().n)), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Edges, NumberWordsTest,
                         ::testing::Values(Words{1, "один"}, Words{2, "два"}, Words{9, "девять"},
                                           Words{10, "десять"}, Words{11, "одиннадцать"},
                                           Words{19, "девятнадцать"}, Words{20, "двадцать"},
                                           Words{21, "двадцать один"}, Words{40, "сорок"},
                                           Words{47, "сорок семь"}, Words{89, "восемьдесят девять"},
                                           Words{90, "девяносто"}, Words{100, "сто"},
                                           Words{242, "двести сорок два"}, Words{0, "0"}));

// Every number of the game, read back word by word: a slip anywhere in the tables shows as a wrong
// sum, a word too many, or two numbers said alike.
TEST(NumberWords, EveryNumberOfTheGameReadsBack) {
    std::map<std::string, int> value;
    for (int n = 1; n <= 19; ++n)
        value[Utf8(lotto::NumberWords(n))] = n;
    for (int t = 2; t <= 9; ++t)
        value[Utf8(lotto::NumberWords(t * 10))] = t * 10;
    std::set<std::string> said;
    for (int n = 1; n <= 90; ++n) {
        const std::string words = Utf8(lotto::NumberWords(n));
        std::istringstream in(words);
        int sum = 0, count = 0, last = 100;
        for (std::string w; in >> w; ++count) {
            ASSERT_TRUE(value.count(w)) << n << ": " << words;
            EXPECT_LT(value[w], last) << n << ": " << words; // tens before units
            last = value[w];
            sum += value[w];
        }
        EXPECT_EQ(sum, n) << words;
        EXPECT_LE(count, 2) << words;
        EXPECT_TRUE(said.insert(words).second) << words;
    }
}

struct Nick {
    int n;
    const char* nickname; // "" for none
};
class NicknameTest : public ::testing::TestWithParam<Nick> {};

TEST_P(NicknameTest, OldNameOfTheBarrel) {
    EXPECT_EQ(Utf8(lotto::Nickname(GetParam().n)), GetParam().nickname);
}

INSTANTIATE_TEST_SUITE_P(Table, NicknameTest,
                         ::testing::Values(Nick{11, "барабанные палочки"}, Nick{77, "топорики"},
                                           Nick{88, "бабушкины очки"}, Nick{90, "дедушка"}, Nick{1, "кол"},
                                           Nick{13, "чёртова дюжина"}, Nick{47, ""}, Nick{0, ""},
                                           Nick{91, ""}));

TEST(Nickname, EachNameBelongsToOneNumber) {
    std::set<std::string> names;
    int count = 0;
    for (int n = -1; n <= 100; ++n) {
        const std::string name = lotto::Nickname(n);
        if (name.empty()) continue;
        EXPECT_TRUE(n >= 1 && n <= 90) << n;
        EXPECT_TRUE(names.insert(name).second) << Utf8(name);
        ++count;
    }
    EXPECT_GE(count, 15);
}

TEST(CallPhrase, NicknameOnlyWhenAskedAndKnown) {
    EXPECT_EQ(Utf8(lotto::CallPhrase(11, true)), "одиннадцать, барабанные палочки");
    EXPECT_EQ(Utf8(lotto::CallPhrase(11, false)), "одиннадцать");
    EXPECT_EQ(Utf8(lotto::CallPhrase(47, true)), "сорок семь");
}

TEST(CompletionPhrase, TheLargestThingCompletedIsCalled) {
    EXPECT_EQ(Utf8(lotto::CompletionPhrase(3, 1, 0, false)), "Билет три: ряд!");
    EXPECT_EQ(Utf8(lotto::CompletionPhrase(21, 1, 1, false)), "Билет двадцать один: карточка!");
    EXPECT_EQ(Utf8(lotto::CompletionPhrase(1, 1, 1, true)), "Билет один: весь билет!");
    EXPECT_EQ(lotto::CompletionPhrase(3, 0, 0, false), "");
}

// ---- What the program says, through its menu and its game window.

void Draw(UiDriver& ui, int times) {
    const auto& game = ui.gameScheme().controls();
    if (!game.form->control()->visible()) ui.chooseMenu("Игра");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(game.form->control()->widget()));
    if (!game.generate->control()->enabled())
        QTest::mouseClick(button(*game.openClose->control()), Qt::LeftButton);
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(button(*game.generate->control()), Qt::LeftButton);
}

const qo::MenuItem& Item(UiDriver& ui, const char* caption) {
    return ui.menuItem(caption);
}

qo::IniFile Settings(UiDriver& ui) {
    return qo::IniFile(ui.programFolder() + "Параметры.ini");
}

TEST(Voice, OffUntilTurnedOnThenEachDrawIsSpokenAndTheMarkKept) {
    UiDriver ui;
    EXPECT_EQ(Item(ui, kVoiceItem).text, qo::Cp1251("&Голос ведущего"));
    EXPECT_EQ(Item(ui, kVoiceItem).kind, qo::MenuItemKind::Check);
    EXPECT_FALSE(Item(ui, kVoiceItem).checked);
    EXPECT_TRUE(Item(ui, kVoiceItem).enabled);
    Draw(ui, 2);
    EXPECT_TRUE(ui.platform().spoken.empty());
    EXPECT_EQ(ui.settingsFile().find(qo::Cp1251("Ведущий")), std::string::npos);

    ui.chooseMenu(kVoiceItem);
    EXPECT_TRUE(Item(ui, kVoiceItem).checked);
    EXPECT_TRUE(Settings(ui).readBool(qo::Cp1251("Ведущий"), qo::Cp1251("Голос"), false));
    Draw(ui, 3);
    const std::vector<int> drawn = ui.gameScheme().drawn();
    ASSERT_EQ(drawn.size(), 5u);
    ASSERT_EQ(ui.platform().spoken.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ui.platform().spoken[i], lotto::NumberWords(drawn[2 + i]));

    ui.chooseMenu(kVoiceItem);
    EXPECT_FALSE(Item(ui, kVoiceItem).checked);
    Draw(ui, 1);
    EXPECT_EQ(ui.platform().spoken.size(), 3u);
}

TEST(Voice, NicknamesFollowTheNumberWhenTurnedOn) {
    UiDriver ui;
    EXPECT_FALSE(Item(ui, kNicknamesItem).enabled); // nothing to add to while the voice is off
    ui.chooseMenu(kVoiceItem);
    ui.chooseMenu(kNicknamesItem);
    EXPECT_TRUE(Item(ui, kNicknamesItem).checked);
    Draw(ui, 90);
    const std::vector<int> drawn = ui.gameScheme().drawn();
    ASSERT_EQ(ui.platform().spoken.size(), 90u);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        EXPECT_EQ(ui.platform().spoken[i], lotto::CallPhrase(drawn[i], true));
}

TEST(Voice, CompletedRowOfTheFirstTicketIsCalledAfterTheNumber) {
    UiDriver ui;
    ui.newTickets(2);
    for (const char* n : {"5", "17", "38", "61", "90"})
        ui.typeIntoEntry(0, n);
    ui.chooseMenu(kVoiceItem);
    Draw(ui, 90);
    const std::vector<int> drawn = ui.gameScheme().drawn();
    const std::set<int> row{5, 17, 38, 61, 90};
    std::size_t last = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (row.count(drawn[i])) last = i;
    }
    const std::string call = qo::Cp1251("Билет один: ряд!");
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const bool called = ui.platform().spoken[i].find(call) != std::string::npos;
        EXPECT_EQ(called, i == last) << Utf8(ui.platform().spoken[i]);
    }
    EXPECT_EQ(ui.platform().spoken[last], lotto::NumberWords(drawn[last]) + ". " + call);
}

TEST(Voice, KeptMarkComesBackAtStart) {
    UiDriver::Options o;
    o.prepareFolder = [](const std::string& folder) {
        qo::IniFile(folder + "Параметры.ini").writeBool(qo::Cp1251("Ведущий"), qo::Cp1251("Голос"), true);
    };
    UiDriver ui(std::move(o));
    EXPECT_TRUE(Item(ui, kVoiceItem).checked);
    Draw(ui, 1);
    EXPECT_EQ(ui.platform().spoken.size(), 1u);
}

TEST(Voice, NoRussianVoiceGreysTheItemsAndSaysWhy) {
    UiDriver::Options o;
    o.speechProblem = qo::Cp1251("Нет русского голоса.");
    o.prepareFolder = [](const std::string& folder) {
        qo::IniFile(folder + "Параметры.ini").writeBool(qo::Cp1251("Ведущий"), qo::Cp1251("Голос"), true);
    };
    UiDriver ui(std::move(o));
    for (const char* item : {kVoiceItem, kNicknamesItem}) {
        EXPECT_FALSE(Item(ui, item).enabled);
        EXPECT_FALSE(Item(ui, item).checked);
        EXPECT_EQ(Item(ui, item).hint, qo::Cp1251("Нет русского голоса."));
    }
    Draw(ui, 2);
    EXPECT_TRUE(ui.platform().spoken.empty());
    // The player's choice stays for a machine that can speak.
    EXPECT_TRUE(Settings(ui).readBool(qo::Cp1251("Ведущий"), qo::Cp1251("Голос"), false));
}

TEST(Voice, NoEngineIsStartedUntilThePlayerTurnsTheVoiceOn) {
    UiDriver::Options o;
    o.speechProblem = qo::Cp1251("Нет русского голоса.");
    UiDriver ui(std::move(o));
    // Nothing is known to be missing without starting an engine, and none was started.
    EXPECT_EQ(ui.platform().speechEngineStarts, 0);
    EXPECT_TRUE(Item(ui, kVoiceItem).enabled);

    ui.chooseMenu(kVoiceItem);
    EXPECT_EQ(ui.platform().speechEngineStarts, 1);
    EXPECT_FALSE(Item(ui, kVoiceItem).enabled);
    EXPECT_FALSE(Item(ui, kVoiceItem).checked);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_NE(ui.platform().boxes[0].text.find(qo::Cp1251("Нет русского голоса.")), std::string::npos);
    EXPECT_EQ(ui.settingsFile().find(qo::Cp1251("Ведущий")), std::string::npos);
}

// ---- The real engine: the phrase for 47 said into a WAV file is not silence.

TEST(RealVoice, EspeakSaysFortySevenAloud) {
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) GTEST_SKIP() << "espeak-ng is not installed: the real voice is not checked";
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("47.wav"));
    QProcess p;
    p.start(espeak, {QStringLiteral("-v"), QStringLiteral("ru"), QStringLiteral("-w"), wav,
                     QString::fromStdString(Utf8(lotto::CallPhrase(47, true)))});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile f(wav);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const qsizetype data = bytes.indexOf("data");
    ASSERT_GE(data, 0);
    int peak = 0;
    qsizetype loud = 0;
    for (qsizetype i = data + 8; i + 1 < bytes.size(); i += 2) {
        const int s = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        peak = std::max(peak, std::abs(s));
        loud += std::abs(s) > 1000;
    }
    EXPECT_GT(peak, 3000);
    EXPECT_GT(loud, 2000); // a good part of a second of voice, not a click
}

} // namespace
} // namespace qotest
