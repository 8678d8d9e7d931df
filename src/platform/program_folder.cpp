#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace platform {

namespace {

QString configurationFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative paths are invalid by the XDG rules and are ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vexoro");
}

bool programFolderWritable() {
    // Creating and renaming files needs write and search permission on the folder.
    return ::access(QFile::encodeName(programFolder()).constData(), W_OK | X_OK) == 0;
}

} // namespace

QString programFolder() {
    if (ProgramFolderSeam::replaced())
        return ProgramFolderSeam::call();
    return QCoreApplication::applicationDirPath();
}

QString settingsWritePath(const QString &name) {
    if (programFolderWritable())
        return programFolder() + u'/' + name;
    return configurationFolder() + u'/' + name;
}

QString settingsReadPath(const QString &name) {
    if (!programFolderWritable()) {
        QString own = configurationFolder() + u'/' + name;
        if (QFileInfo::exists(own))
            return own;
    }
    return programFolder() + u'/' + name;
}

} // namespace platform
