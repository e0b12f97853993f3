// The memo: lines in and out, its change event, and Tab.
#include <QTest>

#include "support/controls.h"
#include "widget_test.h"
#include "widgets/memo.h"

namespace qotest {
namespace {

class MemoTest : public WidgetTest {
protected:
    void Make(bool editable) {
        memo = std::make_unique<qo::TQOMemo>(parent());
        memo->left = 10;
        memo->top = 10;
        memo->width = 130;
        memo->height = 97;
        memo->scrollBars = 2;
        memo->editable = editable ? 1 : 0;
        memo->flatBorder = 0;
        memo->onChange = changes.input();
        memo->Init();
        memo->control()->widget()->setFocus();
    }
    void TearDown() override {
        memo.reset();
        WidgetTest::TearDown();
    }
    std::string All() {
        qo::TData d;
        memo->AllText(d, 0);
        return qo::ToText(d);
    }
    int Lines() {
        qo::TData d;
        memo->LineCount(d, 0);
        return qo::ToInteger(d);
    }
    void Add(const std::string& line) {
        qo::TData d;
        qo::MakeString(d, line);
        memo->AddLine(d, 0);
    }

    std::unique_ptr<qo::TQOMemo> memo;
    Probe changes;
};

TEST_F(MemoTest, EmptyMemoHasOneEmptyLine) {
    Make(false);
    EXPECT_EQ(Lines(), 1);
    EXPECT_EQ(All(), "\r\n");
}

TEST_F(MemoTest, AddLineAppendsAndReportsOnceWithNull) {
    Make(false);
    Add("1");
    changes.got.clear();
    Add("5");
    EXPECT_EQ(memo->control()->text(), "1\r\n5\r\n");
    EXPECT_EQ(changes.got.size(), 1u);
    EXPECT_TRUE(changes.allNull());
    EXPECT_EQ(Lines(), 3); // the empty line after the last CR LF counts
    EXPECT_EQ(All(), "1\r\n5\r\n\r\n");
}

TEST_F(MemoTest, WholeTextReplacementsReportOnceWithNull) {
    Make(true);
    qo::TData d;
    qo::MakeString(d, "a\r\nb");
    memo->SetLines(d, 0);
    EXPECT_EQ(Lines(), 2);
    memo->ClearLines(d, 0);
    EXPECT_EQ(memo->control()->text(), "");
    EXPECT_EQ(changes.got.size(), 2u);
    EXPECT_TRUE(changes.allNull());
}

TEST_F(MemoTest, TypingReportsTheWholeText) {
    Make(true);
    qo::TData d;
    qo::MakeString(d, "ab");
    memo->SetLines(d, 0);
    changes.got.clear();
    memo->lines()->setCaret(2);
    QTest::keyClicks(memo->control()->widget(), "c");
    EXPECT_EQ(changes.texts(), (std::vector<std::string>{"abc"}));
}

TEST_F(MemoTest, LongLineIsReadBackAsTheWrappedLines) {
    Make(true);
    const std::string line = "lotto numbers are drawn from one to ninety without repetition";
    qo::TData d;
    qo::MakeString(d, line);
    memo->SetLines(d, 0);
    EXPECT_GT(Lines(), 1);
    std::string joined;
    for (char c : All()) {
        if (c != '\r' && c != '\n') joined += c;
    }
    // Wrapping splits the text between lines without losing anything but the break blanks.
    std::string expected;
    for (char c : line) {
        if (c != ' ') expected += c;
    }
    std::string got;
    for (char c : joined) {
        if (c != ' ') got += c;
    }
    EXPECT_EQ(got, expected);
}

TEST_F(MemoTest, TabInAReadOnlyMemoAppendsOneTab) {
    Make(false);
    Add("1");
    changes.got.clear();
    QTest::keyClick(memo->control()->widget(), Qt::Key_Tab);
    EXPECT_EQ(memo->control()->text(), "1\r\n\t");
    EXPECT_TRUE(changes.got.empty());
}

TEST_F(MemoTest, TabInAnEditableMemoAddsTwoTabs) {
    Make(true);
    QTest::keyClick(memo->control()->widget(), Qt::Key_Tab);
    const std::string text = memo->control()->text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 2);
    ASSERT_EQ(changes.got.size(), 1u); // only the box's own tab is a user edit
    EXPECT_EQ(changes.texts()[0], text);
}

} // namespace
} // namespace qotest
