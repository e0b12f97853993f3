// Widgets only where they are seen or used: children of a scroll box get widgets near its view
// and lose them far from it, bare edits on a panel are drawn by the panel until they are needed
// as editors, and nothing a control holds is lost on the way.
#include "support/controls.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/layer/timer.h"
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using qo::Control;

namespace {

constexpr qo::Color kRed = 0x0000FF; // Windows order: 0x00BBGGRR

class ScrollBoxViewTest : public ::testing::Test {
protected:
    static constexpr int kRows = 50;
    static constexpr int kRowHeight = 100;

    void SetUp() override {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(0, 0, 400, 400);
        box = qo::ScrollBoxControl::Create(form, 2);
        box->setBounds(0, 0, 300, 200);
        for (int i = 0; i < kRows; ++i) {
            auto* row = qo::PanelControl::Create(box, {});
            row->setSize(0, kRowHeight);
            row->setAlign(qo::alTop);
            auto* edit = qo::EditControl::Create(row, 0);
            edit->setOnChange([] {}); // an element listens: a real widget whenever the row has one
            edit->setBounds(5, 5, 80, 24);
            edit->setText("row " + std::to_string(i));
            edit->setColor(i % 2 ? kRed : 0xFFFFFF);
            rows.push_back(row);
            edits.push_back(edit);
        }
        ASSERT_TRUE(qotest::showForm(*form));
        ASSERT_TRUE(qotest::waitUntilIdle()); // the list laid out, its rows near the view realised
    }
    void TearDown() override { form->destroy(); }

    std::vector<int> realisedRows() const {
        std::vector<int> out;
        for (int i = 0; i < kRows; ++i) {
            if (rows[static_cast<std::size_t>(i)]->hasWindow()) out.push_back(i);
        }
        return out;
    }
    void scrollTo(int pos) {
        box->setScrollPosition(true, pos);
        // Rows in view get widgets at once; the page around them, and letting go of rows far
        // away, wait for the next turn.
        ASSERT_TRUE(qotest::waitUntilIdle());
    }

    qo::FormControl* form = nullptr;
    qo::ScrollBoxControl* box = nullptr;
    std::vector<Control*> rows;
    std::vector<Control*> edits;
};

TEST_F(ScrollBoxViewTest, OnlyRowsWithinAPageOfTheViewHaveWidgets) {
    // The view shows 0–200; a page beyond it reaches 400: rows 0 to 3.
    EXPECT_EQ(realisedRows(), (std::vector<int>{0, 1, 2, 3}));
    scrollTo(3000); // view 3000–3200, widgets made for 2800–3400, kept to 2600–3600
    // Row 0 holds the focus the window gave its first edit when it was shown.
    EXPECT_EQ(realisedRows(), (std::vector<int>{0, 28, 29, 30, 31, 32, 33}));
}

TEST_F(ScrollBoxViewTest, ScrollingBackAndForthByAPageKeepsTheWidgetsNearby) {
    scrollTo(1000);
    QWidget* kept = edits[12]->widget();
    scrollTo(1200);
    scrollTo(1000);
    EXPECT_EQ(edits[12]->widget(), kept); // two pages away is not far enough to let go
}

TEST_F(ScrollBoxViewTest, ARowBroughtBackShowsWhatItsControlsHold) {
    edits[1]->setText("changed while shown");
    scrollTo(4000);
    ASSERT_FALSE(rows[1]->hasWindow());
    edits[1]->setText("changed while away");
    edits[1]->setColor(0x00FF00);
    scrollTo(0);
    ASSERT_TRUE(rows[1]->hasWindow());
    QLineEdit* e = qotest::lineEdit(*edits[1]);
    EXPECT_EQ(e->text(), QStringLiteral("changed while away"));
    EXPECT_EQ(e->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(qotest::lineEdit(*edits[3])->palette().color(QPalette::Base), QColor(255, 0, 0));
}

TEST_F(ScrollBoxViewTest, TheFocusedRowKeepsItsWidgetFarFromTheView) {
    edits[2]->setFocus();
    ASSERT_TRUE(qotest::waitUntil([&] { return form->focusedControl() == edits[2]; }));
    QWidget* focused = edits[2]->widget();
    scrollTo(4000);
    EXPECT_TRUE(rows[2]->hasWindow());
    EXPECT_EQ(edits[2]->widget(), focused);
    EXPECT_FALSE(rows[3]->hasWindow());
}

// A list grown by many rows in one go makes widgets only where the view ends up.
TEST_F(ScrollBoxViewTest, RowsAddedInOneGoGetWidgetsOnlyWhereTheyAreSeen) {
    for (int i = 0; i < 200; ++i) {
        auto* row = qo::PanelControl::Create(box, {});
        row->setSize(0, kRowHeight);
        row->setAlign(qo::alTop);
        qo::EditControl::Create(row, 0)->setOnChange([] {});
    }
    ASSERT_TRUE(qotest::waitUntilIdle()); // the rows laid out, and what they make made
    int realised = 0;
    for (Control* row : box->children())
        realised += row->hasWindow();
    EXPECT_EQ(realised, 4);
}

// A long list lays its rows out once per turn of the loop, but no one may see it half laid out:
// where a row lies, the scroll range and a scroll to the end are right within the same chain.
TEST_F(ScrollBoxViewTest, ALongListIsNeverSeenHalfLaidOut) {
    Control* row = nullptr;
    auto addRow = [&] {
        row = qo::PanelControl::Create(box, {});
        row->setSize(0, kRowHeight);
        row->setAlign(qo::alTop);
    };
    for (int i = 0; i < 30; ++i)
        addRow();
    ASSERT_TRUE(qotest::waitUntilIdle()); // the first rows' layout done in its own turn
    const int rowsNow = kRows + 30;

    addRow();
    EXPECT_EQ(row->top(), rowsNow * kRowHeight);
    const qo::ScrollInfo v = box->scrollInfo(true);
    EXPECT_EQ(v.max, (rowsNow + 1) * kRowHeight - v.page);
    box->setScrollPosition(true, 1'000'000);
    EXPECT_EQ(box->scrollInfo(true).pos, v.max);

    rows[0]->destroy();
    EXPECT_EQ(rows[1]->top(), 0);
    rows[2]->hide();
    EXPECT_EQ(rows[3]->bounds(), (qo::Rect{0, kRowHeight, rows[3]->width(), kRowHeight}));
    EXPECT_EQ(box->scrollInfo(true).max, (rowsNow - 1) * kRowHeight - v.page);
}

class DrawnEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = qo::FormControl::Create(nullptr);
        form->setBounds(0, 0, 300, 200);
        panel = qo::PanelControl::Create(form, {});
        panel->setBounds(0, 0, 280, 100);
        for (int i = 0; i < 3; ++i) {
            auto* cell = qo::EditControl::Create(panel, 0);
            cell->setClientEdge(true);
            cell->setBounds(10 + 40 * i, 10, 30, 25);
            cell->setColor(0xFFFFFF);
            cells.push_back(cell);
        }
        ASSERT_TRUE(qotest::showForm(*form));
        ASSERT_TRUE(qotest::waitUntilIdle()); // the panel laid out and painted
    }
    void TearDown() override { form->destroy(); }
    QPoint centreOf(const Control& c) const {
        const qo::Rect b = c.bounds();
        return QPoint(b.left + b.width / 2, b.top + b.height / 2);
    }

