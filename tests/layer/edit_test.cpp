// Edits and memos: lines as the box shows them, change reports, keys and characters.
#include "runtime/cp1251.h"
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>
#include <gtest/gtest.h>

#include <vector>

using qo::Control;
namespace eo = qo::edit_option;

namespace {

constexpr std::uint32_t kMemoOptions = eo::MultiLine | eo::NoHScroll | eo::NoHideSel | eo::KeepTab;

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(0, 0, 400, 300);
    }
    void TearDown() override { form->destroy(); }
    qo::EditControl* memo(std::uint32_t options = kMemoOptions) {
        auto* m = qo::EditControl::Create(form, options);
        m->setBounds(5, 5, 130, 97);
        return m;
    }
    qo::FormControl* form = nullptr;
};

struct LineCase {
    const char* name;
    const char* text;
    int lines;
    const char* last;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class MemoLines : public EditTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MemoLines, CountsLinesAsTheBoxHoldsThem) {
    auto* m = memo();
    m->setText(GetParam().text);
    EXPECT_EQ(m->lineCount(), GetParam().lines);
    EXPECT_EQ(m->line(m->lineCount() - 1), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoLines,
                         ::testing::Values(LineCase{"Empty", "", 1, ""}, LineCase{"OneLine", "12", 1, "12"},
                                           LineCase{"FinalBreakCountsEmptyLine", "1\r\n5\r\n", 3, ""},
                                           LineCase{"NoFinalBreak", "1\r\n5", 2, "5"},
                                           LineCase{"LoneCarriageReturn", "a\rb", 2, "b"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, MemoWrapsLongLinesAtItsTextWidth) {
    auto* m = memo();
    std::string longLine;
    for (int i = 0; i < 30; ++i)
        longLine += "word ";
    m->setText(longLine);
    const int hidden = m->lineCount();
    EXPECT_GT(hidden, 3);
    std::string joined;
    for (int i = 0; i < hidden; ++i)
        joined += m->line(i);
    EXPECT_EQ(joined, longLine);

    // The same count as the shown box lays out.
    ASSERT_TRUE(qotest::showForm(*form));
    auto* box = qotest::memo(*m);
    int shown = 0;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        shown += b.layout()->lineCount();
    EXPECT_EQ(m->lineCount(), shown);

    // Sideways scrolling means no wrapping.
    auto* wide = memo(eo::MultiLine | eo::NoVScroll);
    wide->setText(longLine);
    EXPECT_EQ(wide->lineCount(), 1);
}

TEST_F(EditTest, MemoAppendsReplaceTheTextWithoutReportingChange) {
    auto* m = memo();
    int changes = 0;
    m->setOnChange([&] { ++changes; });
    m->appendText("1");
    m->appendText("\r\n");
    m->appendText("5");
    m->appendText("\r\n");
    EXPECT_EQ(m->text(), "1\r\n5\r\n");
    EXPECT_EQ(m->lineCount(), 3);
    m->setText("x");
    m->clear();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m->lineCount(), 1);
}

// A box growing at its end, shown or not, lays out and shows what the whole text written at once
// does: wrapped lines, a paragraph continued by the next piece, a break split across two pieces.
TEST_F(EditTest, MemoGrownPieceByPieceEqualsTheWholeTextSetAtOnce) {
    const std::vector<std::string> pieces = {
        "1",  "\r\n", "5",        "\r\n", "word word word word word word word ", "word word word word", "\r",
        "\n", "",     "\r\n\r\n", "77"};
    for (const bool shown : {false, true}) {
        auto* grown = memo();
        auto* whole = memo();
        if (shown) ASSERT_TRUE(qotest::showForm(*form));
        std::string all;
        for (const std::string& piece : pieces) {
            grown->appendText(piece);
            all += piece;
            whole->setText(all);
            ASSERT_EQ(grown->text(), all);
            ASSERT_EQ(grown->lineCount(), whole->lineCount()) << "after \"" << piece << "\", shown " << shown;
            for (int i = 0; i < whole->lineCount(); ++i)
                ASSERT_EQ(grown->line(i), whole->line(i)) << i;
            EXPECT_EQ(grown->caret(), 0);
            EXPECT_EQ(grown->firstVisibleLine(), 0);
        }
        if (shown) EXPECT_EQ(qotest::memo(*grown)->toPlainText(), qotest::memo(*whole)->toPlainText());
        grown->destroy();
        whole->destroy();
    }
}

TEST_F(EditTest, OneLineEditReportsWholeTextReplacement) {
    auto* e = qo::EditControl::Create(form, eo::Number);
    std::vector<std::string> seen;
    e->setOnChange([&] { seen.push_back(e->text()); });
    e->setText("95");
    e->appendText("0");
    e->clear();
    EXPECT_EQ(seen, (std::vector<std::string>{"95", "950", ""}));
}

TEST_F(EditTest, TypingReportsEachChangeAndDigitsOnlyRefusesLetters) {
    auto* e = qo::EditControl::Create(form, eo::Number);
    ASSERT_TRUE(qotest::showForm(*form));
    std::vector<std::string> seen;
    e->setOnChange([&] { seen.push_back(e->text()); });
    qotest::typeInto(*e, "9a5");
    EXPECT_EQ(seen, (std::vector<std::string>{"9", "95"}));
    EXPECT_EQ(e->text(), "95");
    EXPECT_EQ(e->caret(), 2);
}

TEST_F(EditTest, MemoReportsTypingWithItsStoredText) {
    auto* m = memo();
    ASSERT_TRUE(qotest::showForm(*form));
    m->setText("ab");
    m->setCaret(2);
    int changes = 0;
    m->setOnChange([&] { ++changes; });
    QWidget* w = m->widget();
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClicks(w, "c");
    EXPECT_EQ(m->text(), "ab\r\nc");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(m->caret(), 5); // CR LF counts two
}

TEST_F(EditTest, KeyDownHandlerConsumesByZeroingTheKey) {
    auto* e = qo::EditControl::Create(form, 0);
    ASSERT_TRUE(qotest::showForm(*form));
    std::vector<int> downs;
    e->setOnKeyDown([&](int& key, int) {
        downs.push_back(key);
        if (key == 'X') key = 0;
    });
    qotest::typeInto(*e, "axb");
    EXPECT_EQ(e->text(), "ab");
    EXPECT_EQ(downs, (std::vector<int>{'A', 'X', 'B'}));
}

TEST_F(EditTest, CharHandlerConsumesOrReplacesAndEachTypedCharacterIsOneChange) {
    auto* e = qo::EditControl::Create(form, 0);
    ASSERT_TRUE(qotest::showForm(*form));
    e->setOnChar([](int& ch) {
        if (ch == 'q') ch = 0;
        if (ch == 'r') ch = static_cast<unsigned char>(qo::Cp1251("ж")[0]);
    });
    std::vector<std::string> seen;
    e->setOnChange([&] { seen.push_back(e->text()); });
    qotest::typeInto(*e, "aqr");
    EXPECT_EQ(e->text(), "a" + qo::Cp1251("ж"));
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "a" + qo::Cp1251("ж")}));
}

