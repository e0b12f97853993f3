// Button, label, panel and scroll box.
#include <QTest>

#include "support/controls.h"
#include "widget_test.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/scroll_box.h"

namespace qotest {
namespace {

using ControlsTest = WidgetTest;

TEST_F(ControlsTest, ButtonClickSendsItsDataAndTheCaptionPointTakesTheText) {
    qo::TQOButton button(parent());
    Probe clicks;
    button.onClick = clicks.input();
    qo::MakeInteger(button.data, 42);
    button.SetCaptionText("Open");
    button.Init();
    QTest::mouseClick(button.control()->widget(), Qt::LeftButton);
    EXPECT_EQ(clicks.ints(), (std::vector<int>{42}));

    qo::TData d;
    qo::MakeString(d, "Close");
    button.SetCaption(d, 0);
    EXPECT_EQ(button.caption, "Close");
    EXPECT_EQ(button.control()->text(), "Close");
}

TEST_F(ControlsTest, LabelCaptionPointPrefersItsTextSource) {
    qo::TQOLabel label(parent());
    label.Init();
    qo::TData d;
    qo::MakeInteger(d, 7);
    label.SetCaption(d, 0);
    EXPECT_EQ(label.control()->text(), "7");

    Probe source;
    qo::MakeString(source.answer, "from source");
    label.textSource = source.source();
    qo::MakeInteger(d, 7);
    label.SetCaption(d, 0);
    EXPECT_EQ(label.control()->text(), "from source");
}

TEST_F(ControlsTest, AutoSizedLabelFollowsItsText) {
    qo::TQOLabel label(parent());
    label.width = 75;
    label.height = 17;
    label.Init();
    label.SetAutoSize(true);
    label.SetCaptionText("Ходов: 12");
    const qo::TextExtent e = label.control()->textExtent("Ходов: 12");
    EXPECT_EQ(label.control()->width(), e.width + 1);
    EXPECT_EQ(label.control()->height(), e.height + 1);

    label.SetCaptionText("");
    EXPECT_EQ(label.control()->width(), 1);
    EXPECT_EQ(label.control()->height(), 1);
}

TEST_F(ControlsTest, PanelKeepsAlignedChildrenInsideItsBevelsAndBorder) {
    qo::TQOPanel panel(parent());
    panel.width = 200;
    panel.height = 100;
    panel.outerBevel = 2;
    panel.bevelWidth = 1;
    panel.borderWidth = 1;
    panel.Init();
    EXPECT_EQ(panel.Margin(), 2);
    EXPECT_EQ(panel.control()->font().height, -11);

    qo::TQOLabel child(panel.control());
    child.height = 20;
    child.align = qo::alTop;
    child.Init();
    EXPECT_EQ(child.control()->bounds(), (qo::Rect{2, 2, 196, 20}));
}

TEST_F(ControlsTest, ScrollPositionLandsOneLineAboveAndNeverAboveTheTop) {
    qo::TQOScrollBox box(parent());
    box.width = 200;
    box.height = 100;
    box.borderStyle = 2;
    box.flatBorder = 0;
    box.Init();
    qo::TQOPanel content(box.control());
    content.width = 150;
    content.height = 1000;
    content.Init();
    ASSERT_GT(qo::As<qo::ScrollBoxControl>(box.control())->scrollInfo(true).max, 300);

    qo::As<qo::ScrollBoxControl>(box.control())->setScrollPosition(true, 300);
    qo::TData d;
    qo::MakeInteger(d, 0);
    box.SetScrollPosition(d, 0);
    EXPECT_EQ(qo::As<qo::ScrollBoxControl>(box.control())->scrollInfo(true).pos, 0);

    qo::MakeInteger(d, 200);
    box.SetScrollPosition(d, 0);
    EXPECT_EQ(qo::As<qo::ScrollBoxControl>(box.control())->scrollInfo(true).pos, 184);

    Probe source;
    qo::MakeInteger(source.answer, 100000); // clamped to the range first
    box.positionSource = source.source();
    box.SetScrollPosition(d, 0);
    const qo::ScrollInfo s = qo::As<qo::ScrollBoxControl>(box.control())->scrollInfo(true);
    EXPECT_LT(s.pos, s.max);
    EXPECT_GT(s.pos, 184);
}

} // namespace
} // namespace qotest
