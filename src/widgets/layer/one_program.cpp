#include "widgets/layer/one_program.h"

#include <QFileInfo>
#include <utility>

#include "platform/single_instance.h"
#include "widgets/layer/platform.h"

namespace qo {

OneProgram::OneProgram(std::string lockNameUtf8) : lockName_(std::move(lockNameUtf8)) {}
OneProgram::~OneProgram() = default;

ProgramRole OneProgram::claim(const std::vector<std::string>& files) {
    instance_ = std::make_unique<platform::SingleInstance>(QString::fromStdString(DataFolder()),
                                                           QString::fromStdString(lockName_));
    QStringList absolute;
    for (const std::string& f : files)
        absolute.push_back(QFileInfo(QString::fromStdString(f)).absoluteFilePath());
    switch (instance_->claim(absolute)) {
    case platform::SingleInstance::Role::Handed:
        return ProgramRole::Handed;
    case platform::SingleInstance::Role::Beside:
        return ProgramRole::Beside;
    case platform::SingleInstance::Role::Keeper:
        break;
    }
    return ProgramRole::Keeper;
}

void OneProgram::onFiles(std::function<void(const std::vector<std::string>&)> received) {
    if (!instance_) return;
    if (!received) {
        instance_->onFiles({});
        return;
    }
    instance_->onFiles([received = std::move(received)](const QStringList& files) {
        std::vector<std::string> utf8;
        for (const QString& f : files)
            utf8.push_back(f.toStdString());
        received(utf8);
    });
}

} // namespace qo
