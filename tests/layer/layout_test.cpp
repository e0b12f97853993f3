// The aligned-children layout rule: three passes, the inner margin, sizes clamped at zero.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using qo::Control;
using qo::Rect;

namespace {

struct ChildPlan {
    int align;
    Rect start;
    Rect expected;
};

struct LayoutCase {
    const char* name;
    int margin;
    Rect parent; // a panel without edges: client == bounds size
    std::vector<ChildPlan> children;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutRule : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutRule, PlacesChildrenInCreationOrderByPass) {
    const LayoutCase& c = GetParam();
    std::unique_ptr<Control, void (*)(Control*)> panel(qo::PanelControl::Create(nullptr, {}),
                                                       [](Control* p) { p->destroy(); });
    panel->setBounds(c.parent.left, c.parent.top, c.parent.width, c.parent.height);
    panel->setMargin(c.margin);
    std::vector<Control*> kids;
    for (const ChildPlan& s : c.children) {
        auto* k = qo::PanelControl::Create(panel.get(), {});
        k->setBounds(s.start.left, s.start.top, s.start.width, s.start.height);
        kids.push_back(k);
    }
    for (std::size_t i = 0; i < kids.size(); ++i)
        kids[i]->setAlign(c.children[i].align);
    for (std::size_t i = 0; i < kids.size(); ++i) {
        const Rect b = kids[i]->bounds();
        const Rect e = c.children[i].expected;
        EXPECT_EQ(b, e) << "child " << i << ": " << b.left << "," << b.top << " " << b.width << "x"
                        << b.height;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutRule,
    ::testing::Values(
        LayoutCase{"TopThenBottom",
                   0,
                   {0, 0, 200, 100},
                   {{2, {5, 5, 10, 20}, {0, 0, 200, 20}}, {4, {0, 0, 10, 30}, {0, 70, 200, 30}}}},
        // Left and right come after top and bottom, whatever their creation order.
        LayoutCase{"LeftAfterTop",
                   0,
                   {0, 0, 200, 100},
                   {{1, {0, 0, 40, 5}, {0, 20, 40, 80}}, {2, {0, 0, 5, 20}, {0, 0, 200, 20}}}},
        LayoutCase{"ClientTakesTheRest",
                   0,
                   {0, 0, 200, 100},
                   {{5, {}, {40, 20, 120, 50}},
                    {2, {0, 0, 0, 20}, {0, 0, 200, 20}},
                    {4, {0, 0, 0, 30}, {0, 70, 200, 30}},
                    {1, {0, 0, 40, 0}, {0, 20, 40, 50}},
                    {3, {0, 0, 40, 0}, {160, 20, 40, 50}}}},
        // The margin is kept from every edge and between neighbours.
        LayoutCase{"MarginTwoTops",
                   3,
                   {0, 0, 100, 100},
                   {{2, {0, 0, 0, 10}, {3, 3, 94, 10}}, {2, {0, 0, 0, 10}, {3, 16, 94, 10}}}},
        LayoutCase{"MarginClient", 2, {0, 0, 50, 40}, {{5, {}, {2, 2, 46, 36}}}},
        // Sizes that would go negative become zero.
        LayoutCase{
            "TooSmall", 10, {0, 0, 15, 15}, {{5, {}, {25, 10, 0, 0}}, {1, {0, 0, 5, 5}, {10, 10, 5, 0}}}},
        LayoutCase{"NoneStays", 0, {0, 0, 100, 100}, {{0, {7, 8, 9, 10}, {7, 8, 9, 10}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Layout, PanelMarginFromBevelsAndBorder) {
    // Outer bevel raised, width 1, border 1: a top-aligned child sits 2 pixels in.
    auto* panel = qo::PanelControl::Create(nullptr, {2, 0, 1, 0, 1});
    EXPECT_EQ(panel->margin(), 2);
    panel->setBounds(0, 0, 100, 80);
    auto* child = qo::PanelControl::Create(panel, {});
    child->setBounds(0, 0, 10, 20);
    child->setAlign(qo::alTop);
    EXPECT_EQ(child->bounds(), (Rect{2, 2, 96, 20}));
    panel->destroy();
}

TEST(Layout, RerunsOnParentResizeVisibilityAndAlignChanges) {
    auto* panel = qo::PanelControl::Create(nullptr, {});
    panel->setBounds(0, 0, 100, 100);
    auto* top = qo::PanelControl::Create(panel, {});
    top->setSize(10, 30);
    top->setAlign(qo::alTop);
    auto* rest = qo::PanelControl::Create(panel, {});
    rest->setAlign(qo::alClient);
    EXPECT_EQ(rest->bounds(), (Rect{0, 30, 100, 70}));

    panel->setSize(120, 200);
    EXPECT_EQ(rest->bounds(), (Rect{0, 30, 120, 170}));
    top->hide();
    EXPECT_EQ(rest->bounds(), (Rect{0, 0, 120, 200}));
    top->show();
    top->setSize(0, 50);
    EXPECT_EQ(rest->bounds(), (Rect{0, 50, 120, 150}));
    top->setAlign(qo::alNone);
    EXPECT_EQ(rest->bounds(), (Rect{0, 0, 120, 200}));
    panel->destroy();
}

TEST(Layout, GrandchildrenFollowTheirParentsNewSize) {
    auto* outer = qo::PanelControl::Create(nullptr, {});
    outer->setBounds(0, 0, 100, 100);
    auto* middle = qo::PanelControl::Create(outer, {});
    middle->setAlign(qo::alClient);
    auto* inner = qo::PanelControl::Create(middle, {});
    inner->setSize(0, 10);
    inner->setAlign(qo::alBottom);
    outer->setSize(60, 40);
    EXPECT_EQ(inner->bounds(), (Rect{0, 30, 60, 10}));
    outer->destroy();
}

TEST(Layout, DestroyingAnAlignedChildClosesTheGap) {
    auto* panel = qo::PanelControl::Create(nullptr, {});
    panel->setBounds(0, 0, 100, 300);
    std::vector<Control*> rows;
    for (int i = 0; i < 3; ++i) {
        auto* r = qo::PanelControl::Create(panel, {});
        r->setSize(0, 50);
        r->setAlign(qo::alTop);
        rows.push_back(r);
    }
    rows[0]->destroy();
    EXPECT_EQ(rows[1]->top(), 0);
    EXPECT_EQ(rows[2]->top(), 50);
    panel->destroy();
}

TEST(Layout, ResizeReportsSizeMessageAndHandler) {
    auto* panel = qo::PanelControl::Create(nullptr, {});
    int resized = 0;
    std::vector<std::intptr_t> sizes;
    panel->setOnResize([&] { ++resized; });
    panel->setMessageHandler([&](qo::Message& m) {
        if (m.msg == qo::WM_SIZE) sizes.push_back(m.lParam);
        return false;
    });
    panel->setSize(30, 40);
    panel->setSize(30, 40); // unchanged: nothing
    EXPECT_EQ(resized, 1);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], qo::MakeLong(30, 40));
    panel->destroy();
}

} // namespace
