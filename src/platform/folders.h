#pragma once
// Where the program keeps its settings and its game, and where an installed program's own files lie.
// Every folder is returned with a trailing '/'.
#include <QString>

namespace qo::platform {

// The settings folder for a program in `programFolder` (given with its trailing '/'): that folder while a
// file can be made in it (a portable copy carries its settings along), else the user's own settings folder
// for the program, made when missing.
QString SettingsFolderFor(const QString& programFolder);
// Where an installed program's read-only files (its sounds) lie when they are not beside it; empty
// where they always are.
QString InstalledDataFolder(const QString& programFolder);

// Each side's own folders for the user, made when missing, with a trailing '/', empty when the
// system names none: its settings, and what the program keeps between runs (the kept game).
enum class FolderKind { Settings, Data };
QString UserFolder(FolderKind kind);

} // namespace qo::platform
