#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>

#include <unistd.h>

namespace platform {
namespace {
QString &overridden() {
    static QString folder;
    return folder;
}

QString dossierConfiguration() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative paths are invalid by the XDG rules and are ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vexoro");
}
} // namespace

void setAppPathForTests(const QString &folder) {
    overridden() = folder;
}

QString AppPath() {
    if (!overridden().isEmpty())
        return overridden();
    return QCoreApplication::applicationDirPath();
}

QString CheminProgramme(const QString &name) {
    return AppPath() + QLatin1Char('/') + name;
}

QString DossierReglages() {
    const QString programme = AppPath();
    // Creating and renaming files needs write and search permission on the folder.
    if (::access(QFile::encodeName(programme).constData(), W_OK | X_OK) == 0)
        return programme;
    const QString config = dossierConfiguration();
    QDir().mkpath(config);
    return config;
}

QString CheminReglages(const QString &name) {
    return DossierReglages() + QLatin1Char('/') + name;
}

} // namespace platform
