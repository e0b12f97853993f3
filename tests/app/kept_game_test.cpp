// The kept game: its text read back exactly and read safely when damaged, and the program keeping
// it, putting it back and telling the player, played over two runs sharing one data folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include "app/class_child_form_da7248.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_kept_game.h"
#include "app/kept_game.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/ui_helpers.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/messages.h"

namespace qotest {
namespace {

using lotto::KeptGame;
using lotto::KeptGameReading;
using lotto::KeptTicket;
using lotto::TQOInlineCode_D9D224;
using Outcome = KeptGameReading::Outcome;

constexpr const char* kRestoreItem = "Вернуть прошлую игру";
constexpr const char* kGameItem = "Игра";

// ---- The text.

KeptGame Example() {
    KeptGame g;
    KeptTicket t;
    t.cells[0] = "5";
    t.cells[13] = "38";
    t.cells[53] = "90";
    t.colours[0] = TQOInlineCode_D9D224::kRed;
    t.colours[13] = TQOInlineCode_D9D224::kGreen;
    t.colours[20] = TQOInlineCode_D9D224::kYellow;
    t.colours[53] = TQOInlineCode_D9D224::kLightBlue;
    t.fillPosition = 29;
    // Every byte that could break a line or a field, and letters of the code page.
    t.notes = qo::Cp1251("Билет №1;  100%\r\nвторая строка\r\n") + std::string("\t\x01\xFF", 3);
    g.tickets.push_back(t);
    g.tickets.emplace_back(); // an empty one, fill position -1
    g.realMoves = {12, 45, 7};
    g.virtualOpen = true;
    g.virtualDrawn = {90, 1, 33};
    g.virtualCount = "10";
    return g;
}

// An independent check line, so hand-made texts can pass as whole.
std::string Sealed(const std::string& body) {
    std::uint32_t h = 2166136261u;
    for (const char c : body)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%x", h);
    return body + "end " + hex + "\r\n";
}

TEST(KeptGameText, EveryPartComesBackExactly) {
    for (bool ended : {false, true}) {
        KeptGame g = Example();
        g.endedByClosing = ended;
        KeptGame back;
        const KeptGameReading r = lotto::ReadKeptGame(lotto::KeptGameText(g), back);
        EXPECT_EQ(r.outcome, Outcome::Read);
        EXPECT_EQ(back, g);
    }
    KeptGame empty, back;
    EXPECT_EQ(lotto::ReadKeptGame(lotto::KeptGameText(empty), back).outcome, Outcome::Read);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(lotto::KeptGameText(Example()).find_first_of(std::string("\x80\xFF\t", 3)), std::string::npos)
        << "plain ASCII, whatever the notes hold";
}

TEST(KeptGameText, ADamagedTextKeepsWhatItCanAndSaysWhy) {
    const std::string text = lotto::KeptGameText(Example());
    KeptGame back;

    // Torn anywhere: never a crash, never "Read"; what stands before the tear is kept.
    for (std::size_t cut = 0; cut < text.size(); cut += 7) {
        const KeptGameReading r = lotto::ReadKeptGame(std::string_view(text).substr(0, cut), back);
        EXPECT_NE(r.outcome, Outcome::Read) << cut;
    }
    const std::size_t afterFirstTicket = text.find("ticket", text.find("ticket") + 1);
    const KeptGameReading torn =
        lotto::ReadKeptGame(std::string_view(text).substr(0, afterFirstTicket), back);
    EXPECT_EQ(torn.outcome, Outcome::Damaged);
    EXPECT_TRUE(torn.truncated);
    ASSERT_EQ(back.tickets.size(), 1u);
    EXPECT_EQ(back.tickets[0], Example().tickets[0]);

    // A bad line is counted and skipped; the rest is read, and the check line no longer agrees.
    std::string edited = text;
    edited.replace(edited.find("real 12"), 7, "real 99");
    const KeptGameReading bad = lotto::ReadKeptGame(edited, back);
    EXPECT_EQ(bad.outcome, Outcome::Damaged);
    EXPECT_EQ(bad.badLines, 2) << "the move and the count that no longer agrees with it";
    EXPECT_TRUE(back.realMoves.empty());
    EXPECT_EQ(back.virtualDrawn, Example().virtualDrawn);

    // Values out of their range are bad lines, not wrong games.
    for (const char* line : {"ticket 30", "ticket x", "colours WWQ", "real 5 5", "drawn 0", "count 123",
                             "cells 1;2", "notes %G1", "virtual maybe", "moves 4"}) {
        const KeptGameReading r = lotto::ReadKeptGame(
            Sealed("fishkodrom-game 1.0\r\nticket 0\r\n" + std::string(line) + "\r\n"), back);
        EXPECT_EQ(r.badLines, 1) << line;
    }
}

TEST(KeptGameText, ATicketsRecordsMayComeInAnyOrder) {
    // An edited or later file may order a ticket's lines otherwise: the ticket is the same.
    const std::string text = lotto::KeptGameText(Example());
    const std::size_t cells = text.find("cells ");
    const std::size_t cellsEnd = text.find("\r\n", cells) + 2;
    const std::size_t next = text.find("ticket", cellsEnd);
    std::string body = text.substr(0, text.find("end "));
    const std::string cellsLine = body.substr(cells, cellsEnd - cells);
    body.erase(cells, cellsEnd - cells);
    body.insert(next - cellsLine.size(), cellsLine); // last of the first ticket's lines
    KeptGame back;
    ASSERT_EQ(lotto::ReadKeptGame(Sealed(body), back).outcome, Outcome::Read);
    EXPECT_EQ(back, Example());
    // A ticket line that is wrong starts no ticket: the lines after it still belong to the one before.
    KeptGame one;
    one.tickets.emplace_back().fillPosition = 3;
    one.tickets[0].notes = "a";
    std::string two = lotto::KeptGameText(one);
    two = two.substr(0, two.find("notes")) + "ticket 99\r\n" + two.substr(two.find("notes"));
    two = Sealed(two.substr(0, two.find("end ")));
    const KeptGameReading r = lotto::ReadKeptGame(two, back);
    EXPECT_EQ(r.badLines, 1);
    EXPECT_EQ(back, one);
}

TEST(KeptGameText, VersionsAndStrangersAreToldApart) {
    KeptGame back;
    EXPECT_EQ(lotto::ReadKeptGame("", back).outcome, Outcome::NotOurs);
    EXPECT_EQ(lotto::ReadKeptGame("5;17;38;\r\nnotes\r\n", back).outcome, Outcome::NotOurs)
        << "a ticket file";
    EXPECT_EQ(lotto::ReadKeptGame(Sealed("fishkodrom-game 2.0\r\nticket 0\r\n"), back).outcome,
              Outcome::Newer);
    EXPECT_TRUE(back.empty());
    // A later minor version may add records: they are skipped, the rest read whole.
    const KeptGameReading later =
        lotto::ReadKeptGame(Sealed("fishkodrom-game 1.7\r\nticket 4\r\nstars 3\r\nreal 8\r\n"), back);
    EXPECT_EQ(later.outcome, Outcome::Read);
    ASSERT_EQ(back.tickets.size(), 1u);
    EXPECT_EQ(back.tickets[0].fillPosition, 4);
    EXPECT_EQ(back.realMoves, std::vector<int>{8});
}

// ---- The program keeping the game, over runs that share one data folder.

class KeptGameRuns : public ::testing::Test {
protected:
    std::string folder() const { return data.path().toStdString() + "/"; }
    std::string file() const { return folder() + lotto::TQOInlineCode_KeptGame::kFileName; }

