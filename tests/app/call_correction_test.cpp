// Taking a mis-call back: Delete on a move of the real game's list, or Ctrl+Z on the empty number
// box, and every ticket showing what it would had the number never come.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <memory>

#include "app/class_child_form_da7248.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_kept_game.h"
#include "app/paste_calls.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/messages.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;

constexpr int At(int row, int column) {
    return row * 9 + column;
}

class CallCorrection : public ::testing::Test {
protected:
    CallCorrection() {
        ui.newTickets(1);
        for (const char* n : {"5", "17", "38", "61", "90"})
            ui.typeIntoEntry(0, n);
    }
    void call(std::initializer_list<const char*> numbers) {
        for (const char* n : numbers)
            ui.typeNumber(n);
    }
    std::string moves() { return qo::Cp1251ToUtf8(ui.gameScheme().controls().moves->control()->text()); }
    std::string list() { return ui.gameScheme().controls().calledNumbers->control()->text(); }

    UiDriver ui;
};

TEST_F(CallCorrection, AMoveTakenBackUndoesItsMarksAndWhatTheyCompleted) {
    call({"5", "17", "38", "61", "90", "44"});
    ASSERT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kGreen);
    ui.platform().sounds.clear();

    ui.removeMove(3); // 61: the row is one short again
    EXPECT_EQ(list(), "5\r\n17\r\n38\r\n90\r\n44\r\n");
    EXPECT_EQ(moves(), "Ходов: 5");
    for (const int column : {0, 1, 3, 8})
        EXPECT_EQ(ui.cellColor(0, At(0, column)), TQOInlineCode_D9D224::kRed) << column;
    EXPECT_EQ(ui.cellColor(0, At(0, 6)), TQOInlineCode_D9D224::kWhite);
    EXPECT_TRUE(ui.platform().sounds.empty()) << "a replay is silent";

    // Called again, it completes the row again, with its sound.
    call({"61"});
    EXPECT_EQ(ui.cellColor(0, At(0, 6)), TQOInlineCode_D9D224::kGreen);
    EXPECT_EQ(ui.soundNames().size(), 1u);
}

// A call goes through the list only to the tickets it may change; elsewhere the game records it.
// A ticket whose colours were set from outside is one it may change, holding the number or not.
TEST_F(CallCorrection, ACallStillMarksThroughColoursSetFromOutsideOnATicketWithoutTheNumber) {
    ui.newTickets(1);
    for (const int column : {0, 1, 2, 3, 4})
        ui.cell(1, At(3, column)).setColor(TQOInlineCode_D9D224::kRed); // five empty cells made red
    ui.platform().sounds.clear();
    call({"44"}); // on neither ticket
    EXPECT_EQ(ui.cellColor(1, At(3, 0)), TQOInlineCode_D9D224::kGreen);
    EXPECT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(ui.soundNames().size(), 1u);
    // Both tickets were given it: taken back, it leaves both as they were before.
    ui.removeMove(0);
    EXPECT_TRUE(ui.logic(0).delivered().empty());
    EXPECT_TRUE(ui.logic(1).delivered().empty());
    EXPECT_EQ(ui.cellColor(1, At(3, 0)), TQOInlineCode_D9D224::kGreen) << "a colour the call did not make";
}

TEST_F(CallCorrection, CtrlZOnTheEmptyBoxTakesTheLastMoveOnly) {
    call({"5", "17"});
    ui.undoInNumberBox();
    EXPECT_EQ(list(), "5\r\n");
    EXPECT_EQ(ui.cellColor(0, At(0, 1)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kRed);

    // With digits in the box, Ctrl+Z is the box's own: the game keeps its moves.
    ui.typeNumber("4", false);
    ui.undoInNumberBox();
    EXPECT_EQ(list(), "5\r\n");
    ui.typeNumber("", true);

    ui.undoInNumberBox();
    ui.undoInNumberBox(); // nothing left to take: no fault
    EXPECT_EQ(list(), "");
    EXPECT_EQ(moves(), "Ходов: 0");
    EXPECT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kWhite);
}

