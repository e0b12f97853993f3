// The pointer as the player sees it over a ticket: over each cell the text cursor of an edit,
// whether the cell is drawn by its panel or is a real editor at that moment; the arrow elsewhere.
#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "real_display/real_display_test.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/layer/control.h"

namespace qotest {
namespace {

// The shape the toolkit shows at the pointer: that of the nearest widget under it that sets one.
Qt::CursorShape ShapeAtPointer() {
    for (QWidget* w = QApplication::widgetAt(QCursor::pos()); w; w = w->parentWidget()) {
        if (w->testAttribute(Qt::WA_SetCursor)) return w->cursor().shape();
        if (w->isWindow()) break;
    }
    return Qt::ArrowCursor;
}

QPoint CentreInPanel(const qo::Control& cell) {
    const QWidget* panel = cell.parent()->widget();
    const qo::Rect b = cell.bounds();
    // Children stand inside the panel's frame.
    const int inset = (panel->width() - cell.parent()->clientRect().width) / 2;
    return QPoint(b.left + inset + b.width / 2, b.top + inset + b.height / 2);
}

using Pointer = RealDisplay;

TEST_F(Pointer, OverATicketsCellIsTheTextCursorDrawnOrReal) {
    UiDriver ui;
    ui.newTickets(1);
    QWidget* panel = ui.cell(0, 0).parent()->widget();
    ASSERT_TRUE(x::activate(panel->window()));
    const auto pointAt = [&](QPoint at) {
        EXPECT_TRUE(x::movePointer(panel, at));
        return waitUntil([&] { return QApplication::widgetAt(QCursor::pos()) != nullptr; });
    };

    ASSERT_FALSE(ui.cell(0, 1).hasWindow()) << "the cell is to be drawn by its panel";
    ASSERT_TRUE(pointAt(CentreInPanel(ui.cell(0, 1))));
    EXPECT_TRUE(waitUntil([] { return ShapeAtPointer() == Qt::IBeamCursor; }))
        << "over a drawn cell: shape " << ShapeAtPointer();

    ASSERT_TRUE(x::click(panel, CentreInPanel(ui.cell(0, 0))));
    ASSERT_TRUE(waitUntil([&] { return ui.cell(0, 0).hasWindow(); }));
    ASSERT_TRUE(pointAt(CentreInPanel(ui.cell(0, 0)) + QPoint(3, 0)));
    EXPECT_TRUE(waitUntil([] { return ShapeAtPointer() == Qt::IBeamCursor; }))
        << "over a real cell: shape " << ShapeAtPointer();

    // Between the cards: the panel's own arrow.
    const qo::Rect free = ui.cell(0, 27).bounds();
    ASSERT_TRUE(pointAt(CentreInPanel(ui.cell(0, 27)) - QPoint(0, free.height)));
    EXPECT_TRUE(waitUntil([] { return ShapeAtPointer() == Qt::ArrowCursor; }))
        << "between the cards: shape " << ShapeAtPointer();
    ASSERT_TRUE(pointAt(CentreInPanel(ui.cell(0, 28))));
    EXPECT_TRUE(waitUntil([] { return ShapeAtPointer() == Qt::IBeamCursor; }))
        << "back over a drawn cell: shape " << ShapeAtPointer();
}

} // namespace
} // namespace qotest
