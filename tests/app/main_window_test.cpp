// The program end to end: a number typed into the main window's box on its way to every ticket,
// the menu's ticket commands, the entry's "/ih" and the settings file the main window keeps.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "app/advertisement.h"
#include "app/class_child_form_da7248.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_photo.h"
#include "app/program.h"
#include "runtime/cp1251.h"
#include "runtime/data.h"
#include "runtime/link.h"
#include "support/controls.h"
#include "support/ui_driver.h"
#include "support/wait.h"
#include "widgets/edit.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/menu_element.h"

namespace qotest {
namespace {

using lotto::TQOInlineCode_D9D224;
constexpr qo::Color kWhite = TQOInlineCode_D9D224::kWhite;
constexpr qo::Color kRed = TQOInlineCode_D9D224::kRed;

// The main window's menu items, by their captions.
constexpr const char* kDeleteAll = "Удалить все";
constexpr const char* kResetAllNumbers = "Сброс всех чисел";
constexpr const char* kResetAllColours = "Сброс всех цветов";
constexpr const char* kFillAll = "Заполнить все";
constexpr const char* kGame = "Игра";
constexpr const char* kAdvertisement = "ПОСМОТРЕТЬ РЕКЛАМУ";

// The cell index of ticket row R, column c.
constexpr int At(int row, int column) {
    return row * 9 + column;
}

// The site a player named in the settings file; a trailing "/" is not doubled.
constexpr const char* kSite = "https://fishki.example/";

UiDriver::Options WithSite() {
    UiDriver::Options o;
    o.advertisementSite = kSite;
    return o;
}

// One of the site's pages 0…99.
bool IsAdvertisementPage(const std::string& url) {
    for (int n = 0; n <= 99; ++n) {
        if (url == "https://fishki.example/adv/adv-" + std::to_string(n) + ".html") return true;
    }
    return false;
}

TEST(MainWindow, TypedNumberIsMarkedOnEveryTicketAndTheBoxEmpties) {
    UiDriver ui;
    ui.newTickets(3);
    for (int t = 0; t < 3; ++t)
        ui.typeIntoCell(t, At(t, 0), "7"); // a different row on each ticket
    ui.typeIntoCell(1, At(4, 0), "07");    // not the number 7 as far as marking goes

    ui.typeNumber("7");
    EXPECT_EQ(ui.numberBoxText(), "");
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(ui.cellColor(t, At(t, 0)), kRed) << "ticket " << t;
    }
    EXPECT_EQ(ui.cellColor(1, At(4, 0)), kWhite);
}

// Presses Tab (Shift+Tab) in the control the main window last gave the focus; where it went.
qo::Control* PressTab(UiDriver& ui, bool back = false) {
    qo::FormControl* form = ui.mainWindow().form();
    QWidget* w = form->focusedControl() ? form->focusedControl()->widget() : nullptr;
    if (!w) return nullptr;
    QTest::keyClick(w, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return form->focusedControl();
}

bool Within(const qo::Control& outer, const qo::Control* c) {
    for (; c; c = c->parent()) {
        if (c == &outer) return true;
    }
    return false;
}

// Every ticket carries the same tab positions; Tab must not carry what is typed into another.
TEST(MainWindow, TabStaysOnTheTicketAndGoesOnToTheNextOne) {
    UiDriver ui;
    ui.newTickets(3);
    ui.typeIntoCell(0, At(0, 1), "12");
    ui.typeIntoCell(2, At(0, 0), "5");
    EXPECT_EQ(PressTab(ui), &ui.cell(2, At(0, 1)));
    QTest::keyClicks(ui.cell(2, At(0, 1)).widget(), "19");
    EXPECT_EQ(ui.cellText(2, At(0, 1)), "19");
    EXPECT_EQ(ui.cellText(0, At(0, 1)), "12");

    // Past a ticket's last cell into the next ticket, past the last ticket to the number box,
    // and Shift+Tab back the same way.
    qo::Control* box = ui.root().numberBox().control();
    ui.cell(0, 53).setFocus();
    qo::Control* first = PressTab(ui);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(Within(ui.ticketPanel(1), first)) << "Tab past ticket 1 went elsewhere";
    EXPECT_EQ(PressTab(ui, true), &ui.cell(0, 53));
    ui.cell(2, 53).setFocus();
    EXPECT_EQ(PressTab(ui), box);
    EXPECT_EQ(PressTab(ui, true), &ui.cell(2, 53));
}

// The box undoes a letter by bringing back its last valid text, the number just called: Alt with
// a letter must type nothing, in either layout, so that Enter does not call that number again.
TEST(MainWindow, AltWithALetterBringsNoCalledNumberBack) {
    UiDriver ui;
    ui.newTickets(1);
    ui.typeIntoCell(0, At(0, 2), "29");
    ui.typeNumber("29");
    QWidget* box = ui.root().numberBox().control()->widget();
    for (const QString& letter : {QStringLiteral("q"), QStringLiteral("и")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::AltModifier, letter);
        QApplication::sendEvent(box, &press);
        EXPECT_EQ(ui.numberBoxText(), "");
    }
    ui.typeNumber("");
    EXPECT_EQ(ui.gameScheme().moves(), std::vector<int>{29});
}

TEST(MainWindow, BoxClampsToNinetyAndEnterOnEmptyOrZeroMarksNothing) {
    UiDriver ui;
    ui.newTickets(1);
    ui.typeIntoCell(0, At(0, 8), "90");
    ui.typeIntoCell(0, At(1, 8), "0");

    ui.typeNumber("", true);
    // 0 is no number of the game: the cell someone typed it into stays white.
    ui.typeNumber("0");
    ui.typeNumber("00");
    EXPECT_EQ(ui.cellColor(0, At(1, 8)), kWhite);
    ui.typeNumber("9", false);
    ui.typeNumber("5", false);
    EXPECT_EQ(ui.numberBoxText(), "90");
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), kWhite); // not yet confirmed
    ui.typeNumber("", true);
    EXPECT_EQ(ui.cellColor(0, At(0, 8)), kRed);
    EXPECT_EQ(ui.numberBoxText(), "");
}

