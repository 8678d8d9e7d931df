#include "platform/program_folder.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString programFolder() {
    if (ProgramFolderSeam::replaced())
        return ProgramFolderSeam::call();
    return QCoreApplication::applicationDirPath();
}

QString settingsWritePath(const QString &name) {
    if (files::folderWritable(programFolder()))
        return programFolder() + u'/' + name;
    return files::ownSettingsFolder() + u'/' + name;
}

QString settingsReadPath(const QString &name) {
    if (!files::folderWritable(programFolder())) {
        QString own = files::ownSettingsFolder() + u'/' + name;
        if (QFileInfo::exists(own))
            return own;
    }
    return programFolder() + u'/' + name;
}

} // namespace platform