TEST_F(CallCorrection, OnlyDeliveriesSinceTheTicketWasWhiteReplay) {
    call({"5", "17"});
    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(0, UiDriver::Button::kResetColours); // the ticket starts afresh
    call({"38"});
    ui.removeMove(0); // 5 came before the ticket was white: nothing on it changes
    EXPECT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(ui.cellColor(0, At(0, 3)), TQOInlineCode_D9D224::kRed);

    // A number typed into a cell after its call is marked by the replay, as the rule says: the
    // replay marks the cells as they stand.
    ui.typeIntoCell(0, At(1, 1), "17");
    ui.removeMove(1); // 38
    EXPECT_EQ(ui.cellColor(0, At(0, 3)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(ui.cellColor(0, At(1, 1)), TQOInlineCode_D9D224::kWhite) << "17 came before the reset";
}

// A take-back changes only what its number did: tickets whose numbers were reset, typed anew or
// filled since show what they showed; a ticket given the number since it was made loses its mark.
TEST_F(CallCorrection, AfterResettingAllNumbersATakeBackLeavesWhatTheResetLeft) {
    ui.newTickets(1);
    for (const char* n : {"5", "17"})
        ui.typeIntoEntry(1, n);
    call({"5", "17", "38"});
    ui.platform().boxAnswers = {qo::IDYES};
    ui.chooseMenu("Сброс всех чисел");
    ASSERT_EQ(ui.cellText(0, At(0, 0)), "");
    ASSERT_EQ(ui.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kRed) << "the reset keeps the colours";

    // Ticket 1 gets new numbers over its red cells, 17 again among them; ticket 2 is filled; a new
    // ticket 3 is given 44 and 38; one more ticket comes and goes; then 44 is called.
    for (const char* n : {"7", "17"})
        ui.typeIntoEntry(0, n);
    ui.click(1, UiDriver::Button::kFill);
    ui.newTickets(1);
    ui.typeIntoEntry(2, "44");
    ui.typeIntoEntry(2, "38");
    ui.newTickets(1);
    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(3, UiDriver::Button::kDelete);
    ASSERT_EQ(ui.ticketCount(), 3);
    call({"44"});
    const auto colours = [&](int ticket) {
        std::vector<qo::Color> c;
        for (int i = 0; i < 54; ++i)
            c.push_back(ui.cellColor(ticket, i));
        return c;
    };
    const std::vector<qo::Color> first = colours(0), second = colours(1);
    ASSERT_EQ(first[At(0, 1)], TQOInlineCode_D9D224::kRed);

    ui.removeMove(1); // 17
    ui.removeMove(0); // 5
    EXPECT_EQ(colours(0), first) << "ticket 1 shows what it showed";
    EXPECT_EQ(colours(1), second) << "ticket 2 was filled since";
    EXPECT_EQ(ui.cellColor(2, At(0, 4)), TQOInlineCode_D9D224::kRed) << "44 stays";

    ui.removeMove(1); // 44: what it marked goes, and only that
    EXPECT_EQ(ui.cellColor(2, At(0, 4)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(colours(0), first);
    EXPECT_EQ(colours(1), std::vector<qo::Color>(54, TQOInlineCode_D9D224::kWhite));
    EXPECT_EQ(list(), "38\r\n");
}

TEST_F(CallCorrection, TheKeptGameKeepsWhatEachTicketWasGiven) {
    QTemporaryDir data;
    UiDriver::Options o;
    o.dataFolder = data.path().toStdString() + "/";
    {
        UiDriver first(o);
        first.newTickets(1);
        first.typeIntoEntry(0, "5");
        first.typeIntoEntry(0, "17");
        first.typeNumber("5");
        first.typeNumber("17");
        first.close();
    }
    UiDriver second(o);
    second.chooseMenu("Вернуть прошлую игру");
    second.removeMove(0);
    EXPECT_EQ(second.cellColor(0, At(0, 0)), TQOInlineCode_D9D224::kWhite);
    EXPECT_EQ(second.cellColor(0, At(0, 1)), TQOInlineCode_D9D224::kRed);
}

// ---- Catching up in one paste, and the list's context menu.

struct PasteCase {
    const char* text;
    std::vector<int> numbers;
    std::vector<std::string> skipped;
};

class PasteSplit : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteSplit, NumbersInOrderAndTheRestNamed) {
    const auto pieces = lotto::TQOInlineCode_PasteCalls::Split(GetParam().text);
    EXPECT_EQ(pieces.numbers, GetParam().numbers);
    EXPECT_EQ(pieces.skipped, GetParam().skipped);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PasteSplit,
    ::testing::Values(PasteCase{"12 45, 7;81", {12, 45, 7, 81}, {}}, PasteCase{"\r\n 1\t90;;,", {1, 90}, {}},
                      PasteCase{"07 0 00 91 007 5a -3 12.", {7}, {"0", "00", "91", "007", "5a", "-3", "12."}},
                      PasteCase{"", {}, {}}));

// Opens the widget's context menu at `at` and chooses its item with that text or object name.
void ChooseFromContextMenu(QWidget* w, QPoint at, const QString& item) {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* a : popup->actions()) {
                if (a->text() == item || a->objectName() == item) {
                    chosen = true;
                    a->trigger();
                }
            }
            popup->close();
        }
    });
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
    waitUntilIdle();
    EXPECT_TRUE(chosen) << item.toStdString();
}

