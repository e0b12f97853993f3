// The game window, held by its container under a main form as the program holds it, and driven
// through its buttons, its count box and the container's two inputs.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "app/class_child_form_da7248.h"
#include "containers/multi_element.h"
#include "runtime/cp1251.h"
#include "runtime/init_man.h"
#include "runtime/link.h"
#include "support/controls.h"
#include "support/scripted_platform.h"
#include "support/ui_helpers.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/layer/control.h"
#include "widgets/layer/ini_file.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"

namespace {

using Game = lotto::TClassChildForm_DA7248;

// What leaves the window through its event 0.
struct Outbox {
    std::vector<int> numbers;
    void Take(qo::TData& d, std::uint16_t) { numbers.push_back(qo::ToInteger(d)); }
};

std::vector<int> OneToNinety() {
    std::vector<int> v(90);
    std::iota(v.begin(), v.end(), 1);
    return v;
}

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Build(); }
    void TearDown() override { TearDownProgram(); }

    // The main form first, so that it is the program's and the game form a secondary one.
    void Build() {
        mainForm = std::make_unique<qo::TQOMainForm>();
        mainForm->width = 300;
        mainForm->height = 200;
        mainForm->Init();
        container = std::make_unique<qo::TQOMultiElement>(mainForm->control());
        container->SetCreateOnFirstUse(false);
        container->SetFactory(&qo::MakeScheme<Game>);
        container->SetEventCount(1);
        container->SetDataInputCount(0);
        container->events[0] = qo::Link<&Outbox::Take>(outbox);
        mainForm->Start();
    }
    void TearDownProgram() {
        qo::DisableDispatch();
        container.reset();
        qo::RunStartups();
        mainForm.reset();
    }

    const Game::Controls& ui() const {
        return static_cast<Game*>(container->Edge()->schemeObject)->controls();
    }
    void Send(std::uint16_t input, qo::TData d) { container->Input(d, input); }
    void Call(int number) {
        qo::TData d;
        qo::MakeInteger(d, number);
        Send(1, d);
    }
    void ShowWindow() {
        Send(0, qo::TData{});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui().form->control()->widget()));
    }
    static void Click(qo::TQOButton* b) { QTest::mouseClick(qotest::button(*b->control()), Qt::LeftButton); }
    static std::string Text(qo::TQOWin* w) { return qo::Cp1251ToUtf8(w->control()->text()); }
    // The numbers a list box shows, top to bottom.
    static std::vector<int> Lines(qo::TQOMemo* m) {
        std::vector<int> v;
        const std::string& t = m->control()->text();
        for (std::size_t at = 0, end; (end = t.find("\r\n", at)) != std::string::npos; at = end + 2) {
            v.push_back(qo::TextToInteger(t.substr(at, end - at)));
        }
        return v;
    }
    qo::IniFile Settings() const { return qo::IniFile(platform.folder() + "Параметры.ini"); }
    int Key(const char* key) const { return Settings().readInteger(qo::Cp1251("Форма"), key, -1); }

    qotest::ScriptedPlatform platform;
    Outbox outbox;
    std::unique_ptr<qo::TQOMainForm> mainForm;
    std::unique_ptr<qo::TQOMultiElement> container;
};

TEST_F(GameWindowTest, OpenCloseTwiceSwitchesButtonsCaptionAndStatus) {
    EXPECT_FALSE(ui().form->control()->visible());
    EXPECT_EQ(ui().form->control()->bounds(), (qo::Rect{35, 105, 255, 295})); // no settings file yet
    EXPECT_EQ(Text(ui().status), "Сеанс закрыт");
    EXPECT_FALSE(ui().generate->control()->enabled());
    ShowWindow();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Click(ui().openClose);
        EXPECT_EQ(Text(ui().openClose), "Закрыть сеанс");
        EXPECT_TRUE(ui().generate->control()->enabled());
        EXPECT_TRUE(ui().autogen->control()->enabled());
        EXPECT_EQ(Text(ui().status), "Осталось: 90");
        Click(ui().generate);
        EXPECT_EQ(Lines(ui().drawnNumbers).size(), 1u);

        Click(ui().openClose);
        EXPECT_EQ(Text(ui().openClose), "Открыть сеанс");
        EXPECT_FALSE(ui().generate->control()->enabled());
        EXPECT_FALSE(ui().autogen->control()->enabled());
        EXPECT_TRUE(Lines(ui().drawnNumbers).empty());
        EXPECT_EQ(Text(ui().status), "Сеанс закрыт");
    }
    EXPECT_EQ(outbox.numbers.size(), 2u);
    EXPECT_EQ(Text(ui().moves), "Ходов: 0"); // drawn numbers are no moves
}

TEST_F(GameWindowTest, NinetyDrawsGiveEachNumberOnceTheNextChangesNothingAndANewGameStartsOver) {
    ShowWindow();
    Click(ui().openClose);
    for (int i = 0; i < 90; ++i)
        Click(ui().generate);

    EXPECT_EQ(Lines(ui().drawnNumbers), outbox.numbers); // listed in the order sent out
    std::vector<int> sorted = outbox.numbers;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, OneToNinety());
    EXPECT_EQ(Text(ui().status), "Осталось: 0");
    EXPECT_GT(ui().drawnNumbers->lines()->firstVisibleLine(), 80); // the newest lines in view

    const std::string listed = ui().drawnNumbers->control()->text();
    Click(ui().generate);
    EXPECT_EQ(outbox.numbers.size(), 90u);
    EXPECT_EQ(ui().drawnNumbers->control()->text(), listed);
    EXPECT_EQ(Text(ui().status), "Осталось: 0");

    // A new game starts over: any number may come again.
    Click(ui().openClose);
    Click(ui().openClose);
    EXPECT_EQ(Text(ui().status), "Осталось: 90");
    Click(ui().generate);
    EXPECT_EQ(outbox.numbers.size(), 91u);
    EXPECT_EQ(Lines(ui().drawnNumbers), std::vector<int>{outbox.numbers.back()});
}

