#include "platform/browser_lookup.h"

#include "platform/browser_command.h"
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
constexpr qint64 MaxKeyFileSize = qint64{1024} * 1024;

QStringList folderList(const QByteArray &value) {
    return QString::fromLocal8Bit(value).split(u':', Qt::SkipEmptyParts);
}

// The absolute folders of `dirs`, or `fallback` when none is given at all.
QStringList absoluteFolders(const QStringList &dirs, const QStringList &fallback) {
    if (dirs.isEmpty())
        return fallback;
    QStringList kept;
    for (const QString &dir : dirs) {
        if (QDir::isAbsolutePath(dir))
            kept << dir;
    }
    return kept;
}

QString absoluteOrDefault(const QString &dir, const QString &home, const char *underHome) {
    if (!dir.isEmpty())
        return QDir::isAbsolutePath(dir) ? dir : QString();
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        return {};
    return home + QLatin1String(underHome);
}

// A key file (desktop entry or mimeapps.list) as groups of keys and raw values. The first
// of two equal keys in a group counts; localised keys ("Name[fr]") are kept apart.
using Group = QHash<QString, QString>;

QHash<QString, Group> readKeyFile(const QString &path) {
    QHash<QString, Group> groups;
    if (!QFileInfo(path).isFile())
        return groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return groups;
    const QString text = QString::fromUtf8(file.read(MaxKeyFileSize));
    QString current;
    bool inGroup = false;
    for (const QStringView raw : QStringView(text).split(u'\n')) {
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = line.mid(1, line.size() - 2).toString();
            inGroup = true;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || equals <= 0)
            continue;
        Group &group = groups[current];
        const QString key = line.left(equals).trimmed().toString();
        if (!group.contains(key))
            group.insert(key, line.mid(equals + 1).trimmed().toString());
    }
    return groups;
}

QStringList listValue(const QString &value) {
    QStringList items;
    for (const QString &item : value.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

// The desktop IDs a mimeapps.list group gives for `mime`; MIME types ignore case.
QStringList idsFor(const Group &group, const QString &mime) {
    for (auto it = group.cbegin(); it != group.cend(); ++it) {
        if (it.key().compare(mime, Qt::CaseInsensitive) == 0)
            return listValue(it.value());
    }
    return {};
}

bool isExecutable(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The full path of `program`: itself when absolute, else the first match along `path`.
QString fullPath(const QString &program, const QStringList &path) {
    if (program.isEmpty())
        return {};
    if (program.contains(u'/'))
        return QDir::isAbsolutePath(program) && isExecutable(program) ? QDir::cleanPath(program)
                                                                      : QString();
    for (const QString &dir : path) {
        if (!QDir::isAbsolutePath(dir))
            continue;
        QString candidate = QDir::cleanPath(dir + u'/' + program);
        if (isExecutable(candidate))
            return candidate;
    }
    return {};
}

struct XdgFolders {
    QStringList lists;        // folders that may hold mimeapps.list, in precedence order
    QStringList applications; // folders of desktop entries, in precedence order
    QStringList desktops;     // current desktop names, lowercase
    QStringList path;
};

XdgFolders folders(const XdgEnvironment &env) {
    XdgFolders d;
    const QString configHome = absoluteOrDefault(env.configHome, env.home, "/.config");
    const QString dataHome = absoluteOrDefault(env.dataHome, env.home, "/.local/share");
    if (!configHome.isEmpty())
        d.lists << configHome;
    d.lists << absoluteFolders(env.configDirs, {QStringLiteral("/etc/xdg")});
    if (!dataHome.isEmpty())
        d.applications << dataHome + QStringLiteral("/applications");
    for (const QString &dir : absoluteFolders(
             env.dataDirs, {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}))
        d.applications << dir + QStringLiteral("/applications");
    d.lists << d.applications;
    for (const QString &desktop : env.currentDesktops) {
        if (!desktop.isEmpty())
            d.desktops << desktop.toLower();
    }
    d.path = env.path.isEmpty() ? QStringList{QStringLiteral("/usr/local/bin"),
                                              QStringLiteral("/usr/bin"), QStringLiteral("/bin")}
                                : env.path;
    return d;
}

struct AssociationList {
    QStringList defaults;
    QStringList added;
    QStringList removed;
};

// The mimeapps.list files in precedence order. Desktop-specific files only name defaults.
QList<AssociationList> associationLists(const XdgFolders &d, const QString &mime) {
    QList<AssociationList> lists;
    for (const QString &dir : d.lists) {
        for (const QString &desktop : d.desktops) {
            const auto groups =
                readKeyFile(dir + u'/' + desktop + QStringLiteral("-mimeapps.list"));
            lists.append(
                {idsFor(groups.value(QStringLiteral("Default Applications")), mime), {}, {}});
        }
        const auto groups = readKeyFile(dir + QStringLiteral("/mimeapps.list"));
        lists.append({idsFor(groups.value(QStringLiteral("Default Applications")), mime),
                      idsFor(groups.value(QStringLiteral("Added Associations")), mime),
                      idsFor(groups.value(QStringLiteral("Removed Associations")), mime)});
    }
    return lists;
}

struct DesktopEntry {
    QStringList command; // empty when the entry cannot be started
    QStringList mimeTypes;
};

// The installed desktop entries, each ID once, from the folder of highest precedence;
// within a folder in the order of their IDs.
class Applications {
public:
    Applications(const XdgFolders &d, const QString &address)
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
                if (!m_paths.contains(id)) {
                    m_paths.insert(id, path);
                    m_ids << id;
                }
            }
        }
    }

    const QStringList &ids() const { return m_ids; }

    const DesktopEntry &entry(const QString &id) {
        auto it = m_entries.find(id);
        if (it == m_entries.end())
            it = m_entries.insert(id, read(m_paths.value(id)));
        return *it;
    }

private:
    DesktopEntry read(const QString &path) const {
        if (path.isEmpty())
            return {};
        const Group g = readKeyFile(path).value(QStringLiteral("Desktop Entry"));
        // Hidden means the entry counts as deleted; TryExec names a program that must exist.
        if (g.value(QStringLiteral("Type")) != QLatin1String("Application") ||
            g.value(QStringLiteral("Hidden")) == QLatin1String("true"))
            return {};
        const auto tryExec = g.constFind(QStringLiteral("TryExec"));
        if (tryExec != g.cend() && fullPath(UnescapedValue(*tryExec), m_path).isEmpty())
            return {};
        DesktopEntry entry;
        const DesktopEntryFields fields{UnescapedValue(g.value(QStringLiteral("Icon"))),
                                        UnescapedValue(g.value(QStringLiteral("Name"))), path};
        // A value that cannot be parsed makes the entry as unusable as a missing program.
        std::optional<QStringList> command =
            ExecCommandLine(g.value(QStringLiteral("Exec")), fields, m_address);
        if (command) {
            (*command)[0] = fullPath(command->first(), m_path);
            if (!command->first().isEmpty())
                entry.command = *command;
        }
        for (const QString &type : listValue(g.value(QStringLiteral("MimeType"))))
            entry.mimeTypes << type.toLower();
        return entry;
    }

    QStringList m_path;
    QString m_address;
    QStringList m_ids;
    QHash<QString, QString> m_paths;
    QHash<QString, DesktopEntry> m_entries;
};

} // namespace

