#include "platform/web_link.h"

#include "platform/browser_launch.h"
#include "platform/browser_lookup.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The browser's command line once a lookup has found it, kept for the whole run so that
// later clicks, in later openings of the About box too, start it at once. Empty at start
// and after a failed lookup.
QStringList CheminNavigateur;

// The document's one line: a text in double quotation marks, then CR LF. Only the name's
// extension matters to the lookup.
constexpr char ligneDocument[] = "\"<HTML> <\\HTML>\"\r\n";

struct FichierCree {
    dev_t device = 0;
    ino_t inode = 0;
};

int ouvrirNeuf(const QByteArray &path) {
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// A document that a run which died during its lookup left behind: a plain file of the
// player's with no other name. Anything else under that name is not ours to remove.
bool estDocumentAbandonne(const QByteArray &path) {
    struct stat etat {};
    return ::lstat(path.constData(), &etat) == 0 && S_ISREG(etat.st_mode) &&
           etat.st_uid == ::geteuid() && etat.st_nlink == 1;
}

// Creates `path` as a new regular file of our own and writes its line. A document left
// behind by an earlier run is replaced; whatever else exists under that name (a link, a
// folder, another user's file, a file with other names) is left alone, and the creation fails.
std::optional<FichierCree> creerDocument(const QByteArray &path) {
    int fd = ouvrirNeuf(path);
    if (fd < 0 && errno == EEXIST && estDocumentAbandonne(path) && ::unlink(path.constData()) == 0)
        fd = ouvrirNeuf(path);
    if (fd < 0)
        return std::nullopt;
    struct stat etat {};
    if (::fstat(fd, &etat) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return std::nullopt;
    }
    // A failed write is passed over: the lookup goes by the name.
    const char *data = ligneDocument;
    size_t reste = sizeof(ligneDocument) - 1;
    while (reste > 0) {
        const ssize_t ecrits = ::write(fd, data, reste);
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0)
            break;
        data += ecrits;
        reste -= static_cast<size_t>(ecrits);
    }
    ::close(fd);
    return FichierCree{etat.st_dev, etat.st_ino};
}

// Deletes the document, but only while that name still holds the file we created.
void supprimerDocument(const QByteArray &path, const FichierCree &cree) {
    struct stat etat {};
    if (::lstat(path.constData(), &etat) == 0 && S_ISREG(etat.st_mode) &&
        etat.st_dev == cree.device && etat.st_ino == cree.inode)
        ::unlink(path.constData());
}

LookupHandler &lookupHandler() {
    static LookupHandler h;
    return h;
}

QStringList programmeAssocie(const QString &document, const QString &address) {
    if (lookupHandler())
        return lookupHandler()(document, address);
    return FindExecutable(document, address, CurrentXdgEnvironment());
}

} // namespace

void setLookupHandler(LookupHandler h) {
    lookupHandler() = std::move(h);
}

void ForgetBrowserForTests() {
    CheminNavigateur.clear();
}

void OuvrirPageWeb(const QString &address) {
    if (CheminNavigateur.isEmpty()) {
        const QString document = CheminReglages(QLatin1String(FichierTemporaireHtml));
        const QByteArray nom = QFile::encodeName(document);
        if (const std::optional<FichierCree> cree = creerDocument(nom)) {
            CheminNavigateur = programmeAssocie(document, address);
            // Gone before any message: a leftover would block every later lookup.
            supprimerDocument(nom, *cree);
        }
        if (CheminNavigateur.isEmpty()) {
            MsgBox(QStringLiteral("Could not find associated Browser"), vbExclamation,
                   QStringLiteral("Browser Not Found"));
            return;
        }
    }
    if (!LancerNavigateur(CheminNavigateur))
        MsgBox(QStringLiteral("Web Page not Opened"), vbExclamation, QStringLiteral("URL Failed"));
}

} // namespace platform