// A Russian layout's letters come with keys no Latin layout has. Each key still has a code, each
// character arrives in the program's code page, a character the code page lacks becomes '?', and
// a digits-only box keeps only the digits.
TEST_F(EditTest, LettersOfAnyLayoutArriveInTheCodePage) {
    auto* m = memo();
    auto* digits = qo::EditControl::Create(form, eo::Number);
    digits->setBounds(5, 120, 60, 21);
    ASSERT_TRUE(qotest::showForm(*form));
    std::vector<int> keys;
    std::string chars;
    m->setOnKeyDown([&](int& key, int) { keys.push_back(key); });
    m->setOnChar([&](int& ch) { chars.push_back(static_cast<char>(ch)); });

    qotest::typeInto(*m, QStringLiteral("Билет №1\nёЁ \u0101\U0001F600"));
    EXPECT_EQ(m->text(), qo::Cp1251("Билет №1\r\nёЁ ??"));
    EXPECT_EQ(qotest::memo(*m)->toPlainText(), QStringLiteral("Билет №1\nёЁ ??"));
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 0);
    EXPECT_EQ(keys.front(), qo::VK_OEM_COMMA); // Б lies on the comma key
    EXPECT_EQ(chars, qo::Cp1251("Билет №1\rёЁ ??"));

    qotest::typeInto(*digits, QStringLiteral("ж5б7"));
    EXPECT_EQ(digits->text(), "57");
}