TEST_F(CallCorrection, APastedListIsEnteredAsTypedAndTheRestNamedOnce) {
    QApplication::clipboard()->setText(QStringLiteral("5 17, 38;61\n95 абв 0 07"));
    QWidget* box = ui.root().numberBox().control()->widget();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    waitUntilIdle();
    EXPECT_EQ(list(), "5\r\n17\r\n38\r\n61\r\n7\r\n");
    EXPECT_EQ(ui.cellColor(0, At(0, 6)), TQOInlineCode_D9D224::kRed);
    EXPECT_EQ(ui.numberBoxText(), "") << "nothing of the paste stays in the box";
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(qo::Cp1251ToUtf8(ui.platform().boxes[0].text),
              "Вставлено чисел: 5. Пропущено то, что не число от 1 до 90: «95», «абв», «0».");

    // Shift+Insert and the box's own menu paste the same way.
    QApplication::clipboard()->setText(QStringLiteral("90\n90"));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    waitUntilIdle();
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), TQOInlineCode_D9D224::kGreen)
        << "the fifth number completes the row";
    ui.undoInNumberBox();
    ChooseFromContextMenu(box, QPoint(5, 5), QStringLiteral("edit-paste"));
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), TQOInlineCode_D9D224::kGreen);
    EXPECT_EQ(ui.platform().boxes.size(), 1u);
}

// A text with one number or none is the box's to paste, as it takes any text: a number waits in
// it for Enter (over 90 shown as 90), anything else is undone whole, and nobody is told.
struct OnePaste {
    const char* name;
    const char* text;
    const char* shown;
};

class PasteIntoTheBox : public CallCorrection, public ::testing::WithParamInterface<OnePaste> {};

TEST_P(PasteIntoTheBox, AsTheBoxTakesAnyText) {
    call({"44"}); // the box emptied by Enter is what a text it undoes goes back to
    QWidget* box = ui.root().numberBox().control()->widget();
    box->setFocus();
    QApplication::clipboard()->setText(QString::fromUtf8(GetParam().text));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    waitUntilIdle();
    EXPECT_EQ(ui.numberBoxText(), GetParam().shown);
    EXPECT_EQ(list(), "44\r\n") << "nothing is called before Enter";
    EXPECT_TRUE(ui.platform().boxes.empty());
    ui.typeNumber("", true);
    EXPECT_EQ(list(),
              "44\r\n" + (*GetParam().shown ? std::string(GetParam().shown) + "\r\n" : std::string()));
}

INSTANTIATE_TEST_SUITE_P(Paste, PasteIntoTheBox,
                         ::testing::Values(OnePaste{"Number", "12", "12"}, OnePaste{"OverNinety", "95", "90"},
                                           OnePaste{"NumberAndLetter", "1a", ""},
                                           OnePaste{"Letters", "абв", ""},
                                           OnePaste{"NumberAndWord", "5 x", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CallCorrection, TheListsContextMenuRemovesTheMoveClickedOn) {
    call({"5", "17", "38"});
    ui.chooseMenu("Игра");
    auto* list = ui.gameScheme().controls().calledNumbers->control();
    auto* w = qobject_cast<QPlainTextEdit*>(list->widget());
    ASSERT_NE(w, nullptr);
    const QRect second = w->cursorRect(QTextCursor(w->document()->findBlockByNumber(1)));
    ChooseFromContextMenu(w->viewport(), second.center(), QStringLiteral("Удалить ход"));
    EXPECT_EQ(this->list(), "5\r\n38\r\n");
    EXPECT_EQ(ui.cellColor(0, At(0, 1)), TQOInlineCode_D9D224::kWhite);
}

// ---- The real game's list as any list: the line clicked or moved to by the keys is the one a
// take-back acts on, and after it the nearest line is current.

class RealGameList : public CallCorrection {
protected:
    RealGameList() {
        call({"5", "17", "38", "61"});
        ui.chooseMenu("Игра");
        w = qobject_cast<QPlainTextEdit*>(ui.gameScheme().controls().calledNumbers->control()->widget());
    }
    QPoint lineAt(int line) const {
        return w->cursorRect(QTextCursor(w->document()->findBlockByNumber(line))).center();
    }
    void press(Qt::Key key) {
        QTest::keyClick(w, key);
        waitUntilIdle();
    }
    // Keys go to the focus: back from the main window's box, the list has it again.
    void clickLine(int line) {
        w->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->window()));
        w->setFocus();
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, lineAt(line));
    }
    QPlainTextEdit* w = nullptr;
};

