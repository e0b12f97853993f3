// Faults from outside the program: disks that refuse a ticket, files that are no ticket files, a
// settings file that cannot be used, sounds and an audio system that are not there, and a handler
// that throws. The player is told where a ticket is at stake and nowhere else; nothing crashes or
// hangs, and no file is left half written.
#include <gtest/gtest.h>

#include <chrono>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <stdexcept>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#include "app/class_main_form_d80004.h"
#include "app/inline_code_d9d224.h"
#include "app/program_words.h"
#include "runtime/cp1251.h"
#include "runtime/link.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;

class Faults : public ::testing::Test {
protected:
    Faults() { ui.newTickets(1); }
    std::string path(const std::string& name) const { return ui.programFolder() + name; }
    void save(const std::string& file) { ui.saveTicket(0, file); }
    void open(const std::string& file) { ui.openTicket(0, file); }
    std::string lastBox() {
        return ui.platform().boxes.empty() ? std::string()
                                           : qo::Cp1251ToUtf8(ui.platform().boxes.back().text);
    }

    UiDriver ui;
};

#ifndef _WIN32
// A full disk: a device of our own that, like /dev/full, refuses every byte. The save must say so
// and must not put a file where the device stood.
TEST_F(Faults, SaveToAFullDiskSaysSoAndLeavesTheDeviceAlone) {
    const std::string full = path("full");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "no device nodes here";
    ui.typeIntoEntry(0, "5");
    save(full);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(lastBox().rfind("Билет не сохранён.", 0), 0u) << lastBox();
    struct stat st {};
    ASSERT_EQ(::stat(full.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}
#endif

TEST_F(Faults, SaveOverAFolderSaysSoAndLeavesTheFolder) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path("kept.tkt/inside"))));
    ui.typeIntoEntry(0, "5");
    save(path("kept.tkt"));
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(lastBox().rfind("Билет не сохранён.", 0), 0u) << lastBox();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("kept.tkt/inside"))).isDir());
}

// Whatever bytes a file holds, reading follows the line and token rules: no crash, only numbers
// 1…90 in the cells, every cell white.
TEST_F(Faults, BinaryFileReadsAsTextUpToItsFirstNul) {
    std::string bytes("\x01\xff;7;\x80\r\n\x81\x82\r\xfe", 12);
    bytes += std::string("\0\r\n99;", 6);
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 131 + 7) & 0xff);
    ASSERT_TRUE(writeFile(path("binary.tkt"), bytes));
    open(path("binary.tkt"));
    EXPECT_TRUE(ui.platform().boxes.empty()) << lastBox();
    EXPECT_EQ(ui.cellText(0, 0), "7");
    EXPECT_EQ(ui.notesText(0), "\x81\x82\r\n\xfe");
    for (int cell = 1; cell < 54; ++cell)
        EXPECT_EQ(ui.cellText(0, cell), "") << cell;
}

// A file far larger than any ticket (50 MB) is refused at once with a message; the ticket stays.
TEST_F(Faults, HugeFileIsRefusedQuicklyAndTheTicketStays) {
    ui.typeIntoEntry(0, "5");
    std::string line = "abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklm\r\n";
    std::string bytes = "5;17;\r\n";
    bytes.reserve(50u << 20);
    while (bytes.size() < (50u << 20))
        bytes += line;
    ASSERT_TRUE(writeFile(path("huge.tkt"), bytes));
    bytes = {};
    QElapsedTimer t;
    t.start();
    open(path("huge.tkt"));
    EXPECT_LT(t.elapsed(), 5000);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].caption, qo::Cp1251("Открытие"));
    EXPECT_EQ(ui.cellText(0, 0), "5");
    EXPECT_EQ(ui.cellText(0, 1), "");
    EXPECT_EQ(ui.notesText(0), "");
}

// The settings file cannot be used: a folder of that name, garbage, or 20 MB. The program starts
// where the scheme puts it, says nothing, and closes without harm.
struct SettingsCase {
    const char* name;
    void (*prepare)(const std::string& folder);
};

class BadSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(BadSettings, StartsAtTheSchemePlaceSilentlyAndCloses) {
    QElapsedTimer t;
    t.start();
    UiDriver::Options options;
    options.prepareFolder = GetParam().prepare;
    UiDriver ui(options);
    EXPECT_LT(t.elapsed(), 10000);
    const qo::Rect r = ui.mainWindow().bounds();
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 105);
    ui.newTickets(1);
    ui.typeNumber("7");
    ui.close();
    EXPECT_TRUE(ui.platform().boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BadSettings,
    ::testing::Values(SettingsCase{"AFolder",
                                   [](const std::string& folder) {
                                       QDir().mkpath(QString::fromStdString(folder + "Параметры.ini/x"));
                                   }},
                      SettingsCase{"Garbage",
                                   [](const std::string& folder) {
                                       std::string bytes("[\xd4\xee\xf0\xec\xe0\r\nLeft=\0\xff\xfe[[=\r\nTop",
                                                         24);
                                       for (int i = 0; i < 2000; ++i)
                                           bytes += static_cast<char>((i * 97 + 13) & 0xff);
                                       writeFile(folder + "Параметры.ini", bytes);
                                   }},
                      SettingsCase{"Huge",
                                   [](const std::string& folder) {
                                       std::string bytes;
                                       bytes.reserve(20u << 20);
                                       for (int i = 0; bytes.size() < (20u << 20); ++i)
                                           bytes += "[s" + std::to_string(i % 1000) + "]\r\nk" +
                                                    std::to_string(i) + "=12345\r\n";
                                       writeFile(folder + "Параметры.ini", bytes);
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// Without the sound files a completed row, card and ticket say nothing and colour all the same.
TEST(MissingSounds, CompletedTicketColoursWithoutSoundOrMessage) {
    UiDriver::Options options;
    options.withSounds = false;
    UiDriver ui(options);
    ui.newTickets(1);
    ui.click(0, UiDriver::Button::kFill);
    for (const std::string& text : ui.cellTexts(0)) {
        if (!text.empty()) ui.typeNumber(QString::fromStdString(text));
    }
    EXPECT_EQ(ui.cellColor(0, 0), TQOInlineCode_D9D224::kLightBlue);
    EXPECT_TRUE(ui.platform().sounds.empty());
    EXPECT_TRUE(ui.platform().boxes.empty());
}

// An installed program keeps its sounds in share/fishkodrom/, not beside itself in bin/; a copy that
// has them beside it (the build, a portable folder) plays those.
TEST(InstalledSounds, PlayedFromTheInstalledFolderUnlessBesideTheProgram) {
    QTemporaryDir installed;
    for (const bool beside : {false, true}) {
        UiDriver::Options options;
        options.withSounds = beside;
        UiDriver ui(options);
        ui.platform().installedDataFolderPath = installed.path().toStdString() + "/";
        ASSERT_TRUE(writeFile(ui.platform().installedDataFolderPath + "Звук1.wav", "RIFF"));
        ui.newTickets(1);
        for (const char* n : {"1", "12", "23", "34", "45"}) {
            ui.typeIntoEntry(0, n);
            ui.typeNumber(n);
        }
        const std::string folder = beside ? ui.programFolder() : ui.platform().installedDataFolderPath;
        EXPECT_EQ(ui.platform().sounds, std::vector<std::string>{folder + "Звук1.wav"}) << beside;
    }
}

// The toolkit's own sound path, on a machine with no audio device (as here): playing, replacing
// and missing sounds are no error and do not stop the program.
TEST(NoAudioSystem, ToolkitSoundPathPlaysNothingAndGoesOn) {
    ScriptedPlatform scripted; // a folder to hold the sound
    const std::string wav = scripted.writeFile(
        "Звук1.wav",
        std::string(
            "RIFF$\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\0\0\0\0", 44));
    qo::Platform* previous = qo::SetPlatform(nullptr); // the toolkit's platform
    for (int i = 0; i < 3; ++i) {
        // A sound is handed to the audio thread: the call never waits on the device.
        const auto asked = std::chrono::steady_clock::now();
        qo::PlaySoundFile(wav);
        qo::PlaySoundFile(scripted.folder() + "missing.wav");
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1)) << i;
        // No condition to wait for: the toolkit loads and fails on threads of its own, and what it
        // sends back arrives over a few passes of the loop, which must pass without harm.
        bool turned = false;
        QTimer::singleShot(0, [&turned] { turned = true; });
        settle();
        EXPECT_TRUE(turned) << "the loop stopped turning after sound " << i;
    }
    // No error reaches the player: no box was put up.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QMessageBox*>(w), nullptr) << w->windowTitle().toStdString();
    // Letting go of the device waits on its thread a moment only, whatever the device does.
    const auto before = std::chrono::steady_clock::now();
    qo::ReleaseToolkitSound();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    qo::PlaySoundFile(wav); // made anew
    settle();
    qo::ReleaseToolkitSound();
    qo::SetPlatform(previous);
}

// An element whose handler throws, wired to a button of the main window as any element is: the
// fault reaches the user in one box naming the click, and the program goes on working.
struct Broken {
    bool badAlloc = false;
    void Act(qo::TData&, std::uint16_t) {
        if (badAlloc) throw std::bad_alloc();
        throw std::runtime_error("the element broke");
    }
};

TEST(HandlerFault, ThrowingElementIsToldOnceAndTheProgramGoesOn) {
    UiDriver ui;
    ui.newTickets(1);
    Broken broken;
    qo::TQOButton button(&ui.mainWindow());
    button.SetCaptionText(qo::Cp1251("Сломать"));
    button.onClick = qo::Link<&Broken::Act>(broken);
    button.control()->setBounds(400, 0, 80, 20);
    button.control()->setVisible(true);
    waitUntil([&] { return button.control()->hasWindow() && button.control()->widget()->isVisible(); });

    for (bool badAlloc : {false, true}) {
        broken.badAlloc = badAlloc;
        ui.platform().boxes.clear();
        QTest::mouseClick(button.control()->widget(), Qt::LeftButton);
        ASSERT_TRUE(waitUntilIdle()); // a box put off, or a second one, would be counted too
        ASSERT_EQ(ui.platform().boxes.size(), 1u);
        const std::string text = qo::Cp1251ToUtf8(ui.platform().boxes[0].text);
        EXPECT_EQ(ui.platform().boxes[0].caption, qo::Cp1251("Фишкодром"));
        EXPECT_NE(text.find("нажатие кнопки «Сломать»"), std::string::npos) << text;
        EXPECT_NE(text.find(badAlloc ? "не хватило памяти" : "the element broke"), std::string::npos) << text;
    }
    // The program goes on: a called number still reaches the ticket.
    ui.typeIntoEntry(0, "7");
    ui.typeNumber("7");
    EXPECT_EQ(ui.cellColor(0, 0), TQOInlineCode_D9D224::kRed);
}

// Whatever the layer may be doing when a fault escapes, and whatever keeps the program from
// speaking, the player is told in the program's words, never in the layer's plain English.
TEST(ProgramWords, EveryFaultAndSpeechTroubleIsWordedInRussian) {
    const qo::Words english;
    const qo::Words words = lotto::ProgramWords();
    for (std::size_t i = 0; i < qo::kDoingCount; ++i) {
        EXPECT_FALSE(words.doing[i].empty()) << i;
        EXPECT_NE(words.doing[i], english.doing[i]) << i;
    }
    for (const std::string* said :
         {&words.faultCaption, &words.faultBefore, &words.faultAfter, &words.outOfMemory, &words.unknownFault,
          &words.speechNowhere, &words.speechBuiltWithout, &words.speechNoEngine, &words.speechNotAnswering,
          &words.speechNotAnsweringBecause, &words.speechNoRussianVoice})
        EXPECT_NE(qo::Utf8ToCp1251(*said), *said) << *said; // Cyrillic changes in Windows-1251
}

} // namespace
} // namespace qotest
