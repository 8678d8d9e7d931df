#include "app/language_file.h"

#include "app/ini_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace modGrille {

namespace {

constexpr qsizetype longueurAleatoire = 6;
constexpr int essaisDeNom = 100;
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString suffixeAleatoire() {
    QString suffixe;
    for (qsizetype i = 0; i < longueurAleatoire; ++i)
        suffixe += QLatin1Char(
            alphabet[QRandomGenerator::global()->bounded(static_cast<int>(sizeof(alphabet) - 1))]);
    return suffixe;
}

// Creates a new, empty regular file beside `iniPath` and returns its path. O_EXCL makes
// sure nothing that already exists under the chosen name, a link included, is opened.
QString creerProvisoire(const QString &iniPath) {
    const QFileInfo ini(iniPath);
    for (int essai = 0; essai < essaisDeNom; ++essai) {
        const QString path =
            ini.dir().filePath(ini.fileName() + u'.' + suffixeAleatoire() + QStringLiteral(".tmp"));
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

// Flushes `path` to the disk, so that the rename never exposes a file whose bytes are not
// written yet.
bool synchroniser(const QString &path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Removes fresh files of ours that an interrupted rewrite left behind. A recent one may
// belong to another copy of the program that is writing right now, and stays.
void retirerAbandonnes(const QString &iniPath) {
    const QFileInfo ini(iniPath);
    const QDateTime limite =
        QDateTime::currentDateTimeUtc().addSecs(-qint64(AgeProvisoireAbandonne));
    const QFileInfoList entries =
        ini.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (EstFichierProvisoire(ini.fileName(), entry.fileName()) && !entry.isSymLink() &&
            entry.lastModified().toUTC() < limite)
            QFile::remove(entry.filePath());
    }
}

} // namespace

bool EstFichierProvisoire(const QString &iniFileName, const QString &name) {
    const QString debut = iniFileName + u'.';
    const QString fin = QStringLiteral(".tmp");
    if (name.size() != debut.size() + longueurAleatoire + fin.size() || !name.startsWith(debut) ||
        !name.endsWith(fin))
        return false;
    const QStringView milieu = QStringView(name).mid(debut.size(), longueurAleatoire);
    return std::all_of(milieu.begin(), milieu.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

bool EcrireLangue(const QString &iniPath, float numLangue) {
    retirerAbandonnes(iniPath);
    const QString provisoire = creerProvisoire(iniPath);
    if (provisoire.isEmpty())
        return false;
    const QByteArray source = QFile::encodeName(provisoire);
    const bool ecrit = EcrireIni(QStringLiteral("[LastOpen]"), provisoire) &&
                       EcrireIni(QStringLiteral("Language"), provisoire, numLangue) &&
                       synchroniser(provisoire, O_NOFOLLOW);
    // rename() replaces the old file in one step; a link in its place is replaced, never
    // followed.
    if (!ecrit || std::rename(source.constData(), QFile::encodeName(iniPath).constData()) != 0) {
        ::unlink(source.constData());
        return false;
    }
    synchroniser(QFileInfo(iniPath).absolutePath(), O_DIRECTORY);
    return true;
}

} // namespace modGrille