XdgEnvironment XdgEnvironment::fromProcess() {
    XdgEnvironment env;
    env.home = QString::fromLocal8Bit(qgetenv("HOME"));
    env.configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    env.configDirs = folderList(qgetenv("XDG_CONFIG_DIRS"));
    env.dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    env.dataDirs = folderList(qgetenv("XDG_DATA_DIRS"));
    env.currentDesktops = folderList(qgetenv("XDG_CURRENT_DESKTOP"));
    env.path = folderList(qgetenv("PATH"));
    return env;
}

XdgEnvironment currentXdgEnvironment() {
    return XdgSeam::replaced() ? XdgSeam::call() : XdgEnvironment::fromProcess();
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
    const XdgFolders d = folders(environment);
    const QList<AssociationList> lists = associationLists(d, mime);
    Applications applications(d, address);

    // A removal applies to the lists of lower precedence and to the desktop entries.
    QSet<QString> hidden;
    const auto firstUsable = [&](QStringList AssociationList::*ids) -> QStringList {
        hidden.clear();
        for (const AssociationList &list : lists) {
            for (const QString &id : list.*ids) {
                if (!hidden.contains(id) && !applications.entry(id).command.isEmpty())
                    return applications.entry(id).command;
            }
            for (const QString &id : list.removed)
                hidden.insert(id);
        }
        return {};
    };
    for (auto ids : {&AssociationList::defaults, &AssociationList::added}) {
        if (QStringList command = firstUsable(ids); !command.isEmpty())
            return command;
    }
    for (const QString &id : applications.ids()) {
        const DesktopEntry &entry = applications.entry(id);
        if (!hidden.contains(id) && !entry.command.isEmpty() && entry.mimeTypes.contains(mime))
            return entry.command;
    }
    return {};
}

QStringList browserCommand(const QString &document, const QString &address) {
    return FindExecutable(document, address, currentXdgEnvironment());
}

} // namespace platform
