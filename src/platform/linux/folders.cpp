// The folders of a Linux desktop: the user's configuration and data folders (XDG), and share/ beside
// bin/ or games/ for an installed program.
#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace qo::platform {

QString UserFolder(FolderKind kind) {
    const QString folder = QStandardPaths::writableLocation(
        kind == FolderKind::Settings ? QStandardPaths::AppConfigLocation : QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) return {};
    QDir().mkpath(folder); // a folder that cannot be made is told when the first write fails
    return folder + QLatin1Char('/');
}

QString InstalledDataFolder(const QString& programFolder) {
    const QString folder = programFolder + QStringLiteral("/../share/") + QCoreApplication::applicationName();
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

} // namespace qo::platform
