// Forms: the main window's settings across runs, the close procedure, secondary forms.
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "runtime/cp1251.h"
#include "runtime/text_resource.h"
#include "support/controls.h"
#include "support/wait.h"
#include "widget_test.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/menu.h"
#include "widgets/menu_element.h"

namespace qotest {
namespace {

const std::string kSettingsName = "Параметры.ini";

// Each test plays the program from start to close, so no fixture form: the one made here must be
// the first of the process to become the main form.
class MainFormTest : public ::testing::Test {
protected:
    void TearDown() override {
        qo::DisableDispatch();
        qo::RunStartups();
    }

    // The main window as the program sets it up.
    std::unique_ptr<qo::TQOMainForm> MakeMainWindow() {
        auto form = std::make_unique<qo::TQOMainForm>();
        form->left = 20;
        form->top = 105;
        form->width = 547;
        form->height = 300;
        form->color = 0xFF00000F;
        form->font.color = 0;
        form->SetCaption(qo::Cp1251("Фишкодром"));
        form->SetBorderStyle(2);
        form->keepProperties = 1;
        form->keptPropertyList = qo::LoadTextResource("Str1");
        form->settingsFile = qo::Cp1251(kSettingsName);
        form->settingsSection = qo::Cp1251("Форма");
        return form;
    }
    qo::IniFile Settings() const { return qo::IniFile(folder.path(kSettingsName)); }
    std::int32_t Key(const char* key) const {
        return Settings().readInteger(qo::Cp1251("Форма"), key, -12345);
    }
    static void Close(qo::TQOMainForm& form) { form.control()->widget()->close(); }
    // What the program entry does, with the message loop's first act: showing the main form.
    static void Start(qo::TQOMainForm& form) {
        form.Start();
        ASSERT_TRUE(showForm(*form.control()));
    }

    ProgramFolder folder;
};

TEST_F(MainFormTest, FirstRunOpensAtTheSchemePlaceAndCloseWritesFiveKeys) {
    auto form = MakeMainWindow();
    form->Init();
    Start(*form);
    ASSERT_TRUE(form->IsMain());
    EXPECT_EQ(form->control()->bounds(), (qo::Rect{20, 105, 547, 300}));
    EXPECT_EQ(folder.read(kSettingsName), "");

    Close(*form);
    EXPECT_FALSE(qo::DispatchEnabled());
    const std::string expected =
        qo::Cp1251("[Форма]\r\nLeft=20\r\nTop=105\r\nHeight=300\r\nWidth=547\r\nWS=0\r\n");
    EXPECT_EQ(folder.read(kSettingsName), expected);
}

TEST_F(MainFormTest, RestartRestoresPlaceSizeAndMaximisedState) {
    {
        auto form = MakeMainWindow();
        form->Init();
        Start(*form);
        form->control()->setBounds(60, 70, 500, 280);
        Close(*form);
    }
    EXPECT_EQ(Key("Left"), 60);
    EXPECT_EQ(Key("Height"), 280);
    {
        auto form = MakeMainWindow();
        form->Init(); // the saved values override the scheme's
        EXPECT_EQ(form->control()->bounds(), (qo::Rect{60, 70, 500, 280}));
        Start(*form);
        form->formControl()->setWindowState(2);
        ASSERT_TRUE(waitUntil([&] { return form->formControl()->windowState() == 2; }));
        Close(*form);
    }
    EXPECT_EQ(Key("WS"), 2);
    // Closed maximised, the place kept is the one a restore goes back to.
    EXPECT_EQ(qo::Rect(Key("Left"), Key("Top"), Key("Width"), Key("Height")), (qo::Rect{60, 70, 500, 280}));
    {
        auto form = MakeMainWindow();
        form->Init();
        Start(*form);
        EXPECT_TRUE(waitUntil([&] { return form->formControl()->windowState() == 2; }));
        Close(*form);
    }
}

struct KeptPlace {
    const char* name;
    qo::Rect kept;
};
void PrintTo(const KeptPlace& p, std::ostream* os) {
    *os << p.name;
}

class KeptPlaceOnScreen : public MainFormTest, public ::testing::WithParamInterface<KeptPlace> {};

// A kept place that lies on no screen whole is brought onto the screen at start; one that lies on
// it stays as kept, and the file keeps what it holds either way.
TEST_P(KeptPlaceOnScreen, StartsOnTheScreen) {
    const qo::Rect k = GetParam().kept;
    const std::string kept = qo::Cp1251("[Форма]\r\nLeft=") + std::to_string(k.left) +
                             "\r\nTop=" + std::to_string(k.top) + "\r\nHeight=" + std::to_string(k.height) +
                             "\r\nWidth=" + std::to_string(k.width) + "\r\nWS=0\r\n";
    folder.platform.writeFile(kSettingsName, kept);
    auto form = MakeMainWindow();
    form->Init();
    const qo::Rect b = form->control()->bounds();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(b.left, b.top, b.width, b.height)))
        << b.left << "," << b.top << " " << b.width << "x" << b.height;
    if (screen.contains(QRect(k.left, k.top, k.width, k.height))) {
        EXPECT_EQ(b, k);
    }
    EXPECT_EQ(folder.read(kSettingsName), kept);
}

