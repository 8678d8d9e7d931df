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
#include <signal.h>
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
        // The writer's process number tells a later write whether the file is abandoned.
        const QString path =
            ini.dir().filePath(ini.fileName() + u'.' + QString::number(::getpid()) + u'-' +
                               suffixeAleatoire() + QStringLiteral(".tmp"));
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

bool processusVivant(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Removes fresh files of ours that an interrupted rewrite left behind: those whose writer
// has ended, and any old one (its process number may have been reused). A recent one of a
// running copy of the program is being written right now, and stays.
void retirerAbandonnes(const QString &iniPath) {
    const QFileInfo ini(iniPath);
    const QDateTime limite =
        QDateTime::currentDateTimeUtc().addSecs(-qint64(AgeProvisoireAbandonne));
    const QFileInfoList entries =
        ini.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        qint64 pid = 0;
        if (EstFichierProvisoire(ini.fileName(), entry.fileName(), &pid) && !entry.isSymLink() &&
            (!processusVivant(pid) || entry.lastModified().toUTC() < limite))
            QFile::remove(entry.filePath());
    }
}

} // namespace

bool EstFichierProvisoire(const QString &iniFileName, const QString &name, qint64 *pid) {
    const QString debut = iniFileName + u'.';
    const QString fin = QStringLiteral(".tmp");
    if (!name.startsWith(debut) || !name.endsWith(fin))
        return false;
    const QStringView milieu =
        QStringView(name).mid(debut.size(), name.size() - debut.size() - fin.size());
    const qsizetype tiret = milieu.indexOf(u'-');
    if (tiret <= 0 || milieu.size() - tiret - 1 != longueurAleatoire)
        return false;
    const QStringView numero = milieu.left(tiret);
    const QStringView aleatoire = milieu.mid(tiret + 1);
    if (!std::all_of(numero.begin(), numero.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    const qint64 valeur = numero.toLongLong(&ok);
    if (!ok || valeur <= 0)
        return false;
    if (!std::all_of(aleatoire.begin(), aleatoire.end(),
                     [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); }))
        return false;
    if (pid)
        *pid = valeur;
    return true;
}

namespace {

// True when `path` holds exactly `expected`: a write that failed part-way may have left a
// piece of a line that the retry then doubled.
bool contientExactement(const QString &path, const QByteArray &expected) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(expected.size() + 1) == expected;
}

// Writes the two lines into a fresh file beside `iniPath`; its path, or empty on failure.
QString ecrireProvisoire(const QString &iniPath, float numLangue) {
    const QString provisoire = creerProvisoire(iniPath);
    if (provisoire.isEmpty())
        return {};
    const QString section = QStringLiteral("[LastOpen]");
    const QString cle = QStringLiteral("Language");
    if (EcrireIni(section, provisoire) && EcrireIni(cle, provisoire, numLangue) &&
        contientExactement(provisoire, IniLine(section) + IniLine(cle, numLangue)) &&
        synchroniser(provisoire, O_NOFOLLOW))
        return provisoire;
    QFile::remove(provisoire);
    return {};
}

} // namespace

bool EcrireLangue(const QString &iniPath, float numLangue) {
    retirerAbandonnes(iniPath);
    // A failed attempt starts over on a fresh file: only a complete one is put in place.
    QString provisoire = ecrireProvisoire(iniPath, numLangue);
    if (provisoire.isEmpty())
        provisoire = ecrireProvisoire(iniPath, numLangue);
    if (provisoire.isEmpty())
        return false;
    const QByteArray source = QFile::encodeName(provisoire);
    // rename() replaces the old file in one step; a link in its place is replaced, never
    // followed.
    if (std::rename(source.constData(), QFile::encodeName(iniPath).constData()) != 0) {
        ::unlink(source.constData());
        return false;
    }
    synchroniser(QFileInfo(iniPath).absolutePath(), O_DIRECTORY);
    return true;
}

} // namespace modGrille
