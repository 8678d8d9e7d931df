#include "platform/browser_launch.h"

#include <QProcess>

namespace platform {

namespace {
LaunchHandler &handler() {
    static LaunchHandler h;
    return h;
}
} // namespace

void setLaunchHandler(LaunchHandler h) {
    handler() = std::move(h);
}

bool LancerNavigateur(const QStringList &command) {
    if (command.isEmpty())
        return false;
    const QStringList arguments = command.mid(1);
    if (handler())
        return handler()(command.first(), arguments);
    // Detached: the browser outlives the About box and is never waited for.
    return QProcess::startDetached(command.first(), arguments);
}

} // namespace platform
