// Names reach the system as UTF-16: a narrow name would be read in the ANSI code page and lose every
// Cyrillic letter of "Игра.txt" or of the player's folder.
#include "platform/files.h"

#include <QDir>
#include <io.h>
#include <windows.h>

namespace qo::platform {

bool RenameReplacing(const QString& from, const QString& to) {
    const QString source = QDir::toNativeSeparators(from), target = QDir::toNativeSeparators(to);
    // The C library's rename refuses to replace a file here; this replaces it in one step.
    return MoveFileExW(reinterpret_cast<const wchar_t*>(source.utf16()),
                       reinterpret_cast<const wchar_t*>(target.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void SyncFile(int fd) {
    const intptr_t handle = fd >= 0 ? _get_osfhandle(fd) : -1;
    if (handle != -1) FlushFileBuffers(reinterpret_cast<HANDLE>(handle));
}

void SyncFolderOf(const QString&) {}

} // namespace qo::platform