INSTANTIATE_TEST_SUITE_P(Places, KeptPlaceOnScreen,
                         ::testing::Values(KeptPlace{"OnTheScreen", {60, 70, 500, 280}},
                                           KeptPlace{"RightOfAndBelowTheScreen", {5000, 4000, 547, 300}},
                                           KeptPlace{"AboveAndLeftOfTheScreen", {-3000, -2000, 547, 300}},
                                           KeptPlace{"TallerThanTheScreen", {20, 0, 547, 5000}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, RefusedCloseStillSavesAndHasFiredOnClose) {
    auto form = MakeMainWindow();
    Probe closing, refuse;
    refuse.answer.kind = qo::dkInteger;
    refuse.answer.integer = 1;
    form->onClose = closing.input();
    form->canClose = refuse.source();
    form->Init();
    Start(*form);

    Close(*form);
    EXPECT_EQ(closing.got.size(), 1u);
    EXPECT_TRUE(form->control()->visible());
    EXPECT_TRUE(qo::DispatchEnabled());
    EXPECT_EQ(Key("Width"), 547);

    // Allowed next time: the same attempt saves again and the program ends.
    refuse.answer.integer = 0;
    Close(*form);
    EXPECT_EQ(closing.got.size(), 2u);
    EXPECT_FALSE(qo::DispatchEnabled());
    EXPECT_EQ(qo::ApplicationObject(), nullptr);
}

TEST_F(MainFormTest, AfterTheMainFormAcceptsItsCloseNoEventReachesAnyElement) {
    auto form = MakeMainWindow();
    form->Init();
    qo::TQOMenu menu(*form);
    Probe chosen, typed, shown;
    menu.onChoose = chosen.input();
    menu.SetText("A\r\nB");
    auto edit = std::make_unique<qo::TQOEdit>(form->control());
    edit->onChange = typed.input();
    edit->onBlur = typed.input();
    edit->Init();
    form->onShow = shown.input();
    Start(*form);
    ASSERT_TRUE(waitUntil([&] { return !shown.got.empty(); }));

    QTest::keyClicks(edit->control()->widget(), "1");
    form->control()->send(qo::WM_COMMAND, menu.menu()->items()[1]->id);
    ASSERT_EQ(typed.ints(), (std::vector<int>{1}));
    ASSERT_EQ(chosen.ints(), (std::vector<int>{1}));

    Close(*form);
    form->control()->send(qo::WM_COMMAND, menu.menu()->items()[0]->id);
    edit->control()->setText("5");
    edit.reset(); // taking the scheme apart reaches nobody either
    EXPECT_EQ(chosen.ints(), (std::vector<int>{1}));
    EXPECT_EQ(typed.ints(), (std::vector<int>{1}));
}

TEST_F(MainFormTest, MainFormStartEventComesLastOfTheStartUpList) {
    auto form = MakeMainWindow();
    form->Init();
    qo::TQOMainForm game;
    game.visible = 0;
    game.Init();
    EXPECT_FALSE(game.IsMain());
    Probe started;
    form->onStart = started.input(1);
    game.onStart = started.input(2);
    Start(*form);
    EXPECT_EQ(started.from, (std::vector<int>{2, 1}));
    Close(*form);
}

TEST_F(MainFormTest, SecondaryFormCloseHidesItAndItShowsAgain) {
    // Built before the start, as the program builds its game window.
    auto form = MakeMainWindow();
    form->Init();
    qo::TQOMainForm game;
    game.left = 35;
    game.top = 105;
    game.width = 255;
    game.height = 295;
    game.keepProperties = 1;
    game.keptPropertyList = qo::LoadTextResource("Str2");
    game.settingsFile = qo::Cp1251(kSettingsName);
    game.settingsSection = qo::Cp1251("Форма");
    Probe shown, closing;
    game.onShow = shown.input();
    game.onClose = closing.input();
    game.Init();
    ASSERT_TRUE(game.control()->visible());
    Start(*form);

    Close(game);
    EXPECT_FALSE(game.control()->visible());
    EXPECT_EQ(closing.got.size(), 1u);
    EXPECT_TRUE(qo::DispatchEnabled());
    EXPECT_EQ(Key("pLeft"), 35);
    EXPECT_EQ(Key("pTop"), 105);

    const std::size_t showsBefore = shown.got.size();
    qo::TData one;
    qo::MakeInteger(one, 1);
    game.Visible(one, 0);
    EXPECT_TRUE(game.control()->visible());
    EXPECT_TRUE(waitUntil([&] { return shown.got.size() == showsBefore + 1; }));

    // Closing the main window keeps the game window's keys.
    Close(*form);
    EXPECT_EQ(Key("pLeft"), 35);
    EXPECT_EQ(Key("Left"), 20);
}

TEST_F(MainFormTest, WindowStateIsAppliedAtTheFirstShow) {
    auto form = MakeMainWindow();
    form->keepProperties = 0;
    form->WindowState = 2;
    Probe shown;
    form->onShow = shown.input();
    form->Init();
    EXPECT_FALSE(form->ShownOnce());
    Start(*form);
    EXPECT_TRUE(waitUntil([&] { return form->formControl()->windowState() == 2; }));
    EXPECT_TRUE(form->ShownOnce());
    EXPECT_EQ(shown.got.size(), 1u);
    Close(*form);
}

struct BorderCase {
    int value;
    std::uint32_t style;
    std::uint32_t exStyle;
};

class BorderStyleTest : public MainFormTest, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(BorderStyleTest, ReplacesTheFrameBits) {
    auto form = MakeMainWindow();
    form->SetBorderStyle(7); // something to replace
    form->control()->setExStyle(form->control()->exStyle() | qo::WS_EX_TOOLWINDOW);
    form->SetBorderStyle(GetParam().value);
    EXPECT_EQ(form->control()->style() & 0x00C70000u, GetParam().style);
    EXPECT_EQ(form->control()->exStyle() & 0x181u, GetParam().exStyle);
}

INSTANTIATE_TEST_SUITE_P(Table, BorderStyleTest,
                         ::testing::Values(BorderCase{0, 0, 0}, BorderCase{1, 0x00C30000, 0},
                                           BorderCase{2, 0x00C70000, 0}, BorderCase{3, 0x00C00000, 0x100},
                                           BorderCase{4, 0x00C00000, 0x80}, BorderCase{5, 0x00C40000, 0x80},
                                           BorderCase{6, 0x00030000, 0x1},
                                           // out of range: left as style 7 and the tool window made it
                                           BorderCase{8, 0x00070000, 0x80}));

} // namespace
} // namespace qotest