TEST(MainWindow, NewStacksTicketsTopToBottomInCreationOrderEachEmptyAndWhite) {
    UiDriver ui;
    ui.newTickets(3);
    ASSERT_EQ(ui.ticketCount(), 3);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(ui.cellTexts(t), std::vector<std::string>(54, "")) << "ticket " << t;
        for (int c = 0; c < 54; ++c)
            ASSERT_EQ(ui.cellColor(t, c), kWhite);
    }
    EXPECT_LT(ui.ticketPanel(0).top(), ui.ticketPanel(1).top());
    EXPECT_EQ(ui.ticketPanel(1).top(), ui.ticketPanel(0).top() + ui.ticketPanel(0).height());
    EXPECT_EQ(ui.ticketPanel(2).top(), ui.ticketPanel(1).top() + ui.ticketPanel(1).height());
}

// The delete request starts in the ticket's own button; the ticket must be gone, and nothing of it
// touched afterwards (AddressSanitizer watches), before the next command reaches the list.
TEST(MainWindow, DeleteTicketFromItsOwnButtonThenFillAll) {
    UiDriver ui;
    ui.newTickets(3);
    ui.typeIntoCell(0, 0, "1");
    ui.typeIntoCell(2, 0, "3");

    ui.platform().boxAnswers = {qo::IDNO};
    ui.click(1, UiDriver::Button::kDelete);
    EXPECT_EQ(ui.ticketCount(), 3);

    ui.platform().boxAnswers = {qo::IDYES};
    ui.click(1, UiDriver::Button::kDelete);
    ASSERT_EQ(ui.ticketCount(), 2);
    EXPECT_EQ(ui.cellText(0, 0), "1");
    EXPECT_EQ(ui.cellText(1, 0), "3");
    EXPECT_EQ(ui.ticketPanel(1).top(), ui.ticketPanel(0).top() + ui.ticketPanel(0).height());
    const auto& box = ui.platform().boxes.back();
    EXPECT_EQ(box.text, qo::Cp1251("Вы действительно хотите удалить билет?"));
    EXPECT_EQ(box.caption, qo::Cp1251("Подтверждение"));
    EXPECT_EQ(box.style, qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2);

    ui.chooseMenu(kFillAll);
    for (int t = 0; t < 2; ++t) {
        int filled = 0;
        for (const std::string& text : ui.cellTexts(t))
            filled += !text.empty();
        EXPECT_EQ(filled, 30) << "ticket " << t;
    }
}

