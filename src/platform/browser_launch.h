#pragma once

#include "platform/seam.h"

#include <QString>
#include <QStringList>

namespace platform {

// Starts `command` (the program's full path, then its arguments) with startDetached: never
// through a command shell that would read the address, and without waiting for it. True
// when the program started.
bool startBrowser(const QStringList &command);

// Starts `program` with `arguments` as the system starts a program for the user: directly and
// detached on Linux, by the Windows shell's "open" (ShellExecuteW) on Windows, each argument
// quoted as the program's start-up code splits them. True when it started.
bool startDetached(const QString &program, const QStringList &arguments);

// A test records the request or makes it fail instead of starting a program.
using LaunchSeam =
    Seam<struct LaunchTag, bool(const QString &program, const QStringList &arguments)>;

} // namespace platform
