#include "scripted_platform.h"

#include "widgets/layer/messages.h"
#include <QFile>
#include <QFileInfo>

namespace qotest {

ScriptedPlatform::ScriptedPlatform() {
    previous_ = qo::SetPlatform(this);
}
ScriptedPlatform::~ScriptedPlatform() {
    qo::SetPlatform(previous_);
}

std::string ScriptedPlatform::folder() const {
    return dir_.path().toStdString() + "/";
}

std::string ScriptedPlatform::dataFolder() {
    return dataFolderPath.empty() ? dataDir_.path().toStdString() + "/" : dataFolderPath;
}

std::string ScriptedPlatform::configFolder() const {
    return configDir_.path().toStdString() + "/";
}

std::string ScriptedPlatform::writeFile(const std::string& nameUtf8, const std::string& bytes) const {
    const std::string path = folder() + nameUtf8;
    QFile f(QString::fromStdString(path));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

int ScriptedPlatform::messageBox(qo::Control* owner, const std::string& text, const std::string& caption,
                                 std::uint32_t style) {
    boxes.push_back({text, caption, style, owner});
    if (boxAnswers.empty()) return qo::IDCANCEL;
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

bool ScriptedPlatform::fileDialog(qo::FileDialog& dialog) {
    dialogs.push_back({dialog.save, dialog.title, dialog.filter, dialog.options, dialog.owner});
    dialog.fileName.clear();
    if (dialogAnswers.empty()) return false;
    dialog.fileName = dialogAnswers.front();
    dialogAnswers.pop_front();
    return !dialog.fileName.empty();
}

void ScriptedPlatform::playSound(const std::string& pathUtf8) {
    sounds.push_back(pathUtf8);
}
void ScriptedPlatform::openUrl(const std::string& url) {
    urls.push_back(url);
}

bool ScriptedPlatform::print(qo::PrintJob& job) {
    printJobs.push_back(job);
    if (printAnswers.empty()) return false;
    const PrintAnswer answer = printAnswers.front();
    printAnswers.pop_front();
    if (answer.first > 0) {
        job.first = answer.first;
        job.last = answer.last;
    }
    return qo::WritePdf(answer.pdfPath, job);
}

bool ScriptedPlatform::fileExists(const std::string& pathUtf8) {
    const QFileInfo info(QString::fromStdString(pathUtf8));
    return info.exists() && !info.isDir();
}

} // namespace qotest
