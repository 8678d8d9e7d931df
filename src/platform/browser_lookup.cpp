#include "platform/browser_lookup.h"

#include "platform/desktop_exec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QSet>

#include <algorithm>

namespace platform {

namespace {

// Desktop and list files are small; anything far larger is not one of them.
constexpr qint64 tailleMaxFichierCle = 1024 * 1024;

std::optional<XdgEnvironment> &environnementDeTest() {
    static std::optional<XdgEnvironment> environnement;
    return environnement;
}

QStringList listeDeDossiers(const QByteArray &value) {
    return QString::fromLocal8Bit(value).split(u':', Qt::SkipEmptyParts);
}

// The absolute folders of `dirs`, or `fallback` when none is given at all.
QStringList absolus(const QStringList &dirs, const QStringList &fallback) {
    if (dirs.isEmpty())
        return fallback;
    QStringList kept;
    for (const QString &dir : dirs) {
        if (QDir::isAbsolutePath(dir))
            kept << dir;
    }
    return kept;
}

QString absoluOuDefaut(const QString &dir, const QString &home, const char *underHome) {
    if (!dir.isEmpty())
        return QDir::isAbsolutePath(dir) ? dir : QString();
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        return {};
    return home + QLatin1String(underHome);
}

// A key file (desktop entry or mimeapps.list) as groups of keys and raw values. The first
// of two equal keys in a group counts; localised keys ("Name[fr]") are kept apart.
using Groupe = QHash<QString, QString>;

QHash<QString, Groupe> lireFichierCle(const QString &path) {
    QHash<QString, Groupe> groupes;
    if (!QFileInfo(path).isFile())
        return groupes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return groupes;
    const QString text = QString::fromUtf8(file.read(tailleMaxFichierCle));
    QString courant;
    bool dansGroupe = false;
    for (const QStringView brute : QStringView(text).split(u'\n')) {
        const QStringView line = brute.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            courant = line.mid(1, line.size() - 2).toString();
            dansGroupe = true;
            continue;
        }
        const qsizetype egal = line.indexOf(u'=');
        if (!dansGroupe || egal <= 0)
            continue;
        Groupe &groupe = groupes[courant];
        const QString key = line.left(egal).trimmed().toString();
        if (!groupe.contains(key))
            groupe.insert(key, line.mid(egal + 1).trimmed().toString());
    }
    return groupes;
}

QStringList liste(const QString &value) {
    QStringList items;
    for (const QString &item : value.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

// The desktop IDs a mimeapps.list group gives for `mime`; MIME types ignore case.
QStringList idsPour(const Groupe &groupe, const QString &mime) {
    for (auto it = groupe.cbegin(); it != groupe.cend(); ++it) {
        if (it.key().compare(mime, Qt::CaseInsensitive) == 0)
            return liste(it.value());
    }
    return {};
}

bool estExecutable(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The full path of `program`: itself when absolute, else the first match along `path`.
QString cheminComplet(const QString &program, const QStringList &path) {
    if (program.isEmpty())
        return {};
    if (program.contains(u'/'))
        return QDir::isAbsolutePath(program) && estExecutable(program) ? QDir::cleanPath(program)
                                                                       : QString();
    for (const QString &dir : path) {
        if (!QDir::isAbsolutePath(dir))
            continue;
        const QString candidate = QDir::cleanPath(dir + u'/' + program);
        if (estExecutable(candidate))
            return candidate;
    }
    return {};
}

struct DossiersXdg {
    QStringList listes;       // folders that may hold mimeapps.list, in precedence order
    QStringList applications; // folders of desktop entries, in precedence order
    QStringList bureaux;      // current desktop names, lowercase
    QStringList path;
};

DossiersXdg dossiers(const XdgEnvironment &env) {
    DossiersXdg d;
    const QString configHome = absoluOuDefaut(env.configHome, env.home, "/.config");
    const QString dataHome = absoluOuDefaut(env.dataHome, env.home, "/.local/share");
    if (!configHome.isEmpty())
        d.listes << configHome;
    d.listes << absolus(env.configDirs, {QStringLiteral("/etc/xdg")});
    if (!dataHome.isEmpty())
        d.applications << dataHome + QStringLiteral("/applications");
    for (const QString &dir :
         absolus(env.dataDirs, {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}))
        d.applications << dir + QStringLiteral("/applications");
    d.listes << d.applications;
    for (const QString &desktop : env.currentDesktops) {
        if (!desktop.isEmpty())
            d.bureaux << desktop.toLower();
    }
    d.path = env.path.isEmpty() ? QStringList{QStringLiteral("/usr/local/bin"),
                                              QStringLiteral("/usr/bin"), QStringLiteral("/bin")}
                                : env.path;
    return d;
}

struct ListeAssociations {
    QStringList defaults;
    QStringList added;
    QStringList removed;
};

// The mimeapps.list files in precedence order. Desktop-specific files only name defaults.
QList<ListeAssociations> listesAssociations(const DossiersXdg &d, const QString &mime) {
    QList<ListeAssociations> lists;
    for (const QString &dir : d.listes) {
        for (const QString &desktop : d.bureaux) {
            const auto groupes =
                lireFichierCle(dir + u'/' + desktop + QStringLiteral("-mimeapps.list"));
            lists.append(
                {idsPour(groupes.value(QStringLiteral("Default Applications")), mime), {}, {}});
        }
        const auto groupes = lireFichierCle(dir + QStringLiteral("/mimeapps.list"));
        lists.append({idsPour(groupes.value(QStringLiteral("Default Applications")), mime),
                      idsPour(groupes.value(QStringLiteral("Added Associations")), mime),
                      idsPour(groupes.value(QStringLiteral("Removed Associations")), mime)});
    }
    return lists;
}

struct Entree {
    QStringList command; // empty when the entry cannot be started
    QStringList mimeTypes;
};

// The installed desktop entries, each ID once, from the folder of highest precedence;
// within a folder in the order of their IDs.
class Applications {
public:
    Applications(const DossiersXdg &d, const QString &address)
        : m_path(d.path)
        , m_address(address) {
        for (const QString &dir : d.applications) {
            QList<std::pair<QString, QString>> here;
            QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                here.append({QDir(dir).relativeFilePath(path).replace(u'/', u'-'), path});
            }
            std::sort(here.begin(), here.end());
            for (const auto &[id, path] : here) {
                if (!m_chemins.contains(id)) {
                    m_chemins.insert(id, path);
                    m_ids << id;
                }
            }
        }
    }

    const QStringList &ids() const { return m_ids; }

    const Entree &entree(const QString &id) {
        auto it = m_entrees.find(id);
        if (it == m_entrees.end())
            it = m_entrees.insert(id, lire(m_chemins.value(id)));
        return *it;
    }

private:
    Entree lire(const QString &path) const {
        if (path.isEmpty())
            return {};
        const Groupe g = lireFichierCle(path).value(QStringLiteral("Desktop Entry"));
        // Hidden means the entry counts as deleted; TryExec names a program that must exist.
        if (g.value(QStringLiteral("Type")) != QLatin1String("Application") ||
            g.value(QStringLiteral("Hidden")) == QLatin1String("true"))
            return {};
        const auto tryExec = g.constFind(QStringLiteral("TryExec"));
        if (tryExec != g.cend() && cheminComplet(UnescapedValue(*tryExec), m_path).isEmpty())
            return {};
        Entree entree;
        const DesktopEntryFields fields{UnescapedValue(g.value(QStringLiteral("Icon"))),
                                        UnescapedValue(g.value(QStringLiteral("Name"))), path};
        // A value that cannot be parsed makes the entry as unusable as a missing program.
        std::optional<QStringList> command =
            ExecCommandLine(g.value(QStringLiteral("Exec")), fields, m_address);
        if (command) {
            (*command)[0] = cheminComplet(command->first(), m_path);
            if (!command->first().isEmpty())
                entree.command = *command;
        }
        for (const QString &type : liste(g.value(QStringLiteral("MimeType"))))
            entree.mimeTypes << type.toLower();
        return entree;
    }

    QStringList m_path;
    QString m_address;
    QStringList m_ids;
    QHash<QString, QString> m_chemins;
    QHash<QString, Entree> m_entrees;
};

} // namespace

XdgEnvironment XdgEnvironment::fromProcess() {
    XdgEnvironment env;
    env.home = QString::fromLocal8Bit(qgetenv("HOME"));
    env.configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    env.configDirs = listeDeDossiers(qgetenv("XDG_CONFIG_DIRS"));
    env.dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    env.dataDirs = listeDeDossiers(qgetenv("XDG_DATA_DIRS"));
    env.currentDesktops = listeDeDossiers(qgetenv("XDG_CURRENT_DESKTOP"));
    env.path = listeDeDossiers(qgetenv("PATH"));
    return env;
}

XdgEnvironment CurrentXdgEnvironment() {
    return environnementDeTest().value_or(XdgEnvironment::fromProcess());
}

void setXdgEnvironmentForTests(std::optional<XdgEnvironment> environment) {
    environnementDeTest() = std::move(environment);
}

QString MimeTypeOfFile(const QString &document) {
    const QString suffix = QFileInfo(document).suffix().toLower();
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html"))
        return QStringLiteral("text/html");
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QFileInfo(document).fileName(),
                                                           QMimeDatabase::MatchExtension);
    return type.isDefault() ? QString() : type.name();
}

QStringList FindExecutable(const QString &document, const QString &address,
                           const XdgEnvironment &environment) {
    if (!QFileInfo(document).isFile())
        return {};
    const QString mime = MimeTypeOfFile(document);
    if (mime.isEmpty())
        return {};
    const DossiersXdg d = dossiers(environment);
    const QList<ListeAssociations> lists = listesAssociations(d, mime);
    Applications applications(d, address);

    // A removal applies to the lists of lower precedence and to the desktop entries.
    QSet<QString> retires;
    for (const ListeAssociations &list : lists) {
        for (const QString &id : list.defaults) {
            if (!retires.contains(id) && !applications.entree(id).command.isEmpty())
                return applications.entree(id).command;
        }
        for (const QString &id : list.removed)
            retires.insert(id);
    }
    retires.clear();
    for (const ListeAssociations &list : lists) {
        for (const QString &id : list.added) {
            if (!retires.contains(id) && !applications.entree(id).command.isEmpty())
                return applications.entree(id).command;
        }
        for (const QString &id : list.removed)
            retires.insert(id);
    }
    for (const QString &id : applications.ids()) {
        const Entree &entree = applications.entree(id);
        if (!retires.contains(id) && !entree.command.isEmpty() && entree.mimeTypes.contains(mime))
            return entree.command;
    }
    return {};
}

} // namespace platform
