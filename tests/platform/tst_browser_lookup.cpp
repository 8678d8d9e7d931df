// Finding the program the desktop opens an HTML document with, by the freedesktop rules, in a
// desktop of its own inside a temporary folder.
#include "platform/browser_command.h"
#include "platform/browser_lookup.h"
#include "platform/desktop_exec.h"
#include "platform/xdg_fixture.h"

#include <QDir>
#include <QTest>

namespace {
const QByteArray html = "MimeType=text/html;\n";

// A file of the fixture as "relative path|content".
QString file(const QString &path, const QByteArray &content) {
    return path + u'|' + QString::fromUtf8(content);
}

// An application's desktop entry at `path` with `lines`; app(): in the first data folder.
QString entry(const QString &path, const QByteArray &lines) {
    return file(path, "[Desktop Entry]\nType=Application\n" + lines);
}
QString app(const char *id, const QByteArray &lines) {
    return entry(QStringLiteral("share1/applications/%1.desktop").arg(QLatin1String(id)), lines);
}

// `prefix` + "mimeapps.list" giving `ids` for HTML in `group`.
QString list(const char *prefix, const char *ids, const char *group = "Default Applications") {
    return file(QLatin1String(prefix) + QStringLiteral("mimeapps.list"),
                QByteArray("[") + group + "]\ntext/html=" + ids + "\n");
}

const QByteArray execA = "Exec=browser-a %u\n";
const QByteArray execB = "Exec=browser-b %u\n";
const QString A = app("a", execA);
const QString B = app("b", execB);
const QString AH = app("a", execA + html);
const QString BH = app("b", execB + html);
} // namespace

class TestBrowserLookup : public QObject {
    Q_OBJECT
private slots:
    void findsTheAssociatedProgram_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("change");   // to the environment, or "no document"
        QTest::addColumn<QString>("expected"); // relative to the fixture; empty: none
        const auto row = [](const char *name, const QStringList &files, const char *expected,
                            const char *document = "temphtm.HTM", const char *change = "") {
            QTest::newRow(name) << files << QString::fromLatin1(document)
                                << QString::fromLatin1(change) << QString::fromLatin1(expected);
        };
        const char *a = "bin/browser-a", *b = "bin/browser-b", *none = "";

