// "Билеты с фото..." from the keyboard on a real display: the picture chosen, the review window
// reached by the window manager's focus, Tab to a cell, a number typed over it, Enter for
// "Добавить", and the ticket in the list with that number.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "photo/review_poll.h"
#include "photo/test_cards.h"
#include "real_display/real_display_test.h"
#include "support/ui_driver.h"

namespace qotest {
namespace {

using PhotoReview = RealDisplay;

TEST_F(PhotoReview, ACellCorrectedByTypingIsAddedWithTheTicket) {
    UiDriver ui;
    photo_test::ShotPlan plan;
    plan.layout = photo_test::Layout::PrintedPage;
    plan.distortion = photo_test::Distortion::Flat;
    const photo_test::Shot shot = photo_test::MakeShot(7, plan);
    ui.platform().dialogAnswers.push_back(
        ui.platform().writeFile("билеты.jpg", std::string(shot.jpeg.begin(), shot.jpeg.end())));

    // The first ticket as shown, and the first filled cell of its first card.
    std::vector<std::string> expected(54);
    for (const photo_test::ShownCard& card : shot.cards)
        if (card.ticket == shot.cards.front().ticket)
            for (int i = 0; i < 27; ++i)
                if (const int n = card.numbers[static_cast<std::size_t>(i)])
                    expected[static_cast<std::size_t>(card.card * 27 + i)] = std::to_string(n);
    int at = 0;
    while (expected[static_cast<std::size_t>(at)].empty())
        ++at;
    int other = at % 9 == 0 ? 1 : at % 9 * 10;
    while (std::find(expected.begin(), expected.end(), std::to_string(other)) != expected.end())
        ++other;

    bool typed = false;
    // Ends with the test: a window never opened leaves nothing to act on the next test's.
    const auto live = std::make_shared<bool>(true);
    photo_test::PollForReview(live, [&](QDialog& dialog) {
        // Nothing is doubted on this picture: the Tab order starts at the first cell.
        QStringList tabs;
        for (int i = 0; i < at; ++i)
            tabs << QStringLiteral("Tab");
        typed = x::activate(&dialog) && (tabs.isEmpty() || x::keys(tabs)) &&
                x::keys({QStringLiteral("ctrl+a")}) && x::type(QString::number(other)) &&
                x::keys({QStringLiteral("Return")});
        if (!typed) dialog.reject();
    });
    ui.chooseMenu("Билеты с фото...");
    ASSERT_TRUE(typed);
    expected[static_cast<std::size_t>(at)] = std::to_string(other);
    ASSERT_EQ(ui.ticketCount(), 2);
    EXPECT_EQ(ui.cellTexts(0), expected);
}

} // namespace
} // namespace qotest
