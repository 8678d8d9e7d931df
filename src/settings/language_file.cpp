#include "settings/language_file.h"

#include "platform/files.h"
#include "settings/ini_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace settings {

namespace files = platform::files;

namespace {

constexpr qsizetype RandomLength = 6;
constexpr int NameAttempts = 100;
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString randomSuffix() {
    QString suffix;
    for (qsizetype i = 0; i < RandomLength; ++i)
        suffix += QLatin1Char(
            alphabet[QRandomGenerator::global()->bounded(static_cast<int>(sizeof(alphabet) - 1))]);
    return suffix;
}

// Creates a new, empty regular file beside `iniPath` and returns its path. Nothing that
// already exists under the chosen name, a link included, is opened.
QString createTempFile(const QString &iniPath) {
    const QFileInfo ini(iniPath);
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        // The writer's process number tells a later write whether the file is abandoned.
        QString path =
            ini.dir().filePath(ini.fileName() + u'.' + QString::number(files::processId()) + u'-' +
                               randomSuffix() + QStringLiteral(".tmp"));
        const files::Creation created = files::createNew(path);
        if (created == files::Creation::Created)
            return path;
        if (created == files::Creation::Failed)
            return {};
    }
    return {};
}

// Removes fresh files of ours that an interrupted rewrite left behind: those whose writer
// has ended, and any old one (its process number may have been reused). A recent one of a
// running copy of the program is being written right now, and stays.
void removeAbandoned(const QString &iniPath) {
    const QFileInfo ini(iniPath);
    const QDateTime cutoff = QDateTime::currentDateTimeUtc().addSecs(-qint64(AbandonedTempAge));
    const QFileInfoList entries =
        ini.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        qint64 pid = 0;
        if (isRewriteTempFile(ini.fileName(), entry.fileName(), &pid) && !entry.isSymLink() &&
            (!files::processRunning(pid) || entry.lastModified().toUTC() < cutoff))
            QFile::remove(entry.filePath());
    }
}

} // namespace

bool isRewriteTempFile(const QString &iniFileName, const QString &name, qint64 *pid) {
    const QString head = iniFileName + u'.';
    const QString tail = QStringLiteral(".tmp");
    if (!name.startsWith(head) || !name.endsWith(tail))
        return false;
    const QStringView middle =
        QStringView(name).mid(head.size(), name.size() - head.size() - tail.size());
    const qsizetype dash = middle.indexOf(u'-');
    if (dash <= 0 || middle.size() - dash - 1 != RandomLength)
        return false;
    const QStringView number = middle.left(dash);
    const QStringView randomPart = middle.mid(dash + 1);
    if (!std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    const qint64 value = number.toLongLong(&ok);
    if (!ok || value <= 0)
        return false;
    if (!std::all_of(randomPart.begin(), randomPart.end(),
                     [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); }))
        return false;
    if (pid)
        *pid = value;
    return true;
}

namespace {

// True when `path` holds exactly `expected`: a write that failed part-way may have left a
// piece of a line that the retry then doubled.
bool holdsExactly(const QString &path, const QByteArray &expected) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(expected.size() + 1) == expected;
}

// Writes the two lines into a fresh file beside `iniPath`; its path, or empty on failure.
QString writeTempFile(const QString &iniPath, float numLangue) {
    QString temp = createTempFile(iniPath);
    if (temp.isEmpty())
        return {};
    const QString section = u'[' + QLatin1String(SettingsSection) + u']';
    const QString key = QLatin1String(LanguageKey);
    if (EcrireIni(section, temp) && EcrireIni(key, temp, numLangue) &&
        holdsExactly(temp, IniLine(section) + IniLine(key, numLangue)) && files::flush(temp))
        return temp;
    QFile::remove(temp);
    return {};
}

} // namespace

bool writeLanguageFile(const QString &iniPath, float numLangue) {
    // The player's own settings folder is made by the first choice of a language.
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    removeAbandoned(iniPath);
    // A failed attempt starts over on a fresh file: only a complete one is put in place.
    QString temp = writeTempFile(iniPath, numLangue);
    if (temp.isEmpty())
        temp = writeTempFile(iniPath, numLangue);
    if (temp.isEmpty())
        return false;
    return files::replace(temp, iniPath);
}

} // namespace settings
