// What every window element shares: event values, the common points, kept properties.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "runtime/cp1251.h"
#include "widget_test.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/layer/ini_file.h"
#include "widgets/panel.h"

namespace qotest {
namespace {

class WinTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        label = std::make_unique<qo::TQOLabel>(parent());
        label->left = 10;
        label->top = 10;
        label->width = 80;
        label->height = 40;
        label->onMouseDown = downs.input();
        label->onMouseMove = moves.input();
        label->onMouseUp = ups.input();
        label->onKeyDown = keyDowns.input();
        label->onKeyUp = keyUps.input();
    }
    void TearDown() override {
        label.reset();
        WidgetTest::TearDown();
    }
    QWidget* widget() { return label->control()->widget(); }

    std::unique_ptr<qo::TQOLabel> label;
    Probe downs, moves, ups, keyDowns, keyUps;
};

struct MoveCase {
    const char* name;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    int value;
};

class MouseMoveTest : public WinTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MouseMoveTest, ReportsTheHeldButtonOnlyWhenItIsAlone) {
    label->Init();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 6), widget()->mapToGlobal(QPointF(5, 6)), Qt::NoButton,
                     GetParam().buttons, GetParam().modifiers);
    QApplication::sendEvent(widget(), &move);
    EXPECT_EQ(moves.ints(), (std::vector<int>{GetParam().value}));
    EXPECT_EQ(label->lastButton, 0);
    EXPECT_EQ(label->lastPosition, qo::MakeLong(5, 6));
}