TEST(MainWindow, DeleteAllAskedNoKeepsTicketsYesEmptiesTheList) {
    UiDriver ui;
    ui.newTickets(2);
    ui.platform().boxAnswers = {qo::IDNO};
    ui.chooseMenu(kDeleteAll);
    EXPECT_EQ(ui.ticketCount(), 2);
    ASSERT_EQ(ui.platform().boxes.size(), 1u);
    EXPECT_EQ(ui.platform().boxes[0].text, qo::Cp1251("Вы действительно хотите удалить ВСЕ билеты?"));
    EXPECT_EQ(ui.platform().boxes[0].style, qo::MB_YESNO | qo::MB_DEFBUTTON2);

    ui.platform().boxAnswers = {qo::IDYES};
    ui.chooseMenu(kDeleteAll);
    EXPECT_EQ(ui.ticketCount(), 0);
    ui.typeNumber("7"); // reaches nobody, and nothing breaks
    ui.newTickets(1);
    EXPECT_EQ(ui.ticketCount(), 1);
}

TEST(MainWindow, ResetAllNumbersKeepsColoursAndNoChangesNothing) {
    UiDriver ui;
    ui.newTickets(2);
    ui.typeIntoCell(0, 0, "5");
    ui.typeIntoCell(1, 3, "33");
    ui.typeNumber("5");

    ui.platform().boxAnswers = {qo::IDNO};
    ui.chooseMenu(kResetAllNumbers);
    EXPECT_EQ(ui.cellText(0, 0), "5");

    ui.platform().boxAnswers = {qo::IDYES};
    ui.chooseMenu(kResetAllNumbers);
    EXPECT_EQ(ui.cellText(0, 0), "");
    EXPECT_EQ(ui.cellText(1, 3), "");
    EXPECT_EQ(ui.cellColor(0, 0), kRed);
    ASSERT_EQ(ui.platform().boxes.size(), 2u);
    EXPECT_EQ(ui.platform().boxes[1].text,
              qo::Cp1251("Вы действительно хотите удалить числа из ВСЕХ билетов?"));
    EXPECT_EQ(ui.platform().boxes[1].style, qo::MB_YESNO | qo::MB_ICONQUESTION | qo::MB_DEFBUTTON2);

    // After the reset the ticket's entry starts again at row 0.
    ui.typeIntoEntry(0, "12");
    EXPECT_EQ(ui.cellText(0, At(0, 1)), "12");

    ui.platform().boxAnswers = {qo::IDYES};
    ui.chooseMenu(kResetAllColours);
    EXPECT_EQ(ui.cellColor(0, 0), kWhite);
    EXPECT_EQ(ui.cellText(0, At(0, 1)), "12");
}

TEST(MainWindow, WithoutTicketsTheResetQuestionsAreStillAsked) {
    UiDriver ui;
    ui.platform().boxAnswers = {qo::IDYES, qo::IDYES};
    ui.chooseMenu(kResetAllNumbers);
    ui.chooseMenu(kResetAllColours);
    EXPECT_EQ(ui.platform().boxes.size(), 2u);
}

