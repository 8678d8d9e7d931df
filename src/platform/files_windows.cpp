#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <windows.h>

namespace platform::files {

namespace {
std::wstring native(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// Opens the name itself, a link or junction included, never what it points to.
HANDLE openName(const QString &path, DWORD access) {
    return ::CreateFileW(
        native(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool information(HANDLE file, BY_HANDLE_FILE_INFORMATION *info) {
    return ::GetFileInformationByHandle(file, info) != 0;
}

Identity identityOf(const BY_HANDLE_FILE_INFORMATION &info) {
    return {info.dwVolumeSerialNumber,
            (quint64(info.nFileIndexHigh) << 32) | quint64(info.nFileIndexLow)};
}

bool isPlainFile(const BY_HANDLE_FILE_INFORMATION &info) {
    return !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}
} // namespace

Creation createNew(const QString &path, const QByteArray &content, Identity *identity) {
    // CREATE_NEW fails on any existing name, a link included, and follows none.
    HANDLE file = ::CreateFileW(native(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS || ::GetLastError() == ERROR_ALREADY_EXISTS
                   ? Creation::Exists
                   : Creation::Failed;
    BY_HANDLE_FILE_INFORMATION info{};
    if (identity && !information(file, &info)) {
        ::CloseHandle(file);
        ::DeleteFileW(native(path).c_str());
        return Creation::Failed;
    }
    // A failed write is the caller's to notice: the content is checked or only a hint.
    DWORD written = 0;
    if (!content.isEmpty())
        ::WriteFile(file, content.constData(), DWORD(content.size()), &written, nullptr);
    ::CloseHandle(file);
    if (identity)
        *identity = identityOf(info);
    return Creation::Created;
}

bool isAbandoned(const QString &path) {
    HANDLE file = openName(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool plain = information(file, &info) && isPlainFile(info) && info.nNumberOfLinks == 1;
    ::CloseHandle(file);
    return plain;
}

void removeIfSame(const QString &path, const Identity &identity) {
    HANDLE file = openName(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool same = information(file, &info) && isPlainFile(info) &&
                      identityOf(info).device == identity.device &&
                      identityOf(info).file == identity.file;
    ::CloseHandle(file);
    if (same)
        ::DeleteFileW(native(path).c_str());
}

bool flush(const QString &path) {
    HANDLE file = openName(path, GENERIC_WRITE);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = ::FlushFileBuffers(file) != 0;
    ::CloseHandle(file);
    return ok;
}

bool replace(const QString &from, const QString &to) {
    // Unlike rename() elsewhere, MoveFileEx replaces an existing file only when told to;
    // written through, it returns once the new name is on the disk.
    if (::MoveFileExW(native(from).c_str(), native(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(native(from).c_str());
    return false;
}

qint64 processId() {
    return qint64(::GetCurrentProcessId());
}

bool processRunning(qint64 pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // another user's, running
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

bool folderWritable(const QString &folder) {
    // Permissions on Windows are access lists that no mode bits summarise: a file created
    // and removed at once is the answer (under Program Files it is refused).
    const QString probe =
        folder + QStringLiteral("/.vexoro-") + QUuid::createUuid().toString(QUuid::Id128);
    HANDLE file = ::CreateFileW(native(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

QString ownSettingsFolder() {
    QString base = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
    return base + QStringLiteral("/vexoro");
}

} // namespace platform::files
