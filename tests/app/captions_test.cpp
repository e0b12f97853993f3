// The program's captions fit the buttons they were laid out for. The windows are sized for a face
// this desktop does not have; a stand-in drawn a pixel too large clips "Сохранить..." and
// "Сброс чисел" on every ticket.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>

#include "support/ui_driver.h"
#include "widgets/layer/control.h"

namespace qotest {
namespace {

void EachControl(qo::Control& c, const std::function<void(qo::Control&)>& f) {
    f(c);
    for (qo::Control* child : c.children()) {
        if (child->kind() != qo::ControlKind::Form)
            EachControl(*child, f); // the game window is walked by itself
    }
}

TEST(Captions, EveryButtonCaptionFitsInsideItsButton) {
    // Wine draws text but lists no faces to the toolkit, whose metrics are then a stand-in's.
    if (QFontDatabase::families().isEmpty()) GTEST_SKIP() << "the system lists no faces to measure with";
    UiDriver ui;
    ui.newTickets(1);
    ui.chooseMenu("Игра");
    int buttons = 0;
    for (qo::Control* window : {&ui.mainWindow(), ui.gameWindow()}) {
        ASSERT_NE(window, nullptr);
        EachControl(*window, [&](qo::Control& c) {
            if (c.kind() != qo::ControlKind::Button) return;
            auto* b = qobject_cast<QPushButton*>(c.widget());
            ASSERT_NE(b, nullptr);
            ++buttons;
            QStyleOptionButton option;
            option.initFrom(b);
            const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
            const int needed = QFontMetrics(b->font()).horizontalAdvance(b->text());
            EXPECT_LE(needed, room.width()) << b->text().toStdString();
        });
    }
    EXPECT_EQ(buttons, 6 + 4);
}

} // namespace
} // namespace qotest
