// A fault that escapes a handler stops where the toolkit handed the event over: the user gets one
// box naming what was being done and why, and the program goes on.
#include "runtime/cp1251.h"
#include "support/controls.h"
#include "support/scripted_platform.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/words.h"
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

using qo::Control;

namespace {

class HandlerFault : public ::testing::Test {
protected:
    HandlerFault() {
        // The layer tells what the program words: these, as a program would give them.
        qo::Words words;
        words.faultCaption = "Фишкодром";
        words.outOfMemory = "не хватило памяти";
        words.doing[static_cast<std::size_t>(qo::Doing::ButtonPress)] = "нажатие кнопки";
        words.doing[static_cast<std::size_t>(qo::Doing::KeyPress)] = "нажатие клавиши";
        words.doing[static_cast<std::size_t>(qo::Doing::Painting)] = "отрисовка окна";
        qo::SetWords(words);
        form = qo::FormControl::Create(nullptr);
        form->setBounds(10, 10, 200, 120);
        button = qo::ButtonControl::Create(form);
        button->setText("Go");
        button->setBounds(5, 5, 60, 24);
        button->setVisible(true);
    }
    ~HandlerFault() override {
        form->destroy();
        qo::SetWords({});
    }

    // The box of a fault comes within the click or never: whatever the click queued runs before the
    // boxes are counted, so a late or second box would be seen.
    void click() {
        QTest::mouseClick(button->widget(), Qt::LeftButton);
        ASSERT_TRUE(qotest::waitUntilIdle());
    }
    std::string boxText(std::size_t i) const { return qo::Cp1251ToUtf8(platform.boxes.at(i).text); }

    qotest::ScriptedPlatform platform;
    Control* form = nullptr;
    Control* button = nullptr;
};

TEST_F(HandlerFault, ThrowingClickIsToldInOneBoxAndTheNextClickWorks) {
    ASSERT_TRUE(qotest::showForm(*form));
    button->setOnClick([] { throw std::runtime_error("the ticket file is locked"); });
    click();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, qo::Cp1251("Фишкодром"));
    EXPECT_EQ(platform.boxes[0].style, qo::MB_OK | qo::MB_ICONHAND);
    EXPECT_NE(boxText(0).find("нажатие кнопки «Go»"), std::string::npos) << boxText(0);
    EXPECT_NE(boxText(0).find("the ticket file is locked"), std::string::npos) << boxText(0);

    // Every click the user makes is his own act: a second failing one is told again.
    click();
    EXPECT_EQ(platform.boxes.size(), 2u);

    int clicks = 0;
    button->setOnClick([&clicks] { ++clicks; });
    click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(platform.boxes.size(), 2u);
}

TEST_F(HandlerFault, FailedAllocationInAKeyHandlerSaysMemoryRanOut) {
    auto* edit = qo::EditControl::Create(form, 0);
    edit->setBounds(5, 40, 60, 24);
    edit->setVisible(true);
    ASSERT_TRUE(qotest::showForm(*form));
    edit->setOnKeyDown([](int& key, int) {
        if (key == 'A') throw std::bad_alloc();
    });
    qotest::typeInto(*edit, "bab");
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_NE(boxText(0).find("нажатие клавиши"), std::string::npos) << boxText(0);
    EXPECT_NE(boxText(0).find("не хватило памяти"), std::string::npos) << boxText(0);
    EXPECT_EQ(edit->text(), "bb"); // the failed key was dropped, the others typed
}

// Painting comes back by itself; its fault must not bring a box at every repaint.
TEST_F(HandlerFault, PaintFaultIsToldOnceHoweverOftenItRepaints) {
    auto* panel = qo::PanelControl::Create(form, {});
    panel->setBounds(70, 5, 50, 50);
    panel->setVisible(true);
    int paints = 0;
    panel->setOnPaint([&paints](qo::Canvas&) {
        ++paints;
        throw std::logic_error("no brush");
    });
    ASSERT_TRUE(qotest::showForm(*form));
    for (int i = 0; i < 5; ++i) {
        const int before = paints;
        panel->repaint();
        qotest::waitUntil([&] { return paints > before; });
    }
    EXPECT_GE(paints, 2);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_NE(boxText(0).find("отрисовка окна"), std::string::npos) << boxText(0);
}

// A box on screen runs a loop of its own; a fault raised meanwhile must not stack a second box.
class NestingPlatform final : public qo::Platform {
public:
    explicit NestingPlatform(qotest::ScriptedPlatform& inner, Control& button)
        : inner_(inner), button_(button) {
        previous_ = qo::SetPlatform(this);
    }
    ~NestingPlatform() override { qo::SetPlatform(previous_); }
    int messageBox(Control* owner, const std::string& text, const std::string& caption,
                   std::uint32_t style) override {
        QTest::mouseClick(button_.widget(), Qt::LeftButton); // the user clicks again behind the box
        return inner_.messageBox(owner, text, caption, style);
    }
    bool fileDialog(qo::FileDialog& d) override { return inner_.fileDialog(d); }
    void playSound(const std::string& p) override { inner_.playSound(p); }
    void openUrl(const std::string& u) override { inner_.openUrl(u); }
    std::int64_t utcTimeOfDayMs() override { return 0; }
    std::string programFolder() override { return inner_.folder(); }
    bool fileExists(const std::string& p) override { return inner_.fileExists(p); }

private:
    qotest::ScriptedPlatform& inner_;
    Control& button_;
    qo::Platform* previous_ = nullptr;
};

TEST_F(HandlerFault, FaultWhileTheBoxIsShownBringsNoSecondBox) {
    ASSERT_TRUE(qotest::showForm(*form));
    int attempts = 0;
    button->setOnClick([&attempts] {
        ++attempts;
        throw std::runtime_error("broken");
    });
    {
        NestingPlatform nesting(platform, *button);
        click();
    }
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(platform.boxes.size(), 1u);
}

} // namespace