struct AutogenCase {
    const char* typed;
    std::size_t draws;
    const char* status;
};

class AutogenTest : public GameWindowTest, public ::testing::WithParamInterface<AutogenCase> {};

TEST_P(AutogenTest, DrawsAsManyAsTheCountBoxHolds) {
    ShowWindow();
    Click(ui().openClose);
    qotest::typeInto(*ui().autogenCount->control(), GetParam().typed);
    Click(ui().autogen);
    EXPECT_EQ(outbox.numbers.size(), GetParam().draws);
    EXPECT_EQ(Lines(ui().drawnNumbers), outbox.numbers);
    EXPECT_EQ(Text(ui().status), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(CountBox, AutogenTest,
                         ::testing::Values(AutogenCase{"", 0, "Осталось: 90"},
                                           AutogenCase{"5", 5, "Осталось: 85"},
                                           AutogenCase{"90", 90, "Осталось: 0"},
                                           AutogenCase{"95", 90, "Осталось: 0"})); // 95 becomes 90

TEST_F(GameWindowTest, CalledNumbersAreListedOnceAndARepeatScrollsItsLineToTheTop) {
    ShowWindow();
    qo::EditControl& box = *ui().calledNumbers->lines();
    Call(5);
    Call(17);
    EXPECT_GT(box.firstVisibleLine(), 0);
    Call(5);
    EXPECT_EQ(Lines(ui().calledNumbers), (std::vector<int>{5, 17}));
    EXPECT_EQ(Text(ui().moves), "Ходов: 2");
    EXPECT_EQ(box.firstVisibleLine(), 0);

    for (int n = 30; n < 40; ++n)
        Call(n);
    Call(31); // the fourth entry
    EXPECT_EQ(box.firstVisibleLine(), 3);
    EXPECT_EQ(Text(ui().moves), "Ходов: 12");

    Call(0);
    qo::TData text; // a value that is no number counts as 0
    qo::MakeString(text, "abc");
    Send(1, text);
    EXPECT_EQ(Lines(ui().calledNumbers).size(), 12u);
    EXPECT_EQ(Text(ui().moves), "Ходов: 12");
    EXPECT_TRUE(outbox.numbers.empty()); // called numbers do not go back out
}

TEST_F(GameWindowTest, ClearEmptiesTheRealGameAndLeavesTheVirtualOne) {
    ShowWindow();
    Click(ui().openClose);
    for (int i = 0; i < 3; ++i)
        Click(ui().generate);
    Call(5);
    Call(17);

    Click(ui().clear);
    EXPECT_TRUE(Lines(ui().calledNumbers).empty());
    EXPECT_EQ(Text(ui().moves), "Ходов: 0");
    EXPECT_EQ(Lines(ui().drawnNumbers).size(), 3u);
    EXPECT_EQ(Text(ui().status), "Осталось: 87");

    Call(17); // forgotten with the list, so a new move
    EXPECT_EQ(Lines(ui().calledNumbers), std::vector<int>{17});
    EXPECT_EQ(Text(ui().moves), "Ходов: 1");
}

TEST_F(GameWindowTest, CloseHidesKeepsEverythingAndWritesThePosition) {
    platform.writeFile("Параметры.ini", qo::Cp1251("[Форма]\r\nLeft=20\r\n"));
    ShowWindow();
    Click(ui().openClose);
    Click(ui().generate);
    Call(8);
    ui().form->control()->setPosition(140, 160);

    ui().form->control()->widget()->close();
    EXPECT_FALSE(ui().form->control()->visible());
    EXPECT_EQ(Key("pLeft"), 140);
    EXPECT_EQ(Key("pTop"), 160);
    EXPECT_EQ(Key("Left"), 20); // the main window's keys stay

    ShowWindow();
    EXPECT_EQ(Text(ui().openClose), "Закрыть сеанс");
    EXPECT_EQ(Lines(ui().drawnNumbers), outbox.numbers);
    EXPECT_EQ(Text(ui().status), "Осталось: 89");
    EXPECT_EQ(Lines(ui().calledNumbers), std::vector<int>{8});
    EXPECT_EQ(Text(ui().moves), "Ходов: 1");
    Click(ui().generate);
    EXPECT_EQ(Text(ui().status), "Осталось: 88");

    qo::TData zero;
    qo::MakeInteger(zero, 0);
    Send(0, zero);
    EXPECT_FALSE(ui().form->control()->visible());
}

TEST_F(GameWindowTest, TheNextStartOpensWhereTheWindowWasClosed) {
    ShowWindow();
    ui().form->control()->setPosition(222, 111);
    ui().form->control()->widget()->close();
    TearDownProgram();

    Build();
    EXPECT_EQ(ui().form->control()->left(), 222);
    EXPECT_EQ(ui().form->control()->top(), 111);
}

} // namespace