    std::unique_ptr<UiDriver> run(std::deque<int> startAnswers = {}) {
        UiDriver::Options o;
        o.dataFolder = folder();
        o.startAnswers = std::move(startAnswers);
        return std::make_unique<UiDriver>(o);
    }

    // A game with something of every kind in it.
    static void Play(UiDriver& ui) {
        ui.newTickets(3);
        for (const char* n : {"5", "17", "38", "61", "90"})
            ui.typeIntoEntry(1, n);
        ui.click(2, UiDriver::Button::kFill);
        ui.typeNotes(1, QStringLiteral("Бабушкин билет\nряд 2"));
        for (const char* n : {"5", "17", "38", "61", "90", "33"})
            ui.typeNumber(n);
        ui.chooseMenu(kGameItem);
        const auto& game = ui.gameScheme().controls();
        QTest::mouseClick(button(*game.openClose->control()), Qt::LeftButton);
        typeInto(*game.autogenCount->control(), QStringLiteral("3"));
        QTest::mouseClick(button(*game.autogen->control()), Qt::LeftButton);
    }

    static std::string Shown(qo::TQOWin* w) { return qo::Cp1251ToUtf8(w->control()->text()); }

    QTemporaryDir data;
};

TEST_F(KeptGameRuns, ClosedGameComesBackFromTheMenuExactly) {
    KeptGame played;
    {
        auto ui = run();
        Play(*ui);
        played = ui->keptGame().Collect();
        ui->close();
    }
    KeptGame kept;
    ASSERT_EQ(lotto::ReadKeptGame(readFile(file()), kept).outcome, Outcome::Read);
    EXPECT_TRUE(kept.endedByClosing);
    EXPECT_TRUE(kept.sameGame(played));
    ASSERT_EQ(played.tickets.size(), 3u);
    EXPECT_EQ(played.realMoves.size(), 6u);
    EXPECT_EQ(played.virtualDrawn.size(), 3u);

    auto ui = run();
    EXPECT_TRUE(ui->platform().boxes.empty()) << "a normal close is never offered back";
    EXPECT_EQ(ui->ticketCount(), 0) << "the program still starts with an empty list";
    ui->newTickets(1);
    ui->platform().boxAnswers = {qo::IDNO};
    ui->chooseMenu(kRestoreItem);
    EXPECT_EQ(ui->ticketCount(), 1) << "No keeps the list";
    ASSERT_EQ(ui->platform().boxes.size(), 1u);
    EXPECT_EQ(ui->platform().boxes[0].caption, qo::Cp1251("Подтверждение"));
    EXPECT_EQ(ui->platform().boxes[0].style, qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2);

    ui->platform().boxAnswers = {qo::IDYES};
    ui->chooseMenu(kRestoreItem);
    EXPECT_TRUE(ui->keptGame().Collect().sameGame(played));
    EXPECT_TRUE(ui->platform().sounds.empty()) << "colours come back without their sounds";
    // What the player sees follows, not only what is stored.
    EXPECT_EQ(ui->notesText(1), qo::Cp1251("Бабушкин билет\r\nряд 2"));
    const auto& game = ui->gameScheme().controls();
    EXPECT_EQ(Shown(game.moves), "Ходов: 6");
    EXPECT_EQ(Shown(game.openClose), "Закрыть сеанс");
    EXPECT_EQ(Shown(game.status), "Осталось: 87");
    EXPECT_TRUE(game.generate->control()->enabled());
    // The entry box goes on where it stopped: the sixth number of ticket 2 starts row 2.
    ui->typeIntoEntry(1, "7");
    EXPECT_EQ(ui->cellText(1, 9), "7");
}

TEST_F(KeptGameRuns, AfterACrashTheNextStartOffersTheGameOnce) {
    KeptGame played;
    std::string crashed;
    {
        auto ui = run();
        Play(*ui);
        played = ui->keptGame().Collect();
        ASSERT_TRUE(ui->keptGame().WriteNow());
        crashed = readFile(file()); // what a killed run leaves: its last write, not the close
    }
    ASSERT_TRUE(writeFile(file(), crashed));
    {
        auto ui = run({qo::IDNO});
        ASSERT_EQ(ui->platform().boxes.size(), 1u);
        EXPECT_NE(ui->platform().boxes[0].text.find(qo::Cp1251("(3)")), std::string::npos);
        EXPECT_EQ(ui->ticketCount(), 0);
    }
    {
        auto ui = run({qo::IDYES});
        EXPECT_TRUE(ui->platform().boxes.empty()) << "declined and closed: not offered again";
    }
    ASSERT_TRUE(writeFile(file(), crashed));
    auto ui = run({qo::IDYES});
    EXPECT_TRUE(ui->keptGame().Collect().sameGame(played));
}

TEST_F(KeptGameRuns, ChangesGatherIntoOneWrite) {
    auto ui = run();
    ui->keptGame().delayMs = 60'000; // nothing written by the clock during the test
    ui->newTickets(2);
    for (int i = 1; i <= 20; ++i)
        ui->typeNumber(QString::number(i));
    ui->typeNotes(0, QStringLiteral("двадцать знаков в заметках"));
    EXPECT_EQ(ui->keptGame().writeCount(), 0);
    EXPECT_TRUE(ui->keptGame().WriteNow());
    EXPECT_TRUE(ui->keptGame().WriteNow());
    EXPECT_EQ(ui->keptGame().writeCount(), 1) << "an unchanged game is not written again";

    ui->keptGame().delayMs = 50;
    ui->typeNumber("21");
    EXPECT_TRUE(waitUntil([&] { return ui->keptGame().writeCount() == 2; }));
    KeptGame kept;
    ASSERT_EQ(lotto::ReadKeptGame(readFile(file()), kept).outcome, Outcome::Read);
    EXPECT_EQ(kept.realMoves.size(), 21u);
    EXPECT_FALSE(kept.endedByClosing);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(file() + ".1"))) << "the previous version kept";
}

