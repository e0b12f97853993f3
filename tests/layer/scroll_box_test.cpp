// Scroll box: ranges from the children, bars when the content outgrows the box, the requests.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include <QWheelEvent>
#include <gtest/gtest.h>

using qo::Control;

namespace {

class ScrollBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(0, 0, 400, 400);
        box = qo::ScrollBoxControl::Create(form, 2); // no frame: client = bounds minus bars
        box->setBounds(0, 0, 300, 200);
    }
    void TearDown() override { form->destroy(); }
    Control* addRow(int height) {
        auto* row = qo::PanelControl::Create(box, {});
        row->setSize(0, height);
        row->setAlign(qo::alTop);
        return row;
    }
    qo::FormControl* form = nullptr;
    qo::ScrollBoxControl* box = nullptr;
};

TEST_F(ScrollBoxTest, BarsAppearOnlyWhenTheContentIsLarger) {
    addRow(150);
    EXPECT_EQ(box->scrollInfo(true).max, 0);
    EXPECT_FALSE(box->style() & qo::WS_VSCROLL);
    addRow(150);
    const int sb = box->bounds().width - box->clientRect().width;
    EXPECT_GT(sb, 0);
    EXPECT_TRUE(box->style() & qo::WS_VSCROLL);
    const qo::ScrollInfo v = box->scrollInfo(true);
    EXPECT_EQ(v.max, 300 - 200);
    EXPECT_EQ(v.page, 200);
    // Aligned rows take the narrowed client width.
    EXPECT_EQ(box->children()[0]->width(), 300 - sb);
    EXPECT_FALSE(box->style() & qo::WS_HSCROLL);
}

struct Request {
    const char* name;
    int start;
    int code;
    int track;
    int expected;
};

void PrintTo(const Request& c, std::ostream* os) {
    *os << c.name;
}

class ScrollRequests : public ScrollBoxTest, public ::testing::WithParamInterface<Request> {};

TEST_P(ScrollRequests, MovesThePositionWithinTheRange) {
    for (int i = 0; i < 5; ++i)
        addRow(100); // content 500, page 200, range 0..300
    const Request& r = GetParam();
    box->setScrollPosition(true, r.start);
    box->send(qo::WM_VSCROLL, static_cast<std::uintptr_t>(qo::MakeLong(r.code, r.track)), 0);
    EXPECT_EQ(box->scrollInfo(true).pos, r.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollRequests,
                         ::testing::Values(Request{"LineDown", 0, qo::SB_LINEDOWN, 0, 16},
                                           Request{"LineUp", 100, qo::SB_LINEUP, 0, 84},
                                           Request{"LineUpAtTop", 10, qo::SB_LINEUP, 0, 0},
                                           Request{"PageDown", 0, qo::SB_PAGEDOWN, 0, 200},
                                           Request{"PageDownClamped", 200, qo::SB_PAGEDOWN, 0, 300},
                                           Request{"PageUp", 250, qo::SB_PAGEUP, 0, 50},
                                           Request{"ThumbTrack", 0, qo::SB_THUMBTRACK, 123, 123},
                                           Request{"ThumbTrackClamped", 0, qo::SB_THUMBTRACK, 999, 300},
                                           Request{"Top", 150, qo::SB_TOP, 0, 0},
                                           Request{"Bottom", 0, qo::SB_BOTTOM, 0, 300},
                                           Request{"ThumbPositionIgnored", 40, qo::SB_THUMBPOSITION, 7, 40},
                                           Request{"EndScrollIgnored", 40, qo::SB_ENDSCROLL, 0, 40}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScrollBoxTest, ContentMovesToMinusThePosition) {
    addRow(100);
    Control* second = addRow(100);
    addRow(100);
    ASSERT_TRUE(qotest::showForm(*form));
    box->setScrollPosition(true, 60);
    QWidget* w = second->widget();
    EXPECT_EQ(w->mapTo(box->widget(), QPoint(0, 0)).y(), 100 - 60);
    EXPECT_EQ(second->top(), 100); // children keep content coordinates
}

TEST_F(ScrollBoxTest, SetScrollPositionThenLineUpEndsOneStepAbove) {
    for (int i = 0; i < 5; ++i)
        addRow(100);
    box->setScrollPosition(true, 250);
    const qo::ScrollInfo v = box->scrollInfo(true);
    box->setScrollPosition(true, std::clamp(100, v.min, v.max));
    box->send(qo::WM_VSCROLL, qo::SB_LINEUP, -1);
    EXPECT_EQ(box->scrollInfo(true).pos, 84);
}

TEST_F(ScrollBoxTest, ShrinkingContentClampsThePosition) {
    std::vector<Control*> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back(addRow(100));
    box->send(qo::WM_VSCROLL, qo::SB_BOTTOM, 0);
    rows[4]->destroy();
    rows[3]->destroy();
    EXPECT_EQ(box->scrollInfo(true).max, 100);
    EXPECT_EQ(box->scrollInfo(true).pos, 100);
}

TEST_F(ScrollBoxTest, WheelOverAChildScrollsTheBox) {
    Control* row = addRow(300);
    auto* edit = qo::EditControl::Create(row, qo::edit_option::Number);
    ASSERT_TRUE(qotest::showForm(*form));
    QWidget* w = edit->widget();
    QWheelEvent down(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &down);
    EXPECT_EQ(box->scrollInfo(true).pos, 48);
}

TEST_F(ScrollBoxTest, RawHandlerMayTakeOverScrollRequests) {
    for (int i = 0; i < 5; ++i)
        addRow(100);
    box->setMessageHandler([](qo::Message& m) { return m.msg == qo::WM_VSCROLL; });
    box->send(qo::WM_VSCROLL, qo::SB_PAGEDOWN, 0);
    EXPECT_EQ(box->scrollInfo(true).pos, 0);
}

} // namespace
