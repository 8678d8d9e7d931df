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

bool LancerNavigateur(const QString &program, const QString &address) {
    const QStringList arguments{address};
    if (handler())
        return handler()(program, arguments);
    // Detached: the browser outlives the About box and is never waited for.
    return QProcess::startDetached(program, arguments);
}

} // namespace platform
