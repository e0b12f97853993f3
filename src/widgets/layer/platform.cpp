// The toolkit's implementation of the platform seam.
#include "widgets/layer/platform.h"

#include "platform/folders.h"
#include "platform/sound.h"
#include "platform/speech.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/print_pages.h"
#include "widgets/layer/words.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <memory>

namespace qo {
namespace {

QWidget* OwnerWidget(Control* owner) {
    if (!owner) owner = OwnerControl();
    return owner ? owner->widget() : nullptr;
}

// "name|pattern|…" → the toolkit's "name (patterns)" list. The dialog is told to hide the
// "(patterns)" part, so the player reads each name exactly as the program gives it. "*.*" means
// every file on the desktop the filters were written for; here it would miss names without a dot.
QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
        }
        out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

// The extension of the filter at `index` ("*.tkt" gives "tkt"); none for a filter of every file
// or of a pattern that is no plain extension.
QString FilterSuffix(const std::string& filter, qsizetype index) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    if (index < 0 || 2 * index + 1 >= parts.size()) return {};
    const QString first = parts[2 * index + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).value(0).trimmed();
    if (!first.startsWith(QStringLiteral("*."))) return {};
    const QString suffix = first.mid(2);
    if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) return {};
    return suffix;
}

// A name typed without an extension gets the chosen filter's when saved, else the program's own
// default: "билет3" with "Файлы билетов(*.tkt)" chosen is written as "билет3.tkt", which the open
// dialog's first filter then shows. Set before the dialog's own accept, so that the question
// before overwriting asks about the file that will be written.
class ProgramFileDialog final : public QFileDialog {
public:
    ProgramFileDialog(QWidget* parent, const FileDialog& d)
        : QFileDialog(parent, ToQString(d.title), QString::fromStdString(d.initialDir)), dialog_(d),
          filters_(QtNameFilters(d.filter)) {
        setNameFilters(filters_);
        // A native dialog follows the chosen filter itself once it has an extension to add.
        connect(this, &QFileDialog::filterSelected, this, [this] { chooseSuffix(); });
    }

    void accept() override {
        chooseSuffix();
        QFileDialog::accept();
    }

    // Once the accept mode is set.
    void chooseSuffix() {
        if (acceptMode() != AcceptSave) return;
        const QString suffix = FilterSuffix(dialog_.filter, chosenFilter());
        setDefaultSuffix(suffix.isEmpty() ? ToQString(dialog_.defaultExt) : suffix);
    }

private:
    // Hiding the patterns, the dialog names the chosen filter by its name alone.
    qsizetype chosenFilter() const {
        const QString chosen = selectedNameFilter();
        for (qsizetype i = 0; i < filters_.size(); ++i) {
            if (filters_[i] == chosen || filters_[i].startsWith(chosen + QStringLiteral(" ("))) return i;
        }
        return -1;
    }

    const FileDialog& dialog_;
    QStringList filters_;
};

// Why the program cannot speak, in its words (Windows-1251); "" when it can.
std::string SpeechWords(const platform::SpeechTrouble& trouble) {
    const Words& w = CurrentWords();
    switch (trouble.kind) {
    case platform::SpeechTrouble::None:
        return {};
    case platform::SpeechTrouble::BuiltWithout:
        return FromQString(QString::fromStdString(w.speechBuiltWithout));
    case platform::SpeechTrouble::NoEngine:
        return FromQString(QString::fromStdString(w.speechNoEngine));
    case platform::SpeechTrouble::NotAnswering:
        if (trouble.engineWords.isEmpty()) return FromQString(QString::fromStdString(w.speechNotAnswering));
        return FromQString(QString::fromStdString(w.speechNotAnsweringBecause) + trouble.engineWords);
    case platform::SpeechTrouble::NoRussianVoice:
        return FromQString(QString::fromStdString(w.speechNoRussianVoice));
    case platform::SpeechTrouble::NoAudioModule:
        return FromQString(QString::fromStdString(w.speechNoAudioModule));
    }
    return {};
}