TEST_F(KeptGameRuns, ADamagedFileFallsBackToTheBackupAndIsKeptBeside) {
    KeptGame played;
    {
        auto ui = run();
        ui->newTickets(2);
        ui->typeNumber("45");
        played = ui->keptGame().Collect();
        ASSERT_TRUE(ui->keptGame().WriteNow());
        // Closing writes once more: the game above becomes the backup.
    }
    const std::string damaged = readFile(file()).substr(0, 100);
    ASSERT_TRUE(writeFile(file(), damaged));
    // The backup ended without a close, so its game is offered too.
    auto ui = run({qo::IDOK, qo::IDYES});
    ASSERT_EQ(ui->platform().boxes.size(), 2u);
    EXPECT_NE(ui->platform().boxes[0].text.find(qo::Cp1251("предыдущая копия")), std::string::npos);
    EXPECT_EQ(readFile(file() + ".bad"), damaged);
    EXPECT_TRUE(ui->keptGame().Collect().sameGame(played));
}

TEST_F(KeptGameRuns, AFileFromANewerVersionIsRefusedAndNotLost) {
    const std::string newer = Sealed("fishkodrom-game 2.0\r\ngalaxy 1\r\n");
    ASSERT_TRUE(writeFile(file(), newer));
    auto ui = run();
    ASSERT_EQ(ui->platform().boxes.size(), 1u);
    EXPECT_NE(ui->platform().boxes[0].text.find(qo::Cp1251("более новой версией")), std::string::npos);
    EXPECT_EQ(readFile(file() + ".bad"), newer);
    ui->chooseMenu(kRestoreItem);
    EXPECT_EQ(ui->platform().boxes.back().text, qo::Cp1251("Прошлой игры нет: возвращать нечего."));
}

