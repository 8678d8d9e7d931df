#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {

namespace {
QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

bool syncPath(const QString &path, int flags) {
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

Creation createNew(const QString &path, const QByteArray &content, Identity *identity) {
    const int fd = ::open(native(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? Creation::Exists : Creation::Failed;
    struct stat status {};
    if (identity && ::fstat(fd, &status) != 0) {
        ::close(fd);
        ::unlink(native(path).constData());
        return Creation::Failed;
    }
    // A failed write is the caller's to notice: the content is checked or only a hint.
    // One call writes the few bytes given here to a new regular file whole.
    if (!content.isEmpty()) {
        [[maybe_unused]] const ssize_t written = ::write(fd, content.constData(), content.size());
    }
    ::close(fd);
    if (identity)
        *identity = {quint64(status.st_dev), quint64(status.st_ino)};
    return Creation::Created;
}

bool isAbandoned(const QString &path) {
    struct stat status {};
    return ::lstat(native(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid() && status.st_nlink == 1;
}

void removeIfSame(const QString &path, const Identity &identity) {
    struct stat status {};
    if (::lstat(native(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
        quint64(status.st_dev) == identity.device && quint64(status.st_ino) == identity.file)
        ::unlink(native(path).constData());
}

bool flush(const QString &path) {
    return syncPath(path, O_NOFOLLOW);
}

bool replace(const QString &from, const QString &to) {
    if (std::rename(native(from).constData(), native(to).constData()) != 0) {
        ::unlink(native(from).constData());
        return false;
    }
    // The folder's entry too, so that the new name survives a power cut.
    syncPath(QFileInfo(to).absolutePath(), O_DIRECTORY);
    return true;
}

qint64 processId() {
    return ::getpid();
}

bool processRunning(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool folderWritable(const QString &folder) {
    // Creating and renaming files needs write and search permission on the folder.
    return ::access(native(folder).constData(), W_OK | X_OK) == 0;
}

QString ownSettingsFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative paths are invalid by the XDG rules and are ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vexoro");
}

} // namespace platform::files