TEST(MainWindow, AdvertisementMenuOpensAPageOfTheSite) {
    UiDriver ui(WithSite());
    ui.chooseMenu(kAdvertisement);
    ui.chooseMenu(kAdvertisement);
    ASSERT_EQ(ui.platform().urls.size(), 2u);
    for (const std::string& url : ui.platform().urls)
        EXPECT_TRUE(IsAdvertisementPage(url)) << url;
}

TEST(MainWindow, GameMenuShowsTheGameWindow) {
    UiDriver ui;
    qo::Control* game = ui.gameWindow();
    ASSERT_NE(game, nullptr);
    EXPECT_FALSE(game->visible());
    ui.chooseMenu(kGame);
    EXPECT_TRUE(game->visible());
    EXPECT_EQ(ui.ticketCount(), 0);
}

// The bar as the player sees it: each action's caption, "-" for a separator, "[ ]" or "[x]" before
// a check item, the items of a menu after its title and indented.
std::vector<std::string> BarShape(const QList<QAction*>& actions, const std::string& indent = {}) {
    std::vector<std::string> shape;
    for (const QAction* a : actions) {
        std::string line = indent;
        if (a->isCheckable()) line += a->isChecked() ? "[x] " : "[ ] ";
        line += a->isSeparator() ? "-" : a->text().toStdString();
        shape.push_back(line);
        if (a->menu()) {
            for (std::string& sub : BarShape(a->menu()->actions(), indent + "  "))
                shape.push_back(std::move(sub));
        }
    }
    return shape;
}

TEST(MainWindow, MenuBarIsTheDescribedOneThenTheAdditionsInTheirOwnMenu) {
    UiDriver ui;
    // Found anew each time: a changed mark builds the bar again.
    const auto shape = [&ui] {
        for (const QMenuBar* bar : ui.mainWindow().widget()->findChildren<QMenuBar*>()) {
            if (!bar->isHidden()) return BarShape(bar->actions());
        }
        return std::vector<std::string>();
    };
    const std::vector<std::string> expected = {
        "&Билеты",
        "  &Новый",
        "  &Удалить все",
        "  -",
        "  Сброс всех &чисел",
        "  Сброс всех &цветов",
        "  &Заполнить все",
        "Игра",
        "ПОСМОТРЕТЬ РЕКЛАМУ",
        "&Сервис",
        "  &Ход игры",
        "  &Вернуть прошлую игру",
        "  -",
        "  [ ] Подс&казки",
        "  &Отметить выпавшие",
        "  &Печать билетов...",
        "  -",
        "  [ ] &Голос ведущего",
        "  [ ] При&баутки",
        "  -",
        "  Билеты с &фото...",
    };
    EXPECT_EQ(shape(), expected);
    // The described items keep their numbers, whatever follows them.
    const char* described[] = {
        "Билеты",        "Новый", "Удалить все",       "Сброс всех чисел", "Сброс всех цветов",
        "Заполнить все", "Игра",  "ПОСМОТРЕТЬ РЕКЛАМУ"};
    const int numbers[] = {0, 1, 2, 4, 5, 6, 7, 8};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(ui.root().menu().NumberOf(&ui.menuItem(described[i])), numbers[i]) << described[i];

    // A check item shows its mark as soon as it is turned.
    ui.chooseMenu("Подсказки");
    EXPECT_EQ(shape().at(13), "  [x] Подс&казки");
}

TEST(MainWindow, FirstRunOpensAtItsOwnPlaceAndTheFirstCloseWritesTheSettings) {
    UiDriver ui;
    EXPECT_FALSE(ui.settingsFileExists());
    EXPECT_EQ(ui.mainWindow().bounds(), (qo::Rect{20, 105, 547, 300}));
    ui.close();
    EXPECT_FALSE(qo::DispatchEnabled());
    const std::string settings = ui.settingsFile();
    EXPECT_EQ(
        settings.rfind(qo::Cp1251("[Форма]\r\nLeft=20\r\nTop=105\r\nHeight=300\r\nWidth=547\r\nWS=0\r\n"), 0),
        0u)
        << settings;
}

