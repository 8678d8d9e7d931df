#pragma once

#include <QString>

namespace platform {

// The folder that holds the program, without a trailing separator.
QString AppPath();

// The full path of `name` in the program's folder.
QString CheminProgramme(const QString &name);

// Lets a test stand a temporary folder in for the program's folder; empty restores it.
void setAppPathForTests(const QString &folder);

} // namespace platform