// Alt with a letter is a system character, in any layout: no WM_CHAR, no character, nothing
// typed, in an edit or a memo; Ctrl+Alt is AltGr on Windows and types.
TEST_F(EditTest, AltWithALetterTypesNothing) {
    auto* m = memo();
    auto* e = qo::EditControl::Create(form, 0);
    e->setBounds(5, 120, 60, 21);
    ASSERT_TRUE(qotest::showForm(*form));
    for (qo::EditControl* c : {static_cast<qo::EditControl*>(m), e}) {
        int chars = 0;
        int downs = 0;
        qotest::typeInto(*c, "4");
        c->setOnChar([&](int&) { ++chars; });
        c->setOnKeyDown([&](int&, int) { ++downs; });
        for (const QString& letter : {QStringLiteral("q"), QStringLiteral("и")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier, letter);
            QApplication::sendEvent(c->widget(), &press);
        }
        EXPECT_EQ(c->text(), "4");
        EXPECT_EQ(chars, 0);
        EXPECT_EQ(downs, 2) << "the key itself still arrives";
        QKeyEvent altGr(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier | Qt::ControlModifier,
                        QStringLiteral("e"));
        QApplication::sendEvent(c->widget(), &altGr);
        EXPECT_EQ(c->text(), "4e");
        EXPECT_EQ(chars, 1);
    }
}

TEST_F(EditTest, RawChainSeesCharBeforeTheHandlers) {
    auto* e = qo::EditControl::Create(form, 0);
    ASSERT_TRUE(qotest::showForm(*form));
    std::vector<std::uint32_t> order;
    auto previous = e->setMessageHandler([&](qo::Message& m) {
        if (m.msg == qo::WM_KEYDOWN || m.msg == qo::WM_CHAR) order.push_back(m.msg);
        return m.msg == qo::WM_CHAR && m.wParam == 't'; // a consumed 't' never arrives
    });
    EXPECT_FALSE(previous);
    qotest::typeInto(*e, "st");
    EXPECT_EQ(e->text(), "s");
    EXPECT_EQ(order, (std::vector<std::uint32_t>{qo::WM_KEYDOWN, qo::WM_CHAR, qo::WM_KEYDOWN, qo::WM_CHAR}));
}

TEST_F(EditTest, ReplaceSelectionReportsAChangeInBothKinds) {
    auto* m = memo();
    int changes = 0;
    m->setOnChange([&] { ++changes; });
    m->setText("ab");
    m->setCaret(1);
    m->send(qo::EM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>("\t"));
    EXPECT_EQ(m->text(), "a\tb");
    EXPECT_EQ(changes, 1);
}

TEST_F(EditTest, LineScrollMovesTheFirstVisibleLineWithinTheText) {
    auto* m = memo(kMemoOptions & ~eo::NoHScroll);
    for (int i = 1; i <= 20; ++i)
        m->appendText(std::to_string(i) + "\r\n");
    ASSERT_EQ(m->lineCount(), 21);
    m->send(qo::EM_LINESCROLL, 0, 20);
    EXPECT_EQ(m->firstVisibleLine(), 20);
    m->send(qo::EM_LINESCROLL, 0, -20);
    m->send(qo::EM_LINESCROLL, 0, 4);
    EXPECT_EQ(m->firstVisibleLine(), 4);
    m->send(qo::EM_LINESCROLL, 0, -100);
    EXPECT_EQ(m->firstVisibleLine(), 0);
}

TEST_F(EditTest, OptionsBecomeStyles) {
    auto* cell = qo::EditControl::Create(form, eo::Number);
    EXPECT_TRUE(cell->style() & qo::ES_NUMBER);
    EXPECT_FALSE(cell->style() & (qo::WS_HSCROLL | qo::WS_VSCROLL)); // never on a one-line edit
    EXPECT_TRUE(cell->style() & qo::ES_AUTOHSCROLL);
    EXPECT_TRUE(cell->exStyle() & qo::WS_EX_CLIENTEDGE); // a form asks for the edge from the start
    EXPECT_TRUE(cell->tabNavigates());
    auto* m = memo(eo::MultiLine | eo::NoHScroll | eo::ReadOnly | eo::KeepTab);
    EXPECT_TRUE(m->style() & qo::WS_VSCROLL);
    EXPECT_TRUE(m->style() & qo::ES_READONLY);
    EXPECT_FALSE(m->tabNavigates());
}

} // namespace