        row("nothing registered", {}, none);
        row("user's list before the system's",
            {list("config/", "a.desktop"), list("etc/", "b.desktop"), A, B}, a);
        row("desktop-specific list first",
            {list("config/testde-", "b.desktop"), list("config/", "a.desktop"), A, B}, b);
        row("uninstalled default skipped", {list("config/", "gone.desktop;b.desktop;"), B}, b);
        row("unusable default, next list",
            {list("config/", "c.desktop"), list("etc/", "b.desktop"), app("c", "Exec=notexec\n"),
             B},
            b);
        row("added association", {list("config/", "b.desktop;", "Added Associations"), B}, b);
        row("lines before any group, or without =, ignored",
            {file("config/mimeapps.list",
                  "text/html=a.desktop\n[Default Applications]\ntext/html\ntext/html=b.desktop\n"),
             A, B},
            b);
        row("a value ending in ] is no group",
            {file("config/mimeapps.list", "[Default Applications]\ntext/html=a.desktop;]\n"), A},
            a);
        row("defaults before added associations",
            {list("config/", "a.desktop;", "Added Associations"), list("etc/", "b.desktop"), A, B},
            b);
        row("removal hides a lower list's addition",
            {list("config/", "b.desktop;", "Removed Associations"),
             list("etc/", "b.desktop;", "Added Associations"), B},
            none);
        row("a lower list's removal leaves a higher addition",
            {list("config/", "b.desktop;", "Added Associations"),
             list("etc/", "b.desktop;", "Removed Associations"), B},
            b);
        row("removal hides a desktop entry",
            {list("config/", "a.desktop;", "Removed Associations"), AH,
             entry("share2/applications/b.desktop", execB + html)},
            b);
        row("hidden entry shadows the same name",
            {entry("data/applications/a.desktop", execA + html + "Hidden=true\n"), AH}, none);
        row("no document", {app("a", execA + "MimeType=TEXT/Html\n")}, none, "temphtm.HTM",
            "no document");
        row("quoted program with a blank",
            {app("c", html + "Exec=\"@ROOT@/my apps/browser c\" --new %u\n")}, "my apps/browser c");
        row("program not executable", {app("c", html + "Exec=notexec %u\n")}, none);
        row("unparsable Exec, next candidate",
            {list("config/", "c.desktop;b.desktop"), app("c", "Exec=\"browser-a %u\n"), B}, b);
        // Run from the fixture's folder, where bin/browser-a exists.
        row("relative program with a folder", {app("c", html + "Exec=bin/browser-a\n")}, none);
        row("program of TryExec missing", {app("a", execA + html + "TryExec=nowhere\n")}, none);
        row("unset folders follow home",
            {list("home/.config/", "b.desktop"),
             entry("home/.local/share/applications/b.desktop", execB)},
            b, "temphtm.HTM", "unset folders");
        // openbox, which the tests install, has its entry in /usr/share/applications.
        row("unset system folders: the standard ones", {list("config/", "openbox.desktop")},
            "/usr/bin/openbox", "temphtm.HTM", "system folders");
        // The relative folders would hold the list, from the folder the lookup runs in.
        row("relative folders ignored",
            {list("config/", "a.desktop"), A,
             entry("home/.local/share/applications/a.desktop", execA + html), BH},
            b, "temphtm.HTM", "relative folders");
    }
    void findsTheAssociatedProgram() {
        QFETCH(QStringList, files);
        QFETCH(QString, document);
        QFETCH(QString, change);
        QFETCH(QString, expected);
        XdgFixture xdg;
        QVERIFY(xdg.isValid());
        for (const char *program : {"bin/browser-a", "bin/browser-b", "my apps/browser c"})
            QVERIFY(xdg.write(QLatin1String(program), "#!/bin/sh\n", 0755));
        QVERIFY(xdg.write(QStringLiteral("bin/notexec"), "#!/bin/sh\n", 0644));
        for (const QString &file : files) {
            const qsizetype bar = file.indexOf(u'|');
            QVERIFY(xdg.write(file.left(bar), file.mid(bar + 1).toUtf8()));
        }
        if (change != QLatin1String("no document"))
            QVERIFY(xdg.write(QStringLiteral("doc/") + document, "\"<HTML> <\\HTML>\"\r\n"));
        platform::XdgEnvironment env = xdg.environment();
        if (change == QLatin1String("unset folders")) {
            env.configHome.clear();
            env.dataHome.clear();
        } else if (change == QLatin1String("system folders")) {
            env.configDirs.clear();
            env.dataDirs.clear();
            env.path = QStringList{QStringLiteral("/usr/bin")};
        } else if (change == QLatin1String("relative folders")) {
            env.configHome = QStringLiteral("config");
            env.configDirs = {QStringLiteral("config")};
            env.home = QStringLiteral("home"); // and no data home
            env.dataHome.clear();
        }

        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(xdg.path()));
        const QStringList found = platform::FindExecutable(
            xdg.path(QStringLiteral("doc/") + document), QStringLiteral("www.example.org/"), env);
        QDir::setCurrent(before);
        QCOMPARE(found.value(0),
                 expected.isEmpty() || expected.startsWith(u'/') ? expected : xdg.path(expected));
    }

    // What the game calls reads the desktop from the process's own variables: the list in
    // XDG_CONFIG_HOME, the entry in the second of XDG_DATA_DIRS, the program on PATH.
    void lookupReadsTheProcessEnvironment() {
        XdgFixture xdg;
        QVERIFY(xdg.isValid());
        QVERIFY(xdg.write(QStringLiteral("bin/browser-a"), "#!/bin/sh\n", 0755));
        QVERIFY(xdg.write(QStringLiteral("config/mimeapps.list"),
                          "[Default Applications]\ntext/html=a.desktop\n"));
        QVERIFY(xdg.write(QStringLiteral("share2/applications/a.desktop"),
                          "[Desktop Entry]\nType=Application\n" + execA));
        QVERIFY(xdg.write(QStringLiteral("doc/temphtm.HTM"), "\r\n"));
        const platform::XdgEnvironment env = xdg.environment();
        const std::pair<const char *, QString> variables[] = {
            {"HOME", env.home},
            {"XDG_CONFIG_HOME", env.configHome},
            {"XDG_CONFIG_DIRS", env.configDirs.join(u':')},
            {"XDG_DATA_HOME", env.dataHome},
            {"XDG_DATA_DIRS", env.dataDirs.join(u':')},
            {"XDG_CURRENT_DESKTOP", env.currentDesktops.join(u':')},
            {"PATH", env.path.join(u':')}};
        QList<QByteArray> before;
        for (const auto &[name, value] : variables) {
            before << qgetenv(name);
            qputenv(name, value.toLocal8Bit());
        }
        const QStringList command = platform::browserCommand(
            xdg.path(QStringLiteral("doc/temphtm.HTM")), QStringLiteral("www.example.org/"));
        for (qsizetype i = 0; i < before.size(); ++i)
            qputenv(variables[i].first, before[i]);
        QCOMPARE(command, QStringList({xdg.path(QStringLiteral("bin/browser-a")),
                                       QStringLiteral("www.example.org/")}));
    }

    void execCommandLine_data() {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QStringList>("command"); // empty: the entry is unusable
        const auto row = [](const char *name, const char *exec, const QStringList &command,
                            const char *icon = "") {
            QTest::newRow(name) << QString::fromUtf8(exec) << QString::fromLatin1(icon) << command;
        };
        const QString url = QStringLiteral("www.example.org/vexoro/");
        row("snap",
            "env "
            "BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop "
            "/snap/bin/firefox %u",
            {"env",
             "BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop",
             "/snap/bin/firefox", url});
        row("flatpak",
            "/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=firefox "
            "--file-forwarding org.mozilla.firefox @@u %u @@",
            {"/usr/bin/flatpak", "run", "--branch=stable", "--arch=x86_64", "--command=firefox",
             "--file-forwarding", "org.mozilla.firefox", "@@u", url, "@@"});
        row("quoted program with a blank", "\"/opt/my browser/run\" --new %u",
            {"/opt/my browser/run", "--new", url});
        row("escapes, then quoting", "\"/opt/q\\\\\"uote\" a\\sb %U",
            {"/opt/q\"uote", "a", "b", url});
        row("escaped backslash inside quotes", "\"/opt/back\\\\\\\\slash\" %u",
            {"/opt/back\\slash", url});
        row("backslash before a plain character inside quotes", "\"/opt/a\\\\b\" %u",
            {"/opt/a\\b", url});
        row("address inside a word", "browser --url=%f", {"browser", "--url=" + url});
        row("percent sign", "browser --zoom=100%% %u", {"browser", "--zoom=100%", url});
        row("icon and name", "browser %i --class %c %u",
            {"browser", "--icon", "web", "--class", "Web Browser", url}, "web");
        row("location, no address code", "browser --entry %k",
            {"browser", "--entry", "/apps/web.desktop", url});
        row("deprecated codes dropped", "browser %d %D %n %N %v %m %u", {"browser", url});
        row("no closing quote", "\"/opt/browser %u", {});
        row("backslash last inside quotes", "\"/opt/browser\\\\", {});
        row("unknown field code", "browser %z", {});
        row("no program", " %u", {});
    }
    void execCommandLine() {
        QFETCH(QString, exec);
        QFETCH(QString, icon);
        QFETCH(QStringList, command);
        const platform::DesktopEntryFields entry{icon, QStringLiteral("Web Browser"),
                                                 QStringLiteral("/apps/web.desktop")};
        QCOMPARE(platform::ExecCommandLine(exec, entry, QStringLiteral("www.example.org/vexoro/"))
                     .value_or(QStringList()),
                 command);
    }
};

QTEST_GUILESS_MAIN(TestBrowserLookup)
#include "tst_browser_lookup.moc"
