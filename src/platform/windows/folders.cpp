// The folders of a Windows user: settings in the local application data (they belong to this
// machine's copy), the kept game in the roaming one (it follows the player). An installed program
// keeps its sounds beside itself, so there is no other folder for them.
#include "platform/folders.h"

#include <QDir>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

namespace qo::platform {

QString UserFolder(FolderKind kind) {
    PWSTR path = nullptr;
    const KNOWNFOLDERID& id = kind == FolderKind::Settings ? FOLDERID_LocalAppData : FOLDERID_RoamingAppData;
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path)) || !path) {
        CoTaskMemFree(path);
        return {};
    }
    const QString base = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    const QString folder = base + QStringLiteral("/fishkodrom");
    QDir().mkpath(folder); // a folder that cannot be made is told when the first write fails
    return folder + QLatin1Char('/');
}

QString InstalledDataFolder(const QString&) {
    return {};
}

} // namespace qo::platform
