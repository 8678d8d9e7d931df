#pragma once

#include <QString>

namespace platform {

// The folder that holds the program, without a trailing separator.
QString AppPath();

// Where the game writes start.ini and its temporary files: in the program's folder, or,
// when the player may not write there (an installation under /usr), in the player's
// configuration folder $XDG_CONFIG_HOME/vexoro (default ~/.config/vexoro), which this
// creates when needed.
QString CheminReglages(const QString &name);

// Where the game reads `name` from: as CheminReglages, except that beside a read-only
// program the player's file is read only when it exists, and the program's own otherwise
// (one an administrator placed there). Creates nothing.
QString CheminLectureReglages(const QString &name);

// Lets a test stand a temporary folder in for the program's folder; empty restores it.
void setAppPathForTests(const QString &folder);

} // namespace platform
