#pragma once

#include <QString>

namespace platform {

// The folder that holds the program, without a trailing separator.
QString AppPath();

// The full path of `name` in the program's folder.
QString CheminProgramme(const QString &name);

// Where the game keeps start.ini and its temporary files: the program's folder, or, when
// the player may not write there (an installation under /usr), the player's configuration
// folder $XDG_CONFIG_HOME/vexoro (default ~/.config/vexoro), created when first needed.
QString DossierReglages();
QString CheminReglages(const QString &name);

// Lets a test stand a temporary folder in for the program's folder; empty restores it.
void setAppPathForTests(const QString &folder);

} // namespace platform
