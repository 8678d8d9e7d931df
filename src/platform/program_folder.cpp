#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

bool dossierProgrammeInscriptible() {
    // Creating and renaming files needs write and search permission on the folder.
    return ::access(QFile::encodeName(AppPath()).constData(), W_OK | X_OK) == 0;
}

QString CheminReglages(const QString &name) {
    if (dossierProgrammeInscriptible())
        return AppPath() + QLatin1Char('/') + name;
    const QString config = dossierConfiguration();
    QDir().mkpath(config);
    return config + QLatin1Char('/') + name;
}

QString CheminLectureReglages(const QString &name) {
    if (!dossierProgrammeInscriptible()) {
        const QString personnel = dossierConfiguration() + QLatin1Char('/') + name;
        if (QFileInfo::exists(personnel))
            return personnel;
    }
    return AppPath() + QLatin1Char('/') + name;
}

} // namespace platform
