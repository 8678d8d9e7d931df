// Finding the program the desktop opens an HTML document with, by the freedesktop rules, in a
// desktop of its own inside a temporary folder.
#include "platform/browser_lookup.h"
#include "platform/xdg_fixture.h"

#include <QDir>
#include <QTest>

namespace {
// Desktop entries for the two browsers of the fixture, with and without the HTML type.
const QByteArray entreeA = "[Desktop Entry]\nType=Application\nExec=browser-a %u\n";
const QByteArray entreeB = "[Desktop Entry]\nType=Application\nExec=browser-b %u\n";
const QByteArray html = "MimeType=text/html;\n";

QString fichier(const char *path, const QByteArray &content) {
    return QLatin1String(path) + u'|' + QString::fromUtf8(content);
}

QString defaut(const char *ids) {
    return QStringLiteral("[Default Applications]\ntext/html=%1\n").arg(QLatin1String(ids));
}
} // namespace

class TestBrowserLookup : public QObject {
    Q_OBJECT
private slots:
    void findsTheAssociatedProgram_data() {
        QTest::addColumn<QStringList>("files"); // "relative path|content"
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("expected"); // relative to the fixture; empty: none

        const QString a = QStringLiteral("bin/browser-a");
        const QString b = QStringLiteral("bin/browser-b");
        const QString doc = QStringLiteral("temphtm.HTM");
        const auto list = [](const char *path, const QString &text) {
            return fichier(path, text.toUtf8());
        };

        QTest::newRow("nothing registered") << QStringList{} << doc << QString();
        QTest::newRow("default in the user's list")
            << QStringList{list("config/mimeapps.list", defaut("a.desktop")),
                           fichier("share1/applications/a.desktop", entreeA)}
            << doc << a;
        QTest::newRow("user's list before the system's")
            << QStringList{list("config/mimeapps.list", defaut("a.desktop")),
                           list("etc/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/a.desktop", entreeA),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << a;
        QTest::newRow("system list")
            << QStringList{list("etc/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("list in the user's data")
            << QStringList{list("data/applications/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("list in the second data folder")
            << QStringList{list("share2/applications/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("desktop-specific list first")
            << QStringList{list("config/testde-mimeapps.list", defaut("b.desktop")),
                           list("config/mimeapps.list", defaut("a.desktop")),
                           fichier("share1/applications/a.desktop", entreeA),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("desktop-specific list adds nothing")
            << QStringList{list("config/testde-mimeapps.list",
                                QStringLiteral("[Added Associations]\ntext/html=b.desktop\n")),
                           fichier("share1/applications/a.desktop", entreeA + html),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << a;
        QTest::newRow("uninstalled default skipped")
            << QStringList{list("config/mimeapps.list", defaut("gone.desktop;b.desktop;")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("unusable default, next list")
            << QStringList{list("config/mimeapps.list", defaut("c.desktop")),
                           list("etc/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nExec=notexec\n"),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("added association")
            << QStringList{list("config/mimeapps.list",
                                QStringLiteral("[Added Associations]\ntext/html=b.desktop;\n")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("defaults before added associations")
            << QStringList{list("config/mimeapps.list",
                                QStringLiteral("[Added Associations]\ntext/html=a.desktop;\n")),
                           list("etc/mimeapps.list", defaut("b.desktop")),
                           fichier("share1/applications/a.desktop", entreeA),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << b;
        QTest::newRow("removal hides a lower list's addition")
            << QStringList{list("config/mimeapps.list",
                                QStringLiteral("[Removed Associations]\ntext/html=b.desktop;\n")),
                           list("etc/mimeapps.list",
                                QStringLiteral("[Added Associations]\ntext/html=b.desktop;\n")),
                           fichier("share1/applications/b.desktop", entreeB)}
            << doc << QString();
        QTest::newRow("removal hides a desktop entry")
            << QStringList{list("config/mimeapps.list",
                                QStringLiteral("[Removed Associations]\ntext/html=a.desktop;\n")),
                           fichier("share1/applications/a.desktop", entreeA + html),
                           fichier("share2/applications/b.desktop", entreeB + html)}
            << doc << b;
        QTest::newRow("desktop entry listing the type")
            << QStringList{fichier("share1/applications/b.desktop",
                                   entreeB + "MimeType=text/plain;text/html;\n")}
            << doc << b;
        QTest::newRow("entries of the user's data first")
            << QStringList{fichier("data/applications/b.desktop", entreeB + html),
                           fichier("share1/applications/a.desktop", entreeA + html)}
            << doc << b;
        QTest::newRow("entries of one folder by name")
            << QStringList{fichier("share1/applications/b.desktop", entreeB + html),
                           fichier("share1/applications/a.desktop", entreeA + html)}
            << doc << a;
        QTest::newRow("hidden entry shadows the same name")
            << QStringList{fichier("data/applications/a.desktop", entreeA + html + "Hidden=true\n"),
                           fichier("share1/applications/a.desktop", entreeA + html)}
            << doc << QString();
        QTest::newRow("type in the list ignores case")
            << QStringList{fichier("config/mimeapps.list",
                                   "[Default Applications]\nText/HTML=a.desktop\n"),
                           fichier("share1/applications/a.desktop", entreeA)}
            << doc << a;
        QTest::newRow("type in the entry ignores case")
            << QStringList{fichier("share1/applications/a.desktop",
                                   entreeA + "MimeType=TEXT/Html\n")}
            << doc << a;
        QTest::newRow("quoted program with a blank")
            << QStringList{fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nMimeType=text/html;\n"
                                   "Exec=\"@ROOT@/my apps/browser c\" --new %u\n")}
            << doc << QStringLiteral("my apps/browser c");
        QTest::newRow("absolute program")
            << QStringList{fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nMimeType=text/html;\n"
                                   "Exec=@ROOT@/bin/browser-b\n")}
            << doc << b;
        QTest::newRow("program not executable")
            << QStringList{fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nMimeType=text/html;\n"
                                   "Exec=notexec %u\n")}
            << doc << QString();
        QTest::newRow("program missing")
            << QStringList{fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nMimeType=text/html;\n"
                                   "Exec=nowhere %u\n")}
            << doc << QString();
        QTest::newRow("relative program with a folder")
            << QStringList{fichier("share1/applications/c.desktop",
                                   "[Desktop Entry]\nType=Application\nMimeType=text/html;\n"
                                   "Exec=bin/browser-a\n")}
            << doc << QString();
        QTest::newRow("program of TryExec missing")
            << QStringList{fichier("share1/applications/a.desktop",
                                   entreeA + html + "TryExec=nowhere\n")}
            << doc << QString();
        QTest::newRow("program of TryExec present")
            << QStringList{fichier("share1/applications/a.desktop",
                                   entreeA + html + "TryExec=browser-b\n")}
            << doc << a;
        QTest::newRow("not an application")
            << QStringList{fichier("share1/applications/a.desktop",
                                   "[Desktop Entry]\nType=Link\nExec=browser-a\n" + html)}
            << doc << QString();
        QTest::newRow("entry in a subfolder")
            << QStringList{list("config/mimeapps.list", defaut("vendor-web.desktop")),
                           fichier("share1/applications/vendor/web.desktop", entreeB)}
            << doc << b;
        QTest::newRow("comments, blanks and spaces")
            << QStringList{fichier("config/mimeapps.list",
                                   "# chosen by hand\n\n[Default Applications]\n"
                                   "  text/html = a.desktop ; \n"),
                           fichier("share1/applications/a.desktop", entreeA)}
            << doc << a;
        QTest::newRow("Exec of another group")
            << QStringList{fichier("share1/applications/a.desktop",
                                   "[Desktop Action new]\nExec=browser-b\n[Desktop Entry]\n"
                                   "Type=Application\nExec=browser-a %u\n" +
                                       html)}
            << doc << a;
        QTest::newRow("lower-case html document")
            << QStringList{fichier("share1/applications/a.desktop", entreeA + html)}
            << QStringLiteral("page.html") << a;
        QTest::newRow("text document")
            << QStringList{fichier("share1/applications/a.desktop", entreeA + html)}
            << QStringLiteral("readme.txt") << QString();
    }
    void findsTheAssociatedProgram() {
        QFETCH(QStringList, files);
        QFETCH(QString, document);
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
        QVERIFY(xdg.write(QStringLiteral("doc/") + document, "\"<HTML> <\\HTML>\"\r\n"));

        const QString found = platform::FindExecutable(xdg.path(QStringLiteral("doc/") + document),
                                                       xdg.environment());
        QCOMPARE(found, expected.isEmpty() ? QString() : xdg.path(expected));
    }

    void missingDocumentFindsNothing() {
        XdgFixture xdg;
        QVERIFY(xdg.write(QStringLiteral("bin/browser-a"), "#!/bin/sh\n", 0755));
        QVERIFY(xdg.write(QStringLiteral("share1/applications/a.desktop"), entreeA + html));
        const QString document = xdg.path(QStringLiteral("temphtm.HTM"));
        QCOMPARE(platform::FindExecutable(document, xdg.environment()), QString());
        QVERIFY(xdg.write(QStringLiteral("temphtm.HTM"), ""));
        QCOMPARE(platform::FindExecutable(document, xdg.environment()),
                 xdg.path(QStringLiteral("bin/browser-a")));
    }

    void emptyFoldersFollowHome() {
        XdgFixture xdg;
        QVERIFY(xdg.write(QStringLiteral("bin/browser-b"), "#!/bin/sh\n", 0755));
        QVERIFY(
            xdg.write(QStringLiteral("home/.config/mimeapps.list"), defaut("b.desktop").toUtf8()));
        QVERIFY(xdg.write(QStringLiteral("home/.local/share/applications/b.desktop"), entreeB));
        QVERIFY(xdg.write(QStringLiteral("temphtm.HTM"), ""));
        platform::XdgEnvironment env = xdg.environment();
        env.configHome.clear();
        env.dataHome.clear();
        QCOMPARE(platform::FindExecutable(xdg.path(QStringLiteral("temphtm.HTM")), env),
                 xdg.path(QStringLiteral("bin/browser-b")));
    }

    void relativeFoldersAreIgnored() {
        XdgFixture xdg;
        QVERIFY(xdg.write(QStringLiteral("bin/browser-a"), "#!/bin/sh\n", 0755));
        QVERIFY(xdg.write(QStringLiteral("bin/browser-b"), "#!/bin/sh\n", 0755));
        QVERIFY(xdg.write(QStringLiteral("config/mimeapps.list"), defaut("a.desktop").toUtf8()));
        QVERIFY(xdg.write(QStringLiteral("share1/applications/a.desktop"), entreeA));
        QVERIFY(xdg.write(QStringLiteral("share1/applications/b.desktop"), entreeB + html));
        QVERIFY(xdg.write(QStringLiteral("temphtm.HTM"), ""));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(xdg.path()));
        platform::XdgEnvironment env = xdg.environment();
        env.configHome = QStringLiteral("config");
        env.configDirs = {QStringLiteral("config")};
        const QString found =
            platform::FindExecutable(xdg.path(QStringLiteral("temphtm.HTM")), env);
        QDir::setCurrent(before);
        QCOMPARE(found, xdg.path(QStringLiteral("bin/browser-b")));
    }

    void execProgram_data() {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program");
        QTest::newRow("name and field code") << "firefox %u"
                                             << "firefox";
        QTest::newRow("leading blanks") << "  \tfirefox"
                                        << "firefox";
        QTest::newRow("quoted with a blank") << "\"/opt/my browser/run\" --new %u"
                                             << "/opt/my browser/run";
        QTest::newRow("escaped quote inside quotes") << "\"/opt/q\\\\\"uote\" %u"
                                                     << "/opt/q\"uote";
        QTest::newRow("escaped backslash inside quotes") << "\"/opt/a\\\\\\\\b\""
                                                         << "/opt/a\\b";
        QTest::newRow("escaped blank ends the word") << "my\\sbrowser %u"
                                                     << "my";
        QTest::newRow("no closing quote") << "\"/opt/browser %u"
                                          << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void execProgram() {
        QFETCH(QString, exec);
        QFETCH(QString, program);
        QCOMPARE(platform::ExecProgram(exec), program);
    }
};

QTEST_GUILESS_MAIN(TestBrowserLookup)
#include "tst_browser_lookup.moc"
