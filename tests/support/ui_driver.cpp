#include "support/ui_driver.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

#include "app/class_child_form_da7248.h"
#include "app/class_child_form_game_log.h"
#include "app/class_child_panel_d94ab8.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_d9d224.h"
#include "app/inline_code_game_log.h"
#include "app/inline_code_kept_game.h"
#include "app/program.h"
#include "containers/child_scroll_box.h"
#include "containers/multi_element_ex.h"
#include "runtime/cp1251.h"
#include "runtime/init_man.h"
#include "runtime/link.h"
#include "support/ui_helpers.h"
#include "support/wait.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/message_loop.h"
#include "widgets/main_form.h"
#include "widgets/memo.h"
#include "widgets/menu_element.h"
#include "widgets/panel.h"

namespace qotest {
namespace {

const char* const kSettingsName = "Параметры.ini";

// The bar's actions with that caption, in its menus at any depth; "&" marks no letter here.
void FindActions(const QList<QAction*>& actions, const QString& caption, QList<QAction*>& found) {
    for (QAction* a : actions) {
        if (!a->isSeparator() && QString(a->text()).remove(QLatin1Char('&')) == caption) found.push_back(a);
        if (QMenu* sub = a->menu()) FindActions(sub->actions(), caption, found);
    }
}

// Keys go where the focus is, and the focus is in the active window.
void Activate(QWidget* w) {
    if (w->window()->isActiveWindow()) return;
    w->window()->activateWindow();
    (void)QTest::qWaitForWindowActive(w->window(), 1000);
}

void Require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

// An action is over when the program has nothing left queued: what it put off for later turns of
// its loop (a list's layout, widgets made or let go, posted messages) has run, so the next action
// and every reading find it as a user would after a moment.
void Finish(const char* action) {
    if (!waitUntilIdle()) throw std::runtime_error(std::string("the program was still busy after ") + action);
}

} // namespace

std::string readFile(const std::string& pathUtf8) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool writeFile(const std::string& pathUtf8, const std::string& bytes) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

UiDriver::UiDriver() : UiDriver(Options{}) {}

UiDriver::UiDriver(Options options) {
    platform_.timeOfDayMs = options.timeOfDayMs;
    if (options.withSounds) {
        for (const char* name : {"Звук1.wav", "Звук2.wav", "Звук3.wav", "Звук4.wav"})
            platform_.writeFile(name, "RIFF");
    }
    if (!options.advertisementSite.empty())
        qo::IniFile(platform_.folder() + "Параметры.ini")
            .writeString(qo::Cp1251("Реклама"), qo::Cp1251("Сайт"), qo::Cp1251(options.advertisementSite));
    if (options.prepareFolder) options.prepareFolder(platform_.folder());
    platform_.dataFolderPath = options.dataFolder;
    platform_.boxAnswers = std::move(options.startAnswers);
    platform_.speechProblemText = std::move(options.speechProblem);
    start(options.arguments);
}

void UiDriver::start(const std::vector<std::string>& arguments) {
    qo::ResetMessageLoop();
    root_ = lotto::BuildMainWindow(arguments);
    root_->form().Start();
    // The program's message loop shows the main window; the driver runs no loop of its own.
    mainWindow().show();
    QWidget* w = mainWindow().widget();
    w->activateWindow();
    Require(QTest::qWaitForWindowExposed(w), "the main window did not show");
    // What the start does at the first turns of the program's loop (the kept game's offer, the
    // ticket files given) is over before the first action, as a player finds it.
    Finish("starting");
}

UiDriver::~UiDriver() {
    if (!closed_ && root_) {
        closeWindow();
        waitUntilIdle(); // as close() does, short of throwing from a destructor
    }
    root_.reset();
    qo::DisableDispatch();
    qo::RunStartups(); // whatever a half-built scheme left waiting
    waitUntilIdle();
    // Widgets the layer let go with deleteLater() outside any event loop would live until one runs,
    // and the driver runs none.
    runDeferredDeletes();
}

qo::Control& UiDriver::mainWindow() {
    return *root_->form().control();
}

void UiDriver::typeNumber(const QString& digits, bool pressEnter) {
    QWidget* box = root_->numberBox().control()->widget();
    Activate(box);
    box->setFocus();
    QTest::keyClicks(box, digits);
    if (pressEnter) QTest::keyClick(box, Qt::Key_Return);
    Finish("typing into the number box");
}

std::string UiDriver::numberBoxText() {
    return root_->numberBox().control()->text();
}

void UiDriver::chooseMenu(const char* captionUtf8) {
    const QString caption = QString::fromUtf8(captionUtf8);
    QWidget* form = mainWindow().widget();
    QMenuBar* bar = nullptr;
    for (QMenuBar* b : form->findChildren<QMenuBar*>()) {
        if (!b->isHidden()) bar = b;
    }
    Require(bar != nullptr, "the main window has no menu bar");
    // Read off the bar as the player sees it, whatever number the menu gives the item.
    QList<QAction*> found;
    FindActions(bar->actions(), caption, found);
    if (found.size() != 1)
        throw std::runtime_error(std::to_string(found.size()) + " menu items are captioned \"" +
                                 caption.toStdString() + "\"");
    found[0]->trigger();
    Finish("a menu command");
}

const qo::MenuItem& UiDriver::menuItem(const char* captionUtf8) {
    std::string caption = qo::Utf8ToCp1251(captionUtf8);
    for (int n = 0;; ++n) {
        const qo::MenuItem* item = root_->menu().FindItem(n);
        if (!item) break;
        std::string text = item->text;
        std::erase(text, '&');
        if (text == caption) return *item;
    }
    throw std::runtime_error(std::string("no menu item captioned ") + captionUtf8);
}

void UiDriver::newTickets(int count) {
    for (int i = 0; i < count; ++i)
        chooseMenu("Новый");
}

void UiDriver::close() {
    if (closed_) return;
    closeWindow();
    Finish("closing the main window");
}

void UiDriver::closeWindow() {
    closed_ = true;
    if (QWidget* w = root_->form().control() ? root_->form().control()->widget() : nullptr) w->close();
}

lotto::TQOInlineCode_KeptGame& UiDriver::keptGame() {
    return root_->keptGame();
}

lotto::TClassChildScrollBox_D80098& UiDriver::list() {
    return *static_cast<lotto::TClassChildScrollBox_D80098*>(root_->ticketList().Edge()->schemeObject);
}

int UiDriver::ticketCount() {
    return static_cast<int>(list().tickets().InstanceCount());
}

lotto::TClassChildPanelEx_D82A4C& UiDriver::ticket(int position) {
    Require(position >= 0 && position < ticketCount(), "no ticket at that position");
    auto* edge = list().tickets().InstanceAt(static_cast<std::size_t>(position));
    return *static_cast<lotto::TClassChildPanelEx_D82A4C*>(edge->schemeObject);
}

lotto::TQOInlineCode_D9D224& UiDriver::logic(int position) {
    return ticket(position).body().logic();
}

qo::Control& UiDriver::ticketPanel(int position) {
    return *ticket(position).panel().control();
}

void UiDriver::click(int position, Button button) {
    QWidget* w = ticket(position).body().button(button).control()->widget();
    QTest::mouseClick(w, Qt::LeftButton);
    Finish("a click on a ticket's button");
}

void UiDriver::saveTicket(int position, const std::string& fileUtf8) {
    platform_.dialogAnswers = {fileUtf8};
    click(position, Button::kSave);
}

void UiDriver::openTicket(int position, const std::string& fileUtf8) {
    platform_.dialogAnswers = {fileUtf8};
    click(position, Button::kOpen);
}

void UiDriver::typeIntoEntry(int position, const QString& digits, bool pressEnter) {
    QWidget* box = ticket(position).body().entryBox().control()->widget();
    box->setFocus();
    QTest::keyClicks(box, digits);
    if (pressEnter) QTest::keyClick(box, Qt::Key_Return);
    Finish("typing into a ticket's entry box");
}

qo::Control& UiDriver::cell(int position, int index) {
    qo::Control* c = logic(position).cell(index);
    Require(c != nullptr, "the ticket has no such cell");
    return *c;
}

void UiDriver::typeIntoCell(int position, int index, const QString& text) {
    QWidget* w = cell(position, index).widget();
    w->setFocus();
    QTest::keyClicks(w, text);
    Finish("typing into a cell");
}

std::string UiDriver::cellText(int position, int index) {
    return cell(position, index).text();
}

qo::Color UiDriver::cellColor(int position, int index) {
    return cell(position, index).color();
}

std::vector<std::string> UiDriver::cellTexts(int position) {
    std::vector<std::string> texts;
    for (int i = 0; i < lotto::game::kCells; ++i)
        texts.push_back(cellText(position, i));
    return texts;
}

void UiDriver::typeNotes(int position, const QString& text) {
    QWidget* w = ticket(position).notes().memo().control()->widget();
    w->setFocus();
    typeKeys(w, text);
    Finish("typing into the notes");
}

std::string UiDriver::notesText(int position) {
    return ticket(position).notes().memo().control()->text();
}

std::vector<std::string> UiDriver::soundNames() const {
    std::vector<std::string> names;
    for (const std::string& path : platform_.sounds)
        names.push_back(QFileInfo(QString::fromStdString(path)).fileName().toStdString());
    return names;
}

std::string UiDriver::settingsFile() const {
    return readFile(platform_.folder() + kSettingsName);
}

bool UiDriver::settingsFileExists() const {
    return QFileInfo::exists(QString::fromStdString(platform_.folder() + kSettingsName));
}

lotto::TClassChildForm_DA7248& UiDriver::gameScheme() {
    return lotto::TClassChildForm_DA7248::Of(root_->gameWindow());
}

lotto::TClassChildForm_GameLog& UiDriver::gameLog() {
    auto& log = lotto::TClassChildForm_GameLog::Of(root_->gameLog());
    if (!log.controls().form->control()->visible()) chooseMenu("Ход игры");
    waitUntilIdle(); // the window catches up a moment after a change
    return log;
}

void UiDriver::removeMove(int place) {
    const auto& game = gameScheme().controls();
    if (!game.form->control()->visible()) chooseMenu("Игра");
    auto* list = qo::As<qo::EditControl>(game.calledNumbers->control());
    QWidget* w = list->widget();
    Require(w != nullptr, "the real game's list has no widget");
    Activate(w);
    w->setFocus();
    list->setCaretToLine(place);
    QTest::keyClick(w, Qt::Key_Delete);
    Finish("Delete in the real game's list");
}

void UiDriver::undoInNumberBox() {
    QWidget* box = root_->numberBox().control()->widget();
    Activate(box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    Finish("Ctrl+Z in the number box");
}

qo::Control* UiDriver::gameWindow() {
    const qo::TQOMainForm* form = gameScheme().controls().form;
    return form ? form->control() : nullptr;
}

} // namespace qotest
