#include "platform/browser_launch.h"

#include <QProcess>

namespace platform {

bool startBrowser(const QStringList &command) {
    if (command.isEmpty())
        return false;
    const QStringList arguments = command.mid(1);
    if (LaunchSeam::replaced())
        return LaunchSeam::call(command.first(), arguments);
    return startDetached(command.first(), arguments);
}

#ifndef Q_OS_WIN
bool startDetached(const QString &program, const QStringList &arguments) {
    // Detached: the browser outlives the About box and is never waited for.
    return QProcess::startDetached(program, arguments);
}
#endif

} // namespace platform
