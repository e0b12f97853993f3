#pragma once
// The one seam to the desktop: message boxes, file dialogs, sounds, speech, web pages, printing, the
// clock and the program's own folder. The program runs on the toolkit's implementation; tests install a
// scripted one so that no box waits, no sound plays and no browser opens.
#include <cstdint>
#include <string>

namespace qo {

class Control;
struct FileDialog;
struct PrintJob;

class Platform {
public:
    virtual ~Platform() = default;
    // text and caption in Windows-1251; style MB_*; answers IDOK..IDNO (0 on failure).
    virtual int messageBox(Control* owner, const std::string& text, const std::string& caption,
                           std::uint32_t style) = 0;
    // Fills dialog.fileName (UTF-8) and answers whether a file was chosen.
    virtual bool fileDialog(FileDialog& dialog) = 0;
    // Plays asynchronously; a new sound replaces one still playing. No audio device is no error.
    virtual void playSound(const std::string& pathUtf8) = 0;
    virtual void openUrl(const std::string& url) = 0;
    // Milliseconds since midnight, UTC.
    virtual std::int64_t utcTimeOfDayMs() = 0;
    // The folder holding the program, with a trailing separator (UTF-8).
    virtual std::string programFolder() = 0;
    // True when the path names an existing file that is not a folder.
    virtual bool fileExists(const std::string& pathUtf8) = 0;
    // The folder for the settings file, with a trailing separator (UTF-8). A platform that knows
    // no better keeps settings beside the program, where a portable copy carries them along.
    virtual std::string settingsFolder() { return programFolder(); }
    // Where an installed program's own read-only files lie (its sounds), with a trailing
    // separator (UTF-8): <prefix>/share/<program>/ for a program in <prefix>/bin/ or
    // <prefix>/games/, as the system's rules for installed files want. "" when there is none.
    virtual std::string installedDataFolder() { return {}; }
    // The user's own folder for what the program keeps between runs, with a trailing separator
    // (UTF-8), made when missing; "" when the system names none.
    virtual std::string dataFolder() { return settingsFolder(); }
    // Asks which of the job's numbered things and where (the system's print dialog, a PDF file
    // among its printers) and prints them there; false when cancelled or refused. A platform with
    // no printing prints nothing.
    virtual bool print(PrintJob& job) {
        (void)job;
        return false;
    }
    // Why Russian speech cannot be had here, Windows-1251; "" when it can. `quick` asks only what is
    // known without starting an engine (a speech daemon is started for nobody who never asked).
    virtual std::string speechProblem(bool quick);
    // Starts saying a Windows-1251 text, cutting off what is still being said; never waits for it.
    virtual void say(const std::string& textCp1251) { (void)textCp1251; }
};

// The platform in use (the toolkit's unless replaced).
Platform& CurrentPlatform();
// Installs `platform` (borrowed; nullptr returns to the toolkit's) and returns the one it replaces.
Platform* SetPlatform(Platform* platform);

// Conveniences over CurrentPlatform().
int ShowMessageBox(Control* owner, const std::string& text, const std::string& caption, std::uint32_t style);
void PlaySoundFile(const std::string& pathUtf8);
void OpenUrl(const std::string& url);
std::string SpeechProblem(bool quick);
// The kind of speech engine the desktop has, for the words that name it.
enum class SpeechSystem { Windows, SpeechDispatcher };
SpeechSystem SystemSpeech();
void Say(const std::string& textCp1251);
std::int64_t UtcTimeOfDayMs();
std::string ProgramFolder();
std::string SettingsFolder();
std::string DataFolder();
std::string InstalledDataFolder();
bool FileExists(const std::string& pathUtf8);

// Lets go of the toolkit platform's sound device and speech engine (see toolkit_session.h); the next sound
// makes it anew.
void ReleaseToolkitSound();

// The toolkit's choice of settings folder for a program in `programFolderUtf8`: that folder while
// a file can be made in it (a portable copy), else the user's configuration folder for this
// application, created if missing (an installed program, whose folder belongs to the system).
std::string SettingsFolderFor(const std::string& programFolderUtf8);

} // namespace qo
