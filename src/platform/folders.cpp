// What both sides share of the folders: the one sure test of a writable folder.
#include "platform/folders.h"

#include <QTemporaryFile>

namespace qo::platform {

// Making a file is the only sure test: permission bits say nothing for an administrator, and a
// read-only medium, a virtual file system or a folder under Program Files refuses what they allow.
QString SettingsFolderFor(const QString& programFolder) {
    {
        QTemporaryFile probe(programFolder + QStringLiteral("/.settings-probe-XXXXXX"));
        if (probe.open()) return programFolder;
    }
    return UserFolder(FolderKind::Settings);
}

} // namespace qo::platform