    qo::FormControl* form = nullptr;
    Control* panel = nullptr;
    std::vector<Control*> cells;
};

TEST_F(DrawnEditTest, BareEditsAreDrawnByThePanelInTheirColour) {
    for (Control* c : cells)
        EXPECT_FALSE(c->hasWindow());
    cells[1]->setColor(kRed);
    const QImage picture = panel->widget()->grab().toImage();
    const QPoint inside = centreOf(*cells[1]) + QPoint(-8, -6); // clear of the frame and the text
    EXPECT_EQ(QColor(picture.pixel(inside)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(picture.pixel(centreOf(*cells[0]) + QPoint(-8, -6))), QColor(255, 255, 255));
}

TEST_F(DrawnEditTest, FocusMakesAnEditorAndLeavingItDrawsTheEditAgain) {
    cells[0]->setFocus();
    ASSERT_TRUE(cells[0]->hasWindow());
    QTest::keyClicks(cells[0]->widget(), QStringLiteral("42"));
    EXPECT_EQ(cells[0]->text(), "42");
    cells[2]->setFocus();
    // The editor left behind is let go at the next turn, once its focus has surely moved.
    qotest::waitUntil([&] { return !cells[0]->hasWindow(); });
    EXPECT_FALSE(cells[0]->hasWindow());
    EXPECT_TRUE(cells[2]->hasWindow());
    EXPECT_EQ(cells[0]->text(), "42");
}

TEST_F(DrawnEditTest, AClickOnADrawnEditPutsTheCaretWhereItLanded) {
    cells[1]->setText("77");
    ASSERT_TRUE(qotest::waitUntilIdle()); // the panel repainted with the new text
    QWidget* p = panel->widget();
    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, centreOf(*cells[1]));
    ASSERT_TRUE(cells[1]->hasWindow());
    EXPECT_TRUE(cells[1]->widget()->hasFocus());
    QTest::keyClick(cells[1]->widget(), Qt::Key_Backspace);
    EXPECT_EQ(cells[1]->text().size(), 1u); // one digit gone: the caret was inside the text
    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, centreOf(*cells[2]));
    qotest::waitUntil([&] { return !cells[1]->hasWindow(); });
    EXPECT_TRUE(cells[2]->widget()->hasFocus());
    EXPECT_FALSE(cells[1]->hasWindow());
}