// About one close in ten opens a page: over many seeds the share stays near that.
TEST(MainWindow, CloseOpensAnAdvertisementOnAboutOneCloseInTen) {
    int opened = 0;
    constexpr int kCloses = 40;
    for (int i = 0; i < kCloses; ++i) {
        UiDriver::Options options = WithSite();
        options.timeOfDayMs = static_cast<std::int64_t>((i * 2654435761ULL + 12345) % 86400000);
        UiDriver ui(options);
        ui.close();
        opened += static_cast<int>(ui.platform().urls.size());
        for (const std::string& url : ui.platform().urls)
            EXPECT_TRUE(IsAdvertisementPage(url)) << url;
    }
    EXPECT_GE(opened, 1);
    EXPECT_LE(opened, 12);
}

// With no site named anywhere, the menu item shows the program's own page, and no close opens one.
TEST(MainWindow, WithoutASiteTheMenuShowsTheProgramsOwnPageAndClosesOpenNothing) {
    {
        UiDriver probe;
        if (!lotto::AdvertisementSite().empty())
            GTEST_SKIP() << "built with the site " << lotto::AdvertisementSite();
    }
    UiDriver ui;
    ui.chooseMenu(kAdvertisement);
    ASSERT_EQ(ui.platform().urls.size(), 1u);
    const std::string url = ui.platform().urls[0];
    EXPECT_EQ(url, lotto::FileUrl(lotto::OwnPagePath()));
    EXPECT_EQ(url.rfind("file:///", 0), 0u) << url;
    const std::string page = readFile(lotto::OwnPagePath());
    EXPECT_NE(page.find("<html lang=\"ru\">"), std::string::npos);
    EXPECT_NE(page.find(std::string("Версия ") + lotto::ProgramVersion()), std::string::npos);
    EXPECT_NE(page.find("Ctrl+Z"), std::string::npos) << "the keys";

    int opened = 0;
    for (int i = 0; i < 40; ++i) {
        UiDriver::Options options;
        options.timeOfDayMs = static_cast<std::int64_t>((i * 2654435761ULL + 12345) % 86400000);
        UiDriver closing(options);
        closing.close();
        opened += static_cast<int>(closing.platform().urls.size());
    }
    EXPECT_EQ(opened, 0);
}

// The settings file's site is used over the build's, with the described shape of address.
TEST(MainWindow, TheSettingsFileNamesTheSite) {
    UiDriver::Options o;
    o.advertisementSite = " https://другой.example// ";
    UiDriver ui(o);
    EXPECT_EQ(lotto::AdvertisementSite(), "https://другой.example");
    ui.chooseMenu(kAdvertisement);
    ASSERT_EQ(ui.platform().urls.size(), 1u);
    EXPECT_EQ(ui.platform().urls[0].rfind("https://другой.example/adv/adv-", 0), 0u) << ui.platform().urls[0];
}

TEST(Advertisement, FileUrlEscapesWhatIsNotPlain) {
    EXPECT_EQ(lotto::FileUrl("/home/a b/Фи.html"), "file:///home/a%20b/%D0%A4%D0%B8.html");
    EXPECT_EQ(lotto::FileUrl("C:\\Users\\x\\p.html"), "file:///C:/Users/x/p.html");
}

TEST(ProgramEntry, InfoSwitchShowsOnlyTheBoxAndTouchesNoSettings) {
    ScriptedPlatform platform;
    const std::string ticket = platform.writeFile("t.tkt", "5;\r\n");
    // A ticket file after it changes nothing: "/ih" first as typed is all that is read.
    for (const std::vector<const char*>& argv :
         {std::vector<const char*>{"fishkodrom", "/ih"}, {"fishkodrom", "/ih", ticket.c_str()}}) {
        platform.boxes.clear();
        EXPECT_EQ(lotto::RunProgram(static_cast<int>(argv.size()), argv.data()), 0);
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text, qo::Cp1251("Сделано в Tessel."));
        EXPECT_EQ(platform.boxes[0].caption, qo::Cp1251("Tessel Info"));
        EXPECT_EQ(platform.boxes[0].style, qo::MB_OK);
        EXPECT_EQ(platform.boxes[0].owner, nullptr);
        EXPECT_EQ(qo::ApplicationObject(), nullptr);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(platform.folder() + "Параметры.ini")));
    }
}

