#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// Starts `command` (the program's full path, then its arguments) directly and without a
// shell, and returns at once without waiting for it. True when the program started.
bool LancerNavigateur(const QStringList &command);

// Replaces the real start, e.g. by a test that records the request or makes it fail. An
// empty handler restores the real start.
using LaunchHandler = std::function<bool(const QString &program, const QStringList &arguments)>;
void setLaunchHandler(LaunchHandler handler);

} // namespace platform
