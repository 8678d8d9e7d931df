#include "platform/program_folder.h"

#include <QCoreApplication>

namespace platform {
namespace {
QString &overridden()
{
    static QString folder;
    return folder;
}
} // namespace

void setAppPathForTests(const QString &folder) { overridden() = folder; }

QString AppPath()
{
    if (!overridden().isEmpty())
        return overridden();
    return QCoreApplication::applicationDirPath();
}

QString CheminProgramme(const QString &name) { return AppPath() + QLatin1Char('/') + name; }

} // namespace platform
