#pragma once
// Plays the whole program as a user would: builds the main window scheme in a temporary program
// folder with the scripted platform installed, starts it, and acts through the real widgets —
// typing into the number box, choosing menu items from the menu bar, clicking a ticket's buttons,
// typing into cells and notes. Message boxes and file dialogs answer from the platform's queues;
// what the program did is read back from the Controls and from the platform's records.
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/class_child_panel_d99a78.h"
#include "support/scripted_platform.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/control.h"
#include "widgets/layer/menu.h"

namespace lotto {
class TClassMainForm_D80004;
class TClassChildScrollBox_D80098;
class TClassChildPanelEx_D82A4C;
class TClassChildForm_DA7248;
class TClassChildForm_GameLog;
class TQOInlineCode_D9D224;
class TQOInlineCode_KeptGame;
} // namespace lotto

namespace qotest {

class UiDriver {
public:
    struct Options {
        bool withSounds = true;                // put the three sound files into the program folder
        std::int64_t timeOfDayMs = 43'210'987; // the clock the random source is seeded from
        // Called with the program folder (trailing '/') before the program starts: a settings file
        // or anything else the start should find there.
        std::function<void(const std::string& folder)> prepareFolder;
        // The data folder the kept game lives in (trailing '/'); a temporary one when empty. Two
        // drivers given the same folder play two runs of the program on one machine.
        std::string dataFolder;
        // Answers for boxes shown while the program starts (the offer to put a game back).
        std::deque<int> startAnswers;
        // The program's own arguments, as the command line gives them (a ticket file's path).
        std::vector<std::string> arguments;
        // Why the machine cannot speak Russian (Windows-1251); "" when it can.
        std::string speechProblem;
        // The advertisement site the settings file names, UTF-8 ("" names none: the build's holds).
        std::string advertisementSite;
    };
    using Button = lotto::TClassChildPanel_D99A78::Button;

    UiDriver();
    explicit UiDriver(Options options);
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    ScriptedPlatform& platform() { return platform_; }
    lotto::TClassMainForm_D80004& root() { return *root_; }
    qo::Control& mainWindow();
    std::string programFolder() const { return platform_.folder(); }
    lotto::TQOInlineCode_KeptGame& keptGame();

    // ---- The main window.
    // Types into the number box and, unless told otherwise, presses Enter.
    void typeNumber(const QString& digits, bool pressEnter = true);
    std::string numberBoxText();
    // Chooses the menu bar's item with that caption ("Новый", "Подсказки": without the "&"),
    // in whichever menu it stands.
    void chooseMenu(const char* captionUtf8);
    // The menu element's item with that caption (without the "&"); throws when there is none.
    const qo::MenuItem& menuItem(const char* captionUtf8);
    void newTickets(int count);
    // Closes the main window as its close button would. Afterwards nothing reaches any element.
    void close();
    bool closed() const { return closed_; }

    // ---- Tickets, by their position in the list.
    int ticketCount();
    lotto::TClassChildPanelEx_D82A4C& ticket(int position);
    lotto::TQOInlineCode_D9D224& logic(int position);
    qo::Control& ticketPanel(int position);
    void click(int position, Button button);
    // Saves or opens ticket `position` through its button, the file dialog answering `fileUtf8`.
    void saveTicket(int position, const std::string& fileUtf8);
    void openTicket(int position, const std::string& fileUtf8);
    void typeIntoEntry(int position, const QString& digits, bool pressEnter = true);
    void typeIntoCell(int position, int cell, const QString& text);
    // Cell numbers 0…53: card, row, column.
    qo::Control& cell(int position, int cell);
    std::string cellText(int position, int cell);
    qo::Color cellColor(int position, int cell);
    std::vector<std::string> cellTexts(int position);
    // Types into the notes memo (Enter starts a new line); the text as the memo holds it.
    void typeNotes(int position, const QString& text);
    std::string notesText(int position); // Windows-1251, CR LF line breaks

    // ---- What the program did.
    std::vector<std::string> soundNames() const; // file names of the sounds played, in order
    std::string settingsFile() const;            // "Параметры.ini" bytes, "" when absent
    bool settingsFileExists() const;

    // ---- The game window.
    lotto::TClassChildForm_DA7248& gameScheme();
    // Puts the caret on the real game's move at `place` (from 0) and presses Delete, the window shown.
    void removeMove(int place);
    // Ctrl+Z in the main window's number box.
    void undoInNumberBox();
    // The game window's form (a second top-level window), or null once it has gone.
    qo::Control* gameWindow();

    // ---- The "Ход игры" window: shown through its menu item, and brought up to date.
    lotto::TClassChildForm_GameLog& gameLog();

private:
    void start(const std::vector<std::string>& arguments);
    void closeWindow();
    lotto::TClassChildScrollBox_D80098& list();

    ScriptedPlatform platform_;
    std::unique_ptr<lotto::TClassMainForm_D80004> root_;
    bool closed_ = false;
};

// Reads a file's bytes ("" when it cannot be read) and writes bytes to a file.
std::string readFile(const std::string& pathUtf8);
bool writeFile(const std::string& pathUtf8, const std::string& bytes);

} // namespace qotest
