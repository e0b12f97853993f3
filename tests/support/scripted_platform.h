#pragma once
// A platform for tests: message boxes and file dialogs answer from queues, sounds and addresses
// are recorded, the program folder is a temporary directory. Installs itself for its lifetime.
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/print.h"
#include <QTemporaryDir>
#include <deque>
#include <string>
#include <vector>

namespace qotest {

struct ShownBox {
    std::string text;    // Windows-1251
    std::string caption; // Windows-1251
    std::uint32_t style = 0;
    qo::Control* owner = nullptr;
};

struct ShownDialog {
    bool save = false;
    std::string title;
    std::string filter;
    std::uint32_t options = 0;
    qo::Control* owner = nullptr;
};

// How the print dialog is answered: the tickets chosen (0, 0: all it offered) and the PDF file the
// pages go to (UTF-8).
struct PrintAnswer {
    int first = 0;
    int last = 0;
    std::string pdfPath;
};

class ScriptedPlatform final : public qo::Platform {
public:
    ScriptedPlatform();
    ~ScriptedPlatform() override;

    // Answers in order; an empty queue answers IDCANCEL for boxes and cancels dialogs.
    std::deque<int> boxAnswers;
    std::deque<std::string> dialogAnswers; // UTF-8 file names; "" cancels
    std::vector<ShownBox> boxes;
    std::vector<ShownDialog> dialogs;
    std::vector<std::string> sounds;
    std::vector<std::string> urls;
    std::deque<PrintAnswer> printAnswers; // an empty queue cancels the print dialog
    std::vector<qo::PrintJob> printJobs;  // each print dialog's job, as the program offered it
    std::vector<std::string> spoken;      // Windows-1251, each text said, in order
    std::string speechProblemText;        // Windows-1251; "" speaks Russian
    std::int64_t timeOfDayMs = 0;
    // False plays an installed program, whose folder takes no files: settings go to configFolder().
    bool programFolderWritable = true;

    // The temporary program folder, with a trailing '/'.
    std::string folder() const;
    // The user's temporary configuration folder, with a trailing '/'.
    std::string configFolder() const;
    // Writes a file into the program folder and returns its full path.
    std::string writeFile(const std::string& nameUtf8, const std::string& bytes) const;

    int messageBox(qo::Control* owner, const std::string& text, const std::string& caption,
                   std::uint32_t style) override;
    bool fileDialog(qo::FileDialog& dialog) override;
    void playSound(const std::string& pathUtf8) override;
    void openUrl(const std::string& url) override;
    bool print(qo::PrintJob& job) override;
    // A quick look finds the problem only when no engine is installed.
    std::string speechProblem(bool quick) override {
        if (quick) return speechEngineInstalled ? std::string() : speechProblemText;
        ++speechEngineStarts;
        return speechProblemText;
    }
    bool speechEngineInstalled = true;
    int speechEngineStarts = 0; // full looks for a voice, which would start an engine
    void say(const std::string& textCp1251) override { spoken.push_back(textCp1251); }
    std::int64_t utcTimeOfDayMs() override { return timeOfDayMs; }
    std::string programFolder() override { return folder(); }
    bool fileExists(const std::string& pathUtf8) override;
    std::string settingsFolder() override { return programFolderWritable ? folder() : configFolder(); }
    // A temporary folder of its own unless `dataFolderPath` names one (with a trailing '/').
    std::string dataFolder() override;
    std::string dataFolderPath;
    // None unless a test names one (with a trailing '/').
    std::string installedDataFolder() override { return installedDataFolderPath; }
    std::string installedDataFolderPath;

private:
    QTemporaryDir dir_;
    QTemporaryDir configDir_;
    QTemporaryDir dataDir_;
    qo::Platform* previous_ = nullptr;
};

} // namespace qotest
