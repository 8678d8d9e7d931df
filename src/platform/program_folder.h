#pragma once

#include "platform/seam.h"

#include <QString>

namespace platform {

// The folder that holds the program, without a trailing separator.
QString programFolder();

// Where the game writes `name` (start.ini and its temporary files): in the program's
// folder, or, when the player may not write there (an installation under /usr or Program
// Files), in the player's own folder: $XDG_CONFIG_HOME/vexoro (default ~/.config/vexoro), on
// Windows %APPDATA%\vexoro. Creates nothing: the writer makes the folder.
QString settingsWritePath(const QString &name);

// Where the game reads `name` from: as settingsWritePath, except that beside a read-only
// program the player's file is read only when it exists, and the program's own otherwise
// (one an administrator placed there). Creates nothing.
QString settingsReadPath(const QString &name);

// A test stands a temporary folder in for the program's folder.
using ProgramFolderSeam = Seam<struct ProgramFolderTag, QString()>;

} // namespace platform
