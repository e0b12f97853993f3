// "Билеты с фото..." played as a player would: a picture chosen, the review window looked over and
// typed into, the tickets added or not; pictures with nothing to read tell so and add nothing.
#include "app/class_main_form_d80004.h"
#include "app/photo/photo_reader.h"
#include "app/photo/review_window.h"
#include "photo/review_poll.h"
#include "photo/test_cards.h"
#include "runtime/cp1251.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/edit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <fstream>
#include <functional>

using namespace photo_test;
using lotto::photo::TicketCells;

namespace {

std::string Write(qotest::UiDriver& ui, const std::string& name, const std::vector<unsigned char>& bytes) {
    return ui.platform().writeFile(name, std::string(bytes.begin(), bytes.end()));
}

class ReviewWatch {
public:
    explicit ReviewWatch(std::function<void(QDialog&)> act) {
        QTimer::singleShot(20, [live = std::weak_ptr<bool>(live_), act] { PollForReview(live, act, 0); });
    }

private:
    std::shared_ptr<bool> live_ = std::make_shared<bool>(true);
};

QPushButton* Button(QDialog& dialog, const char* captionUtf8) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text().remove(QLatin1Char('&')) == QString::fromUtf8(captionUtf8)) return b;
    return nullptr;
}

QLineEdit* Cell(QDialog& dialog, int ticket, int cell) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("cell_%1_%2").arg(ticket).arg(cell));
}

std::vector<std::string> Expected(const Shot& shot, int ticket) {
    std::vector<std::string> texts(54);
    for (const ShownCard& card : shot.cards)
        if (card.ticket == ticket)
            for (int i = 0; i < 27; ++i) {
                const int n = card.numbers[static_cast<std::size_t>(i)];
                texts[static_cast<std::size_t>(card.card * 27 + i)] = n ? std::to_string(n) : "";
            }
    return texts;
}

// A flat shot of the program's own page: read without a doubt, so what is added is what was typed.
Shot CleanShot() {
    ShotPlan plan;
    plan.layout = Layout::PrintedPage;
    plan.distortion = Distortion::Flat;
    return MakeShot(7, plan);
}

} // namespace

TEST(PhotoReview, ACellTypedOverIsAddedAsTyped) {
    qotest::UiDriver ui;
    const Shot shot = CleanShot();
    ui.platform().dialogAnswers.push_back(Write(ui, "билеты.jpg", shot.jpeg));
    std::vector<std::string> first = Expected(shot, shot.cards.front().ticket);
    // The first number of card 1's first row, in column c, becomes another of that column that the
    // ticket does not hold.
    int at = 0;
    while (first[static_cast<std::size_t>(at)].empty())
        ++at;
    const int column = at % 9;
    int other = column == 0 ? 1 : column * 10;
    while (std::find(first.begin(), first.end(), std::to_string(other)) != first.end())
        ++other;
    bool reviewed = false;
    ReviewWatch watch([&](QDialog& dialog) {
        reviewed = true;
        QLineEdit* cell = Cell(dialog, 1, at);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text().toStdString(), first[static_cast<std::size_t>(at)]);
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, QString::number(other));
        QTest::mouseClick(Button(dialog, "Добавить"), Qt::LeftButton);
    });
    ui.chooseMenu("Билеты с фото...");
    ASSERT_TRUE(reviewed);
    first[static_cast<std::size_t>(at)] = std::to_string(other);
    ASSERT_EQ(ui.ticketCount(), 2);
    EXPECT_EQ(ui.cellTexts(0), first);
    EXPECT_TRUE(ui.platform().boxes.empty());
}

TEST(PhotoReview, CancelAddsNothing) {
    qotest::UiDriver ui;
    const Shot shot = CleanShot();
    ui.platform().dialogAnswers.push_back(Write(ui, "билеты.jpg", shot.jpeg));
    ReviewWatch watch([](QDialog& dialog) { QTest::mouseClick(Button(dialog, "Отмена"), Qt::LeftButton); });
    ui.chooseMenu("Билеты с фото...");
    EXPECT_EQ(ui.ticketCount(), 0);
}