TEST_F(RealGameList, ArrowsMoveTheLineDeleteTakesBack) {
    ASSERT_NE(w, nullptr);
    clickLine(0);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Delete);
    EXPECT_EQ(list(), "5\r\n17\r\n61\r\n");
    EXPECT_EQ(ui.cellColor(0, At(0, 3)), TQOInlineCode_D9D224::kWhite);
    press(Qt::Key_Up);
    press(Qt::Key_Delete);
    EXPECT_EQ(list(), "5\r\n61\r\n") << "up from the line that took 38's place is 17";
}

TEST_F(RealGameList, DeleteOnTheLastLineTwiceTakesTheLastTwo) {
    ASSERT_NE(w, nullptr);
    clickLine(3);
    press(Qt::Key_Delete);
    press(Qt::Key_Delete);
    EXPECT_EQ(list(), "5\r\n17\r\n");
    EXPECT_EQ(ui.cellColor(0, At(0, 1)), TQOInlineCode_D9D224::kRed);
    EXPECT_EQ(ui.cellColor(0, At(0, 3)), TQOInlineCode_D9D224::kWhite);
    // In the middle, the line that takes the place is next.
    ui.typeNumber("90");
    clickLine(1);
    press(Qt::Key_Delete);
    press(Qt::Key_Delete);
    EXPECT_EQ(list(), "5\r\n");
}

// A press on a control of the game window is the control's: only one on a free spot of the window
// starts moving it.
TEST_F(RealGameList, OnlyAPressOnAFreeSpotMovesTheWindow) {
    ASSERT_NE(w, nullptr);
    qo::Control* form = ui.gameScheme().controls().form->control();
    int drags = 0;
    auto previous = std::make_shared<qo::Control::MessageHandler>();
    *previous = form->setMessageHandler([&drags, previous](qo::Message& m) {
        if (m.msg == qo::WM_SYSCOMMAND && m.wParam == qo::SC_DRAGMOVE) ++drags;
        return *previous ? (*previous)(m) : false;
    });
    // Sent as the toolkit delivers it, without the context menu a window system adds.
    for (const Qt::MouseButton b : {Qt::RightButton, Qt::LeftButton, Qt::MiddleButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, lineAt(1), w->viewport()->mapToGlobal(lineAt(1)), b, b,
                          {});
        QApplication::sendEvent(w->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, lineAt(1), w->viewport()->mapToGlobal(lineAt(1)), b,
                            {}, {});
        QApplication::sendEvent(w->viewport(), &release);
    }
    waitUntilIdle();
    EXPECT_EQ(drags, 0) << "a press on the list";
    QWidget* client = w->parentWidget();
    // The back and forward buttons move nothing, on a free spot either.
    for (const Qt::MouseButton b : {Qt::BackButton, Qt::ForwardButton}) {
        QTest::mousePress(client, b, {}, QPoint(3, client->height() - 3));
        QTest::mouseRelease(client, b, {}, QPoint(3, client->height() - 3));
    }
    waitUntilIdle();
    EXPECT_EQ(drags, 0) << "a back or forward press on a free spot";
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(3, client->height() - 3));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(3, client->height() - 3));
    EXPECT_EQ(drags, 1) << "a press on a free spot";
    form->setMessageHandler(std::move(*previous));
}

} // namespace
} // namespace qotest