class QtPlatform final : public Platform {
public:
    int messageBox(Control* owner, const std::string& text, const std::string& caption,
                   std::uint32_t style) override {
        QMessageBox box(OwnerWidget(owner));
        box.setText(ToQString(text));
        box.setWindowTitle(ToQString(caption));
        switch (style & MB_ICONMASK) {
        case MB_ICONHAND:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONASTERISK:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int answer;
        };
        std::vector<Choice> choices;
        switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_ABORTRETRYIGNORE:
            choices = {{QMessageBox::Abort, IDABORT},
                       {QMessageBox::Retry, IDRETRY},
                       {QMessageBox::Ignore, IDIGNORE}};
            break;
        case MB_YESNOCANCEL:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MB_RETRYCANCEL:
            choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        default:
            choices = {{QMessageBox::Ok, IDOK}};
            break;
        }
        QMessageBox::StandardButtons buttons;
        for (const Choice& c : choices)
            buttons |= c.button;
        box.setStandardButtons(buttons);
        const std::size_t def = (style & MB_DEFMASK) >> 8;
        if (def < choices.size()) box.setDefaultButton(choices[def].button);
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const Choice& c : choices) {
            if (c.button == clicked) return c.answer;
        }
        // Closed without a button: the desktop answers Cancel where there is one, else the only button.
        for (const Choice& c : choices) {
            if (c.answer == IDCANCEL) return IDCANCEL;
        }
        return choices.size() == 1 ? choices.front().answer : 0;
    }

    bool fileDialog(FileDialog& dialog) override {
        ProgramFileDialog fd(OwnerWidget(dialog.owner), dialog);
        fd.setOption(QFileDialog::HideNameFilterDetails);
        fd.setAcceptMode(dialog.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (dialog.save)
            fd.setFileMode(QFileDialog::AnyFile);
        else
            fd.setFileMode((dialog.options & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                                   : QFileDialog::ExistingFile);
        if (!(dialog.options & OFN_OVERWRITEPROMPT)) fd.setOption(QFileDialog::DontConfirmOverwrite);
        if (!dialog.defaultExt.empty()) fd.setDefaultSuffix(ToQString(dialog.defaultExt));
        fd.chooseSuffix(); // a save shows the first filter chosen
        if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) {
            dialog.fileName.clear();
            return false;
        }
        dialog.fileName = fd.selectedFiles().join(QLatin1Char('\r')).toStdString();
        return true;
    }

    void playSound(const std::string& pathUtf8) override {
        if (!sound_) sound_ = std::make_unique<platform::SoundPlayer>();
        sound_->play(QString::fromStdString(pathUtf8));
    }

    void openUrl(const std::string& url) override {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    }

    std::int64_t utcTimeOfDayMs() override {
        return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    }

    std::string programFolder() override {
        return (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
    }

    std::string installedDataFolder() override {
        return platform::InstalledDataFolder(QCoreApplication::applicationDirPath()).toStdString();
    }

    bool fileExists(const std::string& pathUtf8) override {
        const QFileInfo info(QString::fromStdString(pathUtf8));
        return info.exists() && !info.isDir();
    }

    // Decided once, so that settings read at start are written back to the same file.
    std::string settingsFolder() override {
        if (settingsFolder_.empty()) settingsFolder_ = SettingsFolderFor(programFolder());
        return settingsFolder_;
    }

    std::string dataFolder() override {
        return platform::UserFolder(platform::FolderKind::Data).toStdString();
    }

    bool print(PrintJob& job) override { return PrintThroughDialog(job); }

    std::string speechProblem(bool quick) override { return SpeechWords(speaker().problem(quick)); }
    void say(const std::string& textCp1251) override { speaker().say(ToQString(textCp1251)); }

    void releaseSound() {
        sound_.reset();
        speaker_.reset();
    }

private:
    platform::Speaker& speaker() {
        if (!speaker_) speaker_ = std::make_unique<platform::Speaker>();
        return *speaker_;
    }

    std::unique_ptr<platform::SoundPlayer> sound_;
    std::unique_ptr<platform::Speaker> speaker_;
    std::string settingsFolder_;
};

Platform* g_installed = nullptr;

QtPlatform& Toolkit() {
    static QtPlatform p;
    return p;
}

} // namespace

Platform& CurrentPlatform() {
    return g_installed ? *g_installed : Toolkit();
}

Platform* SetPlatform(Platform* platform) {
    Platform* previous = g_installed;
    g_installed = platform;
    return previous;
}

std::string Platform::speechProblem(bool) {
    return FromQString(QString::fromStdString(CurrentWords().speechNowhere));
}

int ShowMessageBox(Control* owner, const std::string& text, const std::string& caption, std::uint32_t style) {
    return CurrentPlatform().messageBox(owner, text, caption, style);
}
void PlaySoundFile(const std::string& pathUtf8) {
    CurrentPlatform().playSound(pathUtf8);
}
void OpenUrl(const std::string& url) {
    CurrentPlatform().openUrl(url);
}
std::string SpeechProblem(bool quick) {
    return CurrentPlatform().speechProblem(quick);
}
SpeechSystem SystemSpeech() {
    return platform::SystemSpeech() == platform::SpeechSystem::Windows ? SpeechSystem::Windows
                                                                       : SpeechSystem::SpeechDispatcher;
}
void Say(const std::string& textCp1251) {
    CurrentPlatform().say(textCp1251);
}
std::int64_t UtcTimeOfDayMs() {
    return CurrentPlatform().utcTimeOfDayMs();
}
std::string ProgramFolder() {
    return CurrentPlatform().programFolder();
}
void ReleaseToolkitSound() {
    Toolkit().releaseSound();
}
std::string SettingsFolder() {
    return CurrentPlatform().settingsFolder();
}
std::string DataFolder() {
    return CurrentPlatform().dataFolder();
}
std::string InstalledDataFolder() {
    return CurrentPlatform().installedDataFolder();
}
bool FileExists(const std::string& pathUtf8) {
    return CurrentPlatform().fileExists(pathUtf8);
}

std::string SettingsFolderFor(const std::string& programFolderUtf8) {
    return platform::SettingsFolderFor(QString::fromStdString(programFolderUtf8)).toStdString();
}

} // namespace qo