// A number out of its column is not added: the player is told, and stays in the window to fix it.
TEST(PhotoReview, ANumberOutOfItsColumnIsRefusedUntilFixed) {
    qotest::UiDriver ui;
    const Shot shot = CleanShot();
    ui.platform().dialogAnswers.push_back(Write(ui, "билеты.jpg", shot.jpeg));
    ui.platform().boxAnswers.push_back(qo::IDOK);
    const std::vector<std::string> first = Expected(shot, shot.cards.front().ticket);
    int at = 9; // row 2 of card 1
    while (first[static_cast<std::size_t>(at)].empty())
        ++at;
    ReviewWatch watch([&](QDialog& dialog) {
        QLineEdit* cell = Cell(dialog, 1, at);
        const QString right = cell->text();
        cell->setText(QString::number(at % 9 == 0 ? 55 : 5));
        QTest::mouseClick(Button(dialog, "Добавить"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), cell);
        cell->setText(right);
        QTest::mouseClick(Button(dialog, "Добавить"), Qt::LeftButton);
    });
    ui.chooseMenu("Билеты с фото...");
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.ticketCount(), 2);
}

// A picture with doubtful cells: Tab walks them first, each outlined and named so, then the rest.
TEST(PhotoReview, TabWalksTheDoubtfulCellsFirst) {
    qotest::UiDriver ui;
    ShotPlan plan;
    plan.layout = Layout::ColouredCard;
    plan.distortion = Distortion::Noisy;
    const Shot shot = MakeShot(13, plan);
    ui.platform().dialogAnswers.push_back(Write(ui, "билеты.jpg", shot.jpeg));
    std::vector<QString> walked;
    int doubtful = 0;
    ReviewWatch watch([&](QDialog& dialog) {
        for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
            doubtful += e->accessibleName().endsWith(QString::fromUtf8(", сомнительно"));
        for (int i = 0; i <= doubtful; ++i) {
            QWidget* now = dialog.focusWidget();
            walked.push_back(now ? now->accessibleName() : QString());
            QTest::keyClick(now, Qt::Key_Tab);
        }
        QTest::mouseClick(Button(dialog, "Отмена"), Qt::LeftButton);
    });
    ui.chooseMenu("Билеты с фото...");
    ASSERT_GT(doubtful, 0) << "the picture was meant to hold doubtful cells";
    ASSERT_EQ(walked.size(), static_cast<std::size_t>(doubtful) + 1);
    for (int i = 0; i < doubtful; ++i)
        EXPECT_TRUE(walked[static_cast<std::size_t>(i)].endsWith(QString::fromUtf8(", сомнительно")))
            << walked[static_cast<std::size_t>(i)].toStdString();
    EXPECT_EQ(walked.back(), QString::fromUtf8("Билет 1, карточка 1, ряд 1, столбец 1"));
    EXPECT_EQ(ui.ticketCount(), 0);
}