INSTANTIATE_TEST_SUITE_P(Buttons, MouseMoveTest,
                         ::testing::Values(MoveCase{"None", Qt::NoButton, Qt::NoModifier, 255},
                                           MoveCase{"Left", Qt::LeftButton, Qt::NoModifier, 0},
                                           MoveCase{"Right", Qt::RightButton, Qt::NoModifier, 1},
                                           MoveCase{"Middle", Qt::MiddleButton, Qt::NoModifier, 2},
                                           MoveCase{"LeftAndRight", Qt::LeftButton | Qt::RightButton,
                                                    Qt::NoModifier, 255},
                                           MoveCase{"LeftWithShift", Qt::LeftButton, Qt::ShiftModifier, 255},
                                           MoveCase{"LeftWithAlt", Qt::LeftButton, Qt::AltModifier, 255}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WinTest, ButtonsAreReportedMinusOne) {
    label->Init();
    QTest::mouseClick(widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(widget(), Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseClick(widget(), Qt::MiddleButton, {}, QPoint(3, 3));
    EXPECT_EQ(downs.ints(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ups.ints(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(label->lastButton, 3);
}

// The mouse's back and forward buttons are no button a window hears of, pressed, released or
// double-clicked.
TEST_F(WinTest, BackAndForwardButtonsAreNotReported) {
    label->Init();
    for (const Qt::MouseButton b : {Qt::BackButton, Qt::ForwardButton}) {
        QTest::mouseClick(widget(), b, {}, QPoint(3, 3));
        QTest::mouseDClick(widget(), b, {}, QPoint(3, 3));
    }
    EXPECT_TRUE(downs.ints().empty());
    EXPECT_TRUE(ups.ints().empty());
    QTest::mouseClick(widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(downs.ints(), (std::vector<int>{0}));
}

TEST_F(WinTest, KeysAreReportedAsVirtualKeyCodes) {
    // A label never has the focus; a button stands in for the focusable controls.
    qo::TQOButton button(parent());
    button.onKeyDown = keyDowns.input();
    button.onKeyUp = keyUps.input();
    button.Init();
    QWidget* w = button.control()->widget();
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A);
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClick(w, Qt::Key_F1);
    EXPECT_EQ(keyDowns.ints(), (std::vector<int>{'A', qo::VK_RETURN, qo::VK_F1}));
    EXPECT_EQ(keyUps.ints(), keyDowns.ints());
}

TEST_F(WinTest, CommonPoints) {
    label->Init();
    qo::TData d;
    label->ControlObject(d, 0);
    EXPECT_EQ(qo::Control::FromId(qo::ToInteger(d)), label->control());
    label->WindowHandle(d, 0);
    EXPECT_NE(qo::ToInteger(d), 0);

    qo::MakeInteger(d, 0);
    label->SetEnabled(d, 0);
    EXPECT_FALSE(label->control()->enabled());
    qo::MakeNull(d); // a null value counts as true
    label->SetEnabled(d, 0);
    EXPECT_TRUE(label->control()->enabled());
}

TEST_F(WinTest, ElementForgetsAControlDestroyedWithItsParent) {
    qo::TQOPanel panel(parent());
    panel.Init();
    qo::TQOLabel inner(panel.control());
    inner.Init();
    panel.control()->destroy();
    EXPECT_EQ(panel.control(), nullptr);
    EXPECT_EQ(inner.control(), nullptr);
}

// ---- Kept properties.

class KeptTest : public WinTest {
protected:
    void Keep(const std::string& list) {
        label->keepProperties = 1;
        label->keptPropertyList = list;
        label->settingsFile = "keep.ini";
        label->settingsSection = "S";
    }
    qo::IniFile Ini() const { return qo::IniFile(folder.path("keep.ini")); }
    std::string Read(const std::string& key) const { return Ini().readString("S", key, "<none>"); }

    ProgramFolder folder;
};

TEST_F(KeptTest, SavedWhenTheElementGoesAndLoadedAtInit) {
    Keep("left=L\r\ntop=T\r\nwidth=W\r\nheight=H\r\ncolor=C\r\ncaption=Cap");
    label->color = qo::clBtnFace;
    label->Init();
    label->SetCaptionText(qo::Cp1251("Сеанс"));
    label.reset();
    EXPECT_EQ(Read("L"), "10");
    EXPECT_EQ(Read("W"), "80");
    EXPECT_EQ(Read("C"), "-2147483633"); // system colours are stored as negative numbers
    EXPECT_EQ(Read("Cap"), qo::Cp1251("Сеанс"));

    Ini().writeInteger("S", "L", 33);
    Ini().writeBool("S", "V", false);
    label = std::make_unique<qo::TQOLabel>(parent());
    Keep("left=L\r\ntop=T\r\nwidth=W\r\nvisible=V\r\ncaption=Cap");
    label->Init();
    EXPECT_EQ(label->control()->bounds(), (qo::Rect{33, 10, 80, 17})); // 17: the label's own height
    EXPECT_FALSE(label->control()->visible());
    EXPECT_EQ(label->control()->text(), qo::Cp1251("Сеанс"));
}

TEST_F(KeptTest, SavedAlsoWhenTheParentTakesTheControlFirst) {
    qo::TQOPanel panel(parent());
    panel.Init();
    qo::TQOLabel inner(panel.control());
    inner.left = 7;
    inner.keepProperties = 1;
    inner.keptPropertyList = "left=L";
    inner.settingsFile = "keep.ini";
    inner.settingsSection = "S";
    inner.Init();
    panel.control()->destroy();
    EXPECT_EQ(Read("L"), "7");
}

TEST_F(KeptTest, NamesMatchWholeAndCaseSensitively) {
    Keep("Left=A\r\nleftx=B\r\n lef=C\r\nunknown=D");
    label->Init();
    label.reset();
    EXPECT_EQ(folder.read("keep.ini"), "");
}

TEST_F(KeptTest, LineWithoutEqualsUsesTheEmptyKeyAndTheFirstEqualsSplits) {
    Keep("left\r\ntop=T=x");
    label->Init();
    label.reset();
    EXPECT_EQ(Read(""), "10");
    // The key is the whole rest of the line.
    EXPECT_NE(folder.read("keep.ini").find("T=x=10\r\n"), std::string::npos);
}

TEST_F(KeptTest, CaptionAndTextAreTheSameWindowText) {
    Keep("caption=A\r\ntext=B");
    label->Init();
    label->SetCaptionText("abc");
    label.reset();
    EXPECT_EQ(Read("A"), "abc");
    EXPECT_EQ(Read("B"), "abc");
}

TEST_F(KeptTest, FontKeepsTheHeightNotTheSize) {
    Keep("font=F");
    label->font.face = "Arial";
    label->font.size = 8;
    label->Init();
    label.reset();
    EXPECT_EQ(Read("F_FontName"), "Arial");
    EXPECT_EQ(Read("F_FontSize"), "14");
    EXPECT_EQ(Read("F_FontColor"), std::to_string(static_cast<std::int32_t>(qo::clWindowText)));

    label = std::make_unique<qo::TQOLabel>(parent());
    Keep("font=F");
    label->font.size = 20;
    label->Init();
    EXPECT_EQ(label->control()->font().height, 14);
    EXPECT_EQ(label->control()->font().face, "Arial");
}

} // namespace
} // namespace qotest