// The first control under `root` (itself included) whose spoken name is `name` (Windows-1251).
const qo::Control* Named(const qo::Control& root, const std::string& name) {
    if (root.accessibleName() == name) return &root;
    for (const qo::Control* child : root.children()) {
        if (const qo::Control* found = Named(*child, name)) return found;
    }
    return nullptr;
}

// Closes the running program's main window once `ready` holds, or after five seconds so that a
// fault still ends the run; answers whether it was ready.
std::shared_ptr<bool> CloseWhen(std::function<bool(const qo::Control& mainWindow)> ready) {
    auto wasReady = std::make_shared<bool>(false);
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        qo::ApplicationControl* app = qo::ApplicationObject();
        qo::Control* form = app && !app->children().empty() ? app->children().front() : nullptr;
        *wasReady = form && ready(*form);
        if (!*wasReady && clock->elapsed() < 5000) return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        if (form) form->widget()->close();
    });
    poll->start(5);
    return wasReady;
}

// Any other first argument runs the program: the main window opens, and closing it ends the run.
// "/IH", or "/ih" second, is a switch as it always was, and no file: nothing is said of it.
TEST(ProgramEntry, OtherArgumentsRunTheMainWindowUntilItCloses) {
    ScriptedPlatform platform;
    const std::string ticket = platform.writeFile("Билет.tkt", "5;17;\r\n");
    const char* argv[] = {"fishkodrom", "/IH", "/ih", ticket.c_str()};
    // The files open in order: once the ticket is there, the switches were read.
    const auto opened = CloseWhen([](const qo::Control& form) {
        return Named(form, qo::Cp1251("Билет 1, карточка 1, ряд 1, столбец 2, число 17")) != nullptr;
    });
    EXPECT_EQ(lotto::RunProgram(4, argv), 0);
    EXPECT_TRUE(*opened);
    EXPECT_TRUE(platform.boxes.empty()) << qo::Cp1251ToUtf8(platform.boxes.at(0).text);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(platform.folder() + "Параметры.ini")));
    EXPECT_EQ(qo::ApplicationObject(), nullptr);
}

// The toolkit takes its options out of what the program reads as files, while "/ih" is read where
// it was typed: "-reverse /ih t.tkt" runs the program and opens the ticket.
TEST(ProgramEntry, TicketFilesAreWhatTheToolkitLeaves) {
    ScriptedPlatform platform;
    const std::string ticket = platform.writeFile("Билет.tkt", "5;17;\r\n");
    const char* typed[] = {"fishkodrom", "-reverse", "/ih", ticket.c_str()};
    const auto opened = CloseWhen([](const qo::Control& form) {
        return Named(form, qo::Cp1251("Билет 1, карточка 1, ряд 1, столбец 2, число 17")) != nullptr;
    });
    EXPECT_EQ(lotto::RunProgram(4, typed, {"/ih", ticket}), 0);
    EXPECT_TRUE(*opened);
    EXPECT_TRUE(platform.boxes.empty());
}

} // namespace
} // namespace qotest

// Where the program is built without reading pictures (the Windows build), the item is there,
// greyed, and says why when pointed at; elsewhere it is open.
TEST(MainWindow, TheItemForTicketsFromAPhotoIsGreyedWithItsReasonWhereNotBuilt) {
    qotest::UiDriver ui;
    const qo::MenuItem& item = ui.menuItem("Билеты с фото...");
    const std::string problem = lotto::TQOInlineCode_Photo::Problem();
    EXPECT_EQ(item.enabled, problem.empty());
    EXPECT_EQ(item.hint, problem);
}