// Ctrl+V with a picture on the clipboard reads it as a chosen file would be; a text on the
// clipboard is still the number box's to paste.
TEST(PhotoReview, APastedPictureIsReadLikeAChosenOne) {
    qotest::UiDriver ui;
    const Shot shot = CleanShot();
    QApplication::clipboard()->setImage(
        QImage::fromData(shot.jpeg.data(), static_cast<int>(shot.jpeg.size())));
    bool reviewed = false;
    ReviewWatch watch([&](QDialog& dialog) {
        reviewed = true;
        QTest::mouseClick(Button(dialog, "Добавить"), Qt::LeftButton);
    });
    QWidget* box = ui.root().numberBox().control()->widget();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(qotest::waitUntil([&] { return ui.ticketCount() == 2; }, 10000));
    EXPECT_TRUE(reviewed);
    EXPECT_EQ(ui.cellTexts(0), Expected(shot, shot.cards.front().ticket));

    bool reviewedAgain = false;
    ReviewWatch again([&](QDialog& dialog) {
        reviewedAgain = true;
        dialog.reject();
    });
    QApplication::clipboard()->setText(QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    qotest::waitUntilIdle();
    EXPECT_FALSE(reviewedAgain);
    EXPECT_EQ(ui.ticketCount(), 2);
}

struct BadPicture {
    const char* name;
    std::function<std::vector<unsigned char>()> bytes;
};

void PrintTo(const BadPicture& p, std::ostream* os) {
    *os << p.name;
}

class PhotoReviewBad : public testing::TestWithParam<BadPicture> {};

// Each is told in one box, and the list stays as it was.
TEST_P(PhotoReviewBad, IsToldAndAddsNothing) {
    qotest::UiDriver ui;
    ui.platform().dialogAnswers.push_back(Write(ui, "снимок", GetParam().bytes()));
    ui.platform().boxAnswers.push_back(qo::IDOK);
    ui.chooseMenu("Билеты с фото...");
    EXPECT_EQ(ui.ticketCount(), 0);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_NE(ui.platform().boxes[0].text.find(qo::Cp1251("Билеты не добавлены.")), std::string::npos);
}

std::vector<unsigned char> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PhotoReviewBad,
    testing::Values(
        BadPicture{"empty", [] { return std::vector<unsigned char>{}; }},
        BadPicture{"truncated_jpeg",
                   [] {
                       std::vector<unsigned char> jpeg = CleanShot().jpeg;
                       jpeg.resize(600);
                       return jpeg;
                   }},
        BadPicture{"pdf_without_pages",
                   [] {
                       return Bytes(
                           "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                           "2 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj\ntrailer << /Root 1 0 R >>\n"
                           "%%EOF\n");
                   }},
        // A PNG's header saying 10 000 x 10 000 pixels: refused before any pixel is decoded.
        BadPicture{"hundred_megapixels",
                   [] {
                       std::vector<unsigned char> png = {
                           0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
                           'R',  0,   0,   0x27, 0x10, 0,    0,    0x27, 0x10, 8, 0, 0,  0,   0};
                       png.resize(4096, 0);
                       return png;
                   }},
        // A busy picture with no card in it, as a cat is to the reader.
        BadPicture{"noise",
                   [] {
                       cv::Mat noise(900, 1200, CV_8UC3);
                       cv::randu(noise, cv::Scalar::all(0), cv::Scalar::all(255));
                       cv::GaussianBlur(noise, noise, cv::Size(), 5);
                       std::vector<unsigned char> png;
                       cv::imencode(".png", noise, png);
                       return png;
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// The rules a reviewed ticket keeps: the first cell that breaks them is where the player is sent.
struct Broken {
    const char* name;
    std::function<void(TicketCells&)> spoil;
    int cell; // -1: kept
};

void PrintTo(const Broken& b, std::ostream* os) {
    *os << b.name;
}

class ReviewedTicketRules : public testing::TestWithParam<Broken> {};

TicketCells GoodTicket() {
    TicketCells t{};
    const int rows[3][5] = {{0, 2, 4, 6, 8}, {1, 2, 3, 5, 7}, {0, 3, 4, 6, 8}};
    for (int card = 0; card < 2; ++card)
        for (int r = 0; r < 3; ++r)
            for (int c : rows[r])
                t[static_cast<std::size_t>(card * 27 + r * 9 + c)] = (c == 0 ? 1 : c * 10) + r * 3 + card;
    return t;
}

TEST_P(ReviewedTicketRules, FirstBrokenCell) {
    TicketCells t = GoodTicket();
    GetParam().spoil(t);
    std::string why;
    EXPECT_EQ(lotto::photo::FirstBrokenCell(t, why), GetParam().cell) << why;
    EXPECT_EQ(why.empty(), GetParam().cell < 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tickets, ReviewedTicketRules,
    testing::Values(Broken{"kept", [](TicketCells&) {}, -1},
                    Broken{"odd_card_with_the_other_empty",
                           [](TicketCells& t) { std::fill(t.begin() + 27, t.end(), 0); }, -1},
                    Broken{"out_of_its_column", [](TicketCells& t) { t[2] = 35; }, 2},
                    Broken{"ninety_in_the_last_column", [](TicketCells& t) { t[8] = 90; }, -1},
                    Broken{"twice_on_the_ticket", [](TicketCells& t) { t[27 + 2] = t[2]; }, 27 + 2},
                    Broken{"four_in_a_row", [](TicketCells& t) { t[4] = 0; }, 1},
                    Broken{"six_in_a_row", [](TicketCells& t) { t[1] = 11; }, 0}),
    [](const auto& info) { return std::string(info.param.name); });