// Over a drawn edit the pointer is the edit's text cursor, as over a real one; off it, the
// panel's own arrow.
TEST_F(DrawnEditTest, ThePointerOverADrawnEditIsTheTextCursor) {
    QWidget* p = panel->widget();
    const auto moveTo = [p](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, p->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(p, &move);
    };
    ASSERT_TRUE(p->hasMouseTracking());
    moveTo(centreOf(*cells[1]));
    ASSERT_FALSE(cells[1]->hasWindow());
    EXPECT_TRUE(p->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(p->cursor().shape(), Qt::IBeamCursor);
    moveTo(centreOf(*cells[1]) + QPoint(0, 40)); // below the cells
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));
    moveTo(centreOf(*cells[2]));
    EXPECT_EQ(p->cursor().shape(), Qt::IBeamCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(p, &leave);
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));
}

TEST_F(DrawnEditTest, AnEditAnElementListensToIsARealWidget) {
    auto* listened = qo::EditControl::Create(panel, 0);
    listened->setBounds(200, 10, 60, 25);
    listened->setOnChange([] {});
    qotest::waitUntil([&] { return listened->hasWindow(); });
    EXPECT_TRUE(listened->hasWindow());
}

// The form's memory of its focused control must not outlive the control, even several levels
// down, or the next Tab follows a dead pointer.
TEST_F(DrawnEditTest, AFormForgetsAFocusedControlThatGoes) {
    cells[2]->setFocus();
    ASSERT_EQ(form->focusedControl(), cells[2]);
    panel->destroy();
    EXPECT_EQ(form->focusedControl(), nullptr);
}

TEST(ControlIdentity, IdentifiersAreNeverReusedAndFindOnlyTheLiving) {
    std::set<std::int32_t> gone;
    for (int round = 0; round < 3; ++round) {
        std::vector<Control*> made;
        for (int i = 0; i < 3000; ++i)
            made.push_back(qo::FormControl::Create(nullptr));
        for (Control* c : made) {
            EXPECT_EQ(Control::FromId(c->id()), c);
            ASSERT_FALSE(gone.count(c->id()));
        }
        for (Control* c : made) {
            gone.insert(c->id());
            c->destroy();
        }
        for (std::int32_t id : gone)
            ASSERT_EQ(Control::FromId(id), nullptr);
    }
}

} // namespace

// A window hidden at start (the game window) costs the start nothing: no widgets and no fonts until
// it shows; yet what it holds reads the same as in a window that is shown.
TEST(HiddenWindow, GetsItsWidgetsAndMeasuresItsCaptionsOnlyWhenItShows) {
    auto* shown = qo::FormControl::Create(nullptr);
    shown->setBounds(0, 0, 300, 200);
    auto* hidden = qo::FormControl::Create(shown);
    hidden->hide();
    hidden->setBounds(0, 0, 200, 100);
    const qo::FontDesc bold{"Arial", -19, qo::font_style::Bold, qo::clBlack, 1};
    auto makeCaption = [&](qo::Control* parent) {
        auto* label = qo::LabelControl::Create(parent);
        label->setFont(bold);
        label->setText("Virtual game");
        label->setAutoSize(true);
        return label;
    };
    auto* caption = makeCaption(hidden);
    auto* twin = makeCaption(shown); // measured at once
    auto* going = makeCaption(hidden);
    going->destroy(); // never measured, never shown: nothing of it stays behind
    ASSERT_TRUE(qotest::showForm(*shown));
    ASSERT_TRUE(qotest::waitUntilIdle());
    EXPECT_FALSE(hidden->hasWindow());
    EXPECT_FALSE(caption->hasWindow());

    for (auto* label : {caption, twin})
        label->setText("Real game, a longer caption");
    EXPECT_EQ(caption->bounds(), twin->bounds()); // asked, so measured
    EXPECT_FALSE(caption->hasWindow());

    for (auto* label : {caption, twin})
        label->setText("Moves: 12");
    ASSERT_TRUE(qotest::showForm(*hidden));
    ASSERT_TRUE(caption->hasWindow());
    EXPECT_EQ(caption->widget()->size(), QSize(twin->width(), twin->height()));
    EXPECT_EQ(caption->bounds(), twin->bounds());
    shown->destroy();
}

// Work the first sight does not need waits for the windows' first frame, runs once, and can be
// cancelled by stopping or dropping its timer.
TEST(FirstFrame, WorkPutOffUntilTheWindowsShowRunsOnceUnlessCancelled) {
    auto* form = qo::FormControl::Create(nullptr);
    form->setBounds(0, 0, 200, 100);
    int ran = 0, cancelled = 0;
    qo::Timer later, stopped;
    auto dropped = std::make_unique<qo::Timer>();
    later.startAfterFirstFrame([&] { ++ran; });
    stopped.startAfterFirstFrame([&] { ++cancelled; });
    dropped->startAfterFirstFrame([&] { ++cancelled; });
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(later.active());
    stopped.stop();
    dropped.reset();
    ASSERT_TRUE(qotest::showForm(*form));
    ASSERT_TRUE(qotest::waitUntil([&] { return ran == 1; }));
    ASSERT_TRUE(qotest::waitUntilIdle());
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(cancelled, 0);
    EXPECT_FALSE(later.active());

    // Long after the first frame: at the next turn, never inside the call.
    later.startAfterFirstFrame([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    ASSERT_TRUE(qotest::waitUntil([&] { return ran == 2; }));
    form->destroy();
}