TEST_F(KeptGameRuns, AFailedWriteIsToldOnceAndTheTicketsStay) {
    // A folder that cannot be: even an administrator cannot make a folder inside a file.
    ASSERT_TRUE(writeFile(folder() + "plain", "x"));
    UiDriver::Options o;
    o.dataFolder = folder() + "plain/";
    UiDriver ui(o);
    ui.newTickets(2);
    for (int attempt = 0; attempt < 3; ++attempt) {
        ui.typeNumber(QString::number(attempt + 1));
        EXPECT_FALSE(ui.keptGame().WriteNow());
    }
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].caption, qo::Cp1251("Сохранение"));
    EXPECT_EQ(ui.ticketCount(), 2);
}

// A disk that fills is a file-size limit here; Windows has none to set.
#ifndef _WIN32
TEST_F(KeptGameRuns, AFullDiskIsAFailedWriteAndLeavesTheLastGoodFile) {
    auto ui = run();
    ui->newTickets(1);
    ASSERT_TRUE(ui->keptGame().WriteNow());
    const std::string good = readFile(file());
    // The disk "fills" at 1 000 bytes: the next write, of 20 tickets, cannot end.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    ui->newTickets(19);
    const bool written = ui->keptGame().WriteNow();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(file()), good);
    EXPECT_EQ(ui->platform().boxes.size(), 1u);
    EXPECT_TRUE(ui->keptGame().WriteNow()) << "room again: the next try succeeds";
}
#endif

} // namespace
} // namespace qotest
