// The web link: looking the browser up through the temporary document, starting the entry's
// whole command line with the address, remembering it, and the messages when that fails. The
// browser is a script that records its arguments, registered for HTML in a desktop of its own.
#include "platform/browser_launch.h"
#include "platform/program_folder.h"
#include "platform/web_link.h"
#include "platform/xdg_fixture.h"
#include "support/test_platform.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {
const QString address = QStringLiteral("www.example.org/vexoro/");

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the fake browser records of one start, one argument a line.
QByteArray started(const QString &page) {
    return "--new-window\n" + page.toUtf8() + '\n';
}

QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}
} // namespace

class TestWebLink : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_platform = std::make_unique<TestPlatform>();
        m_xdg = std::make_unique<XdgFixture>();
        m_link = std::make_unique<platform::WebLink>();
        QVERIFY(m_xdg->isValid() && m_platform->folder.isValid());
        platform::XdgSeam::replace([this] { return m_xdg->environment(); });
    }
    void cleanup() {
        platform::LookupSeam::replace({});
        platform::XdgSeam::replace({});
        m_link.reset();
        m_xdg.reset();
        m_platform.reset();
    }

    void browserGetsTheWholeCommandLine_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("the program's page") << address;
        QTest::newRow("blanks and shell characters")
            << QStringLiteral("www.example.org/a b;$(touch injected)`touch injected`");
    }
    void browserGetsTheWholeCommandLine() {
        QFETCH(QString, page);
        QVERIFY(registerBrowser());
        m_link->open(page);
        QTRY_COMPARE(bytesOf(record()), started(page));
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(entries(m_platform->folder.path()), QStringList()); // the document is gone
        QVERIFY(!QFileInfo::exists(m_xdg->path(QStringLiteral("injected"))));
    }

    void laterClickSkipsTheLookup() {
        QVERIFY(registerBrowser());
        int lookups = 0;
        QString seen;
        QByteArray bytes;
        platform::LookupSeam::replace([&](const QString &document, const QString &page) {
            ++lookups;
            seen = document;
            bytes = bytesOf(document);
            return platform::FindExecutable(document, page, m_xdg->environment());
        });
        m_link->open(address);
        QTRY_COMPARE(bytesOf(record()), started(address));
        // The document holds its one line during the lookup.
        QCOMPARE(seen, m_platform->folder.filePath(QStringLiteral("temphtm.HTM")));
        QCOMPARE(bytes, QByteArray("\"<HTML> <\\HTML>\"\r\n"));
        // Neither the registration nor a free name for the document is needed any more.
        QVERIFY(QFile::remove(m_xdg->path(QStringLiteral("config/mimeapps.list"))));
        QVERIFY(QDir().mkdir(m_platform->folder.filePath(QStringLiteral("temphtm.HTM"))));
        const QString other = QStringLiteral("www.example.org/other");
        m_link->open(other); // the browser kept opens the address it is given
        QTRY_COMPARE(bytesOf(record()), started(address) + started(other));
        QCOMPARE(lookups, 1);
        QVERIFY(m_platform->messages.isEmpty());
        // The browser kept is gone: it cannot start, and the player is told.
        QVERIFY(QFile::remove(m_xdg->path(QStringLiteral("bin/fake-browser"))));
        m_link->open(address);
        QCOMPARE(m_platform->texts(), QStringList{QStringLiteral("Web Page not Opened")});
    }

    // A failed lookup used to show "Browser Not Found" twice in a row; nothing is kept, so
    // the next click looks again.
    void failedLookupWarnsOnce() {
        m_link->open(address);
        notFound();
        QCOMPARE(entries(m_platform->folder.path()), QStringList());
        QVERIFY(registerBrowser());
        m_link->open(address);
        QTRY_COMPARE(bytesOf(record()), started(address));
        QCOMPARE(m_platform->messages.size(), 1);
    }

    // Beside a program the player may not write to, the document goes to the player's
    // settings folder; a click used to leave that folder behind, made for nothing.
    void readOnlyProgramLeavesNoFolder() {
        QVERIFY(registerBrowser());
        const QString config = m_xdg->path(QStringLiteral("player"));
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", before); });
        platform::ProgramFolderSeam::replace(
            [this] { return m_xdg->path(QStringLiteral("no such folder")); });
        QString seen;
        platform::LookupSeam::replace([&](const QString &document, const QString &page) {
            seen = QFileInfo::exists(document) ? document : QString();
            return platform::FindExecutable(document, page, m_xdg->environment());
        });
        m_link->open(address);
        QCOMPARE(seen, config + QStringLiteral("/vexoro/temphtm.HTM"));
        QTRY_COMPARE(bytesOf(record()), started(address));
        QVERIFY(m_platform->messages.isEmpty());
        QVERIFY(!QFileInfo::exists(config));
        // The language is kept there too, and read from there once it is.
        const QString own = config + QStringLiteral("/vexoro/start.ini");
        QCOMPARE(platform::settingsWritePath(QStringLiteral("start.ini")), own);
        QVERIFY(QDir().mkpath(config + QStringLiteral("/vexoro")) &&
                QFile(own).open(QIODevice::WriteOnly));
        QCOMPARE(platform::settingsReadPath(QStringLiteral("start.ini")), own);
    }

    // A file put in the document's place during the lookup is someone else's: it stays.
    void documentReplacedDuringTheLookupStays() {
        QVERIFY(registerBrowser());
        platform::LookupSeam::replace([&](const QString &document, const QString &page) {
            // Written beside it first, so that it is a file of its own, then put in its place.
            QFile other(document + QStringLiteral(".new"));
            if (other.open(QIODevice::WriteOnly) && other.write("other") == 5 && other.flush())
                ::rename(QFile::encodeName(other.fileName()).constData(),
                         QFile::encodeName(document).constData());
            return platform::FindExecutable(document, page, m_xdg->environment());
        });
        m_link->open(address);
        QCOMPARE(bytesOf(m_platform->folder.filePath(QStringLiteral("temphtm.HTM"))), "other");
    }

    // The document used to be opened for output by its fixed name: a link planted there was
    // written through and the deletion removed whatever was there. A plain file of the
    // player's is a document that a run which died left behind, and used to block every click.
    void plantedDocumentName_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("blocks");
        for (const char *kind : {"link", "dangling link", "folder", "file with a second name"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << true;
        if (::geteuid() == 0)
            QTest::newRow("another user's file") << QStringLiteral("other user's") << true;
        QTest::newRow("left behind by a dead run") << QStringLiteral("file") << false;
    }
    void plantedDocumentName() {
        QFETCH(QString, kind);
        QFETCH(bool, blocks);
        QVERIFY(registerBrowser());
        const QString planted = m_platform->folder.filePath(QStringLiteral("temphtm.HTM"));
        const QString target = m_xdg->path(QStringLiteral("victim"));
        const QByteArray plantedName = QFile::encodeName(planted);
        if (kind != QLatin1String("dangling link"))
            QVERIFY(m_xdg->write(QStringLiteral("victim"), "precious"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(planted));
        else if (kind.endsWith(QLatin1String("link")))
            QVERIFY(QFile::link(target, planted));
        else if (kind == QLatin1String("file with a second name"))
            QCOMPARE(::link(QFile::encodeName(target).constData(), plantedName.constData()), 0);
        else
            QVERIFY(QFile::copy(target, planted));
        if (kind == QLatin1String("other user's"))
            QCOMPARE(::chown(plantedName.constData(), 65534, 65534), 0);

        m_link->open(address);
        if (!blocks) {
            QTRY_COMPARE(bytesOf(record()), started(address));
            QCOMPARE(entries(m_platform->folder.path()), QStringList());
            return;
        }
        notFound();
        QVERIFY(QFileInfo(planted).isSymLink() || QFileInfo(planted).exists());
        if (kind == QLatin1String("dangling link"))
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(bytesOf(target), QByteArray("precious"));
    }

private:
    // The one message says no browser was found, and none has started.
    void notFound() {
        QCOMPARE(m_platform->texts(),
                 QStringList{QStringLiteral("Could not find associated Browser")});
        QCOMPARE(m_platform->messages[0].title, QStringLiteral("Browser Not Found"));
        QCOMPARE(m_platform->messages[0].style, int(platform::Exclamation));
        QVERIFY(!QFileInfo::exists(record()));
    }
    QString record() const { return m_xdg->path(QStringLiteral("record.txt")); }
    bool registerBrowser() const {
        return m_xdg->write(QStringLiteral("data/applications/fake.desktop"),
                            "[Desktop Entry]\nType=Application\nName=Browser\n"
                            "Exec=fake-browser --new-window %u\nMimeType=text/html;\n") &&
               m_xdg->write(QStringLiteral("config/mimeapps.list"),
                            "[Default Applications]\ntext/html=fake.desktop\n") &&
               m_xdg->write(QStringLiteral("bin/fake-browser"),
                            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + QFile::encodeName(record()) +
                                "'\n",
                            0755);
    }

    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<XdgFixture> m_xdg;
    std::unique_ptr<platform::WebLink> m_link;
};

QTEST_GUILESS_MAIN(TestWebLink)
#include "tst_web_link.moc"
