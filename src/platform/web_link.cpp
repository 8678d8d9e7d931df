#include "platform/web_link.h"

#include "platform/browser_launch.h"
#include "platform/browser_lookup.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Where the address goes in the browser's arguments: a character no address or desktop entry
// holds.
const QString AddressMark(QChar(0xFDD0));

// The document's one line: a text in double quotation marks, then CR LF. Only the name's
// extension matters to the lookup.
constexpr char documentLine[] = "\"<HTML> <\\HTML>\"\r\n";

struct CreatedFile {
    dev_t device = 0;
    ino_t inode = 0;
};

int openFresh(const QByteArray &path) {
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// A document that a run which died during its lookup left behind: a plain file of the
// player's with no other name. Anything else under that name is not ours to remove.
bool isAbandonedDocument(const QByteArray &path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid() && status.st_nlink == 1;
}

// Creates `path` as a new regular file of our own and writes its line. A document left
// behind by an earlier run is replaced; whatever else exists under that name (a link, a
// folder, another user's file, a file with other names) is left alone, and the creation fails.
std::optional<CreatedFile> createDocument(const QByteArray &path) {
    int fd = openFresh(path);
    if (fd < 0 && errno == EEXIST && isAbandonedDocument(path) && ::unlink(path.constData()) == 0)
        fd = openFresh(path);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return std::nullopt;
    }
    // A failed write is passed over: the lookup goes by the name. One call writes a line this
    // short to a new regular file whole.
    [[maybe_unused]] const ssize_t written = ::write(fd, documentLine, sizeof(documentLine) - 1);
    ::close(fd);
    return CreatedFile{status.st_dev, status.st_ino};
}

// Deletes the document, but only while that name still holds the file we created.
void deleteDocument(const QByteArray &path, const CreatedFile &created) {
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_dev == created.device && status.st_ino == created.inode)
        ::unlink(path.constData());
}

// The folders missing above `file`, made now, deepest first: the settings folder exists only
// once a language is chosen, so one made for the lookup goes with the document.
QStringList makeFoldersFor(const QString &file) {
    QStringList made;
    for (QString folder = QFileInfo(file).absolutePath(); !QFileInfo::exists(folder);
         folder = QFileInfo(folder).absolutePath())
        made << folder;
    if (!made.isEmpty())
        QDir().mkpath(made.first());
    return made;
}

QStringList lookUpCommand(const QString &document, const QString &address) {
    if (LookupSeam::replaced())
        return LookupSeam::call(document, address);
    return FindExecutable(document, address, currentXdgEnvironment());
}

} // namespace

void WebLink::open(const QString &address) {
    if (CheminNavigateur.isEmpty()) {
        const QString document = settingsWritePath(QLatin1String(TempDocumentName));
        const QByteArray name = QFile::encodeName(document);
        const QStringList madeFolders = makeFoldersFor(document);
        if (const std::optional<CreatedFile> created = createDocument(name)) {
            // Looked up once for every address: the mark stands where each one goes.
            const QStringList command = lookUpCommand(document, AddressMark);
            CheminNavigateur = command.value(0);
            m_argumentsFormat = command.mid(1);
            // Gone before any message: a leftover would block every later lookup.
            deleteDocument(name, *created);
        }
        for (const QString &folder : madeFolders)
            QDir().rmdir(folder);
        if (CheminNavigateur.isEmpty()) {
            showMessage(QStringLiteral("Could not find associated Browser"), Exclamation,
                        QStringLiteral("Browser Not Found"));
            return;
        }
    }
    QStringList command{CheminNavigateur};
    for (const QString &argument : m_argumentsFormat)
        command << QString(argument).replace(AddressMark, address);
    if (!startBrowser(command))
        showMessage(QStringLiteral("Web Page not Opened"), Exclamation,
                    QStringLiteral("URL Failed"));
}

} // namespace platform
