#include "platform/web_link.h"

#include "platform/browser_command.h"
#include "platform/browser_launch.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace platform {

namespace {

// Where the address goes in the browser's arguments: a character no address or desktop entry
// holds.
const QString AddressMark(QChar(0xFDD0));

// The document's one line: a text in double quotation marks, then CR LF. Only the name's
// extension matters to the lookup.
constexpr char documentLine[] = "\"<HTML> <\\HTML>\"\r\n";

// Creates the document as a new file of our own, replacing one that an earlier run left
// behind; whatever else exists under that name (a link, a folder, another user's file, a file
// with other names) is left alone, and the creation fails.
std::optional<files::Identity> createDocument(const QString &path) {
    const QByteArray line(documentLine, sizeof(documentLine) - 1);
    files::Identity identity;
    files::Creation created = files::createNew(path, line, &identity);
    if (created == files::Creation::Exists && files::isAbandoned(path) && QFile::remove(path))
        created = files::createNew(path, line, &identity);
    if (created != files::Creation::Created)
        return std::nullopt;
    return identity;
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
    return browserCommand(document, address);
}

} // namespace

void WebLink::open(const QString &address) {
    if (CheminNavigateur.isEmpty()) {
        const QString document = settingsWritePath(QLatin1String(TempDocumentName));
        const QStringList madeFolders = makeFoldersFor(document);
        if (const std::optional<files::Identity> created = createDocument(document)) {
            // Looked up once for every address: the mark stands where each one goes.
            const QStringList command = lookUpCommand(document, AddressMark);
            CheminNavigateur = command.value(0);
            m_argumentsFormat = command.mid(1);
            // Gone before any message: a leftover would block every later lookup.
            files::removeIfSame(document, *created);
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
