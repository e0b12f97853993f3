#pragma once
// What the kept game needs of the file system beyond the toolkit's files: a rename that replaces
// what stands at the new name in one step, and the assurance that what was written is on the disk.
#include <QString>

namespace qo::platform {

// Renames `from` to `to`, replacing a file at `to`; false when it could not. Either the old file at
// `to` or the new one stands there afterwards, never neither.
bool RenameReplacing(const QString& from, const QString& to);
// Puts what was written through the open file descriptor `fd` on the disk.
void SyncFile(int fd);
// Puts the folder holding `path` on the disk, so a rename in it survives a power cut (a file system
// that journals its folders needs nothing).
void SyncFolderOf(const QString& path);

} // namespace qo::platform
