#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The command line that opens `address` with the program the system opens `document` with:
// the program's full path, then its arguments. Empty when `document` is not an existing file
// or no program is associated with its type. On Windows the shell's association
// (FindExecutableW), elsewhere the freedesktop rules in the current XDG environment.
QStringList browserCommand(const QString &document, const QString &address);

} // namespace platform
