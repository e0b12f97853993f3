// The number entry, driven through typed keys as the player uses it.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "support/controls.h"
#include "support/wait.h"
#include "widget_test.h"
#include "widgets/edit.h"
#include "widgets/layer/control.h"

namespace qotest {
namespace {

class EditTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        edit = std::make_unique<qo::TQOEdit>(parent());
        // The number boxes of the program: one or two digits, 91 to 99 become 90.
        edit->maxLength = 2;
        edit->maxNumber = 90;
        edit->clampNumber = 1;
        edit->flatBorder = 0;
        edit->cursor = qo::IDC_EDIT_CURSOR;
        edit->onChange = changes.input();
        edit->onKeyDown = keys.input();
    }
    void TearDown() override {
        edit.reset();
        WidgetTest::TearDown();
    }
    // Most tests confirm with Enter; the ones about an unconnected Enter leave it out.
    void Init(bool enterConnected = true) {
        if (enterConnected) edit->onEnter = entered.input();
        edit->Init();
        box = edit->control()->widget();
        box->setFocus();
    }
    const std::string& text() { return edit->control()->text(); }
    qo::TData value() {
        qo::TData d;
        edit->EditValue(d, 0);
        return d;
    }

    std::unique_ptr<qo::TQOEdit> edit;
    QWidget* box = nullptr;
    Probe changes, entered, keys;
};

TEST_F(EditTest, TypedNumberIsReportedBeforeTheClampReplacesIt) {
    Init();
    QTest::keyClicks(box, "95");
    EXPECT_EQ(changes.ints(), (std::vector<int>{9, 95, 90}));
    EXPECT_EQ(text(), "90");
}

TEST_F(EditTest, LetterIsUndoneAndTheCaretReturns) {
    Init();
    QTest::keyClicks(box, "4");
    changes.got.clear();
    QTest::keyClicks(box, "a");
    EXPECT_EQ(text(), "4");
    EXPECT_EQ(edit->edit()->caret(), 1);
    EXPECT_TRUE(changes.got.empty());
    // The box goes on working after an undo.
    QTest::keyClicks(box, "2");
    EXPECT_EQ(changes.ints(), (std::vector<int>{42}));
}

TEST_F(EditTest, DeletingTheLastDigitLeavesNoValue) {
    Init();
    QTest::keyClicks(box, "7");
    changes.got.clear();
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(changes.got.empty());
    EXPECT_EQ(value().kind, qo::dkNull);
}

TEST_F(EditTest, PastedJunkIsUndoneEntirelyAndPastedDigitsAreReported) {
    Init();
    QApplication::clipboard()->setText("1a");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(changes.got.empty());

    QApplication::clipboard()->setText("12");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "12");
    EXPECT_EQ(changes.ints(), (std::vector<int>{12}));
}

TEST_F(EditTest, EnterReportsTheNumberAndEmptiesTheBoxSilently) {
    Init();
    QTest::keyClicks(box, "7");
    changes.got.clear();
    keys.got.clear();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(entered.ints(), (std::vector<int>{7}));
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(changes.got.empty());
    EXPECT_TRUE(keys.got.empty()); // swallowed
    // A letter typed into the emptied box is undone to the empty box, not to the 7 confirmed.
    QTest::keyClicks(box, "a");
    EXPECT_EQ(text(), "");
    // The next typed digit is reported as usual.
    QTest::keyClicks(box, "3");
    EXPECT_EQ(changes.ints(), (std::vector<int>{3}));
}

TEST_F(EditTest, EnterOnAnEmptyBoxIsSwallowedAndChangesNothing) {
    Init();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(entered.got.empty());
    EXPECT_TRUE(keys.got.empty());
    EXPECT_TRUE(changes.got.empty());
    EXPECT_EQ(text(), "");
}

TEST_F(EditTest, UnconnectedEnterGoesToKeyDownAndKeepsTheText) {
    Init(false);
    QTest::keyClicks(box, "5");
    keys.got.clear();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(keys.ints(), (std::vector<int>{13}));
    EXPECT_EQ(text(), "5");
}

TEST_F(EditTest, ValuePointGivesTheNumberOrNull) {
    Init();
    EXPECT_EQ(value().kind, qo::dkNull);
    QTest::keyClicks(box, "08");
    const qo::TData v = value();
    EXPECT_EQ(v.kind, qo::dkInteger);
    EXPECT_EQ(v.integer, 8);
}

TEST_F(EditTest, QuietStartSkipsOnlyTheFirstChange) {
    edit->quietStart = 1;
    Init();
    QTest::keyClicks(box, "12");
    EXPECT_EQ(changes.ints(), (std::vector<int>{12}));
}

TEST_F(EditTest, CharacterEventCarriesEachTypedCharacter) {
    Probe chars;
    edit->onChar = chars.input();
    Init();
    QTest::keyClicks(box, "4x");
    EXPECT_EQ(chars.texts(), (std::vector<std::string>{"4", "x"}));
}

} // namespace
} // namespace qotest
