#include "platform/files.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qo::platform {

bool RenameReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void SyncFile(int fd) {
    if (fd >= 0) ::fsync(fd);
}

// Without this, a power cut right after a rename may bring back the folder as it was before.
void SyncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace qo::platform
