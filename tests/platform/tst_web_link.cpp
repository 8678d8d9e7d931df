// The web link: looking the browser up through the temporary document, starting it with the
// address, remembering it, and the messages when that fails. The browser is a script that
// records its arguments, registered for HTML in a desktop of its own.
#include "platform/browser_launch.h"
#include "platform/unprivileged_run.h"
#include "platform/web_link.h"
#include "platform/xdg_fixture.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

namespace {
const QString adresse = QStringLiteral("www.example.org/vexoro/");
const QByteArray ligneDocument = "\"<HTML> <\\HTML>\"\r\n";

QByteArray octets(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the fake browser records of one start: the entry's whole command line, one argument
// a line.
QByteArray lancement(const QString &address) {
    return "--new-window\n" + address.toUtf8() + '\n';
}

QStringList contenu(const QString &folder) {
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
        m_programme = std::make_unique<QTemporaryDir>();
        QVERIFY(m_xdg->isValid() && m_programme->isValid());
        platform::ForgetBrowserForTests();
        platform::setAppPathForTests(m_programme->path());
        platform::setXdgEnvironmentForTests(m_xdg->environment());
    }
    void cleanup() {
        platform::ForgetBrowserForTests();
        platform::setLookupHandler({});
        platform::setLaunchHandler({});
        platform::setXdgEnvironmentForTests(std::nullopt);
        m_programme.reset();
        m_xdg.reset();
        m_platform.reset();
    }

    void browserGetsTheAddressAsItsOneArgument_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("the program's page") << adresse;
        QTest::newRow("blanks and shell characters")
            << QStringLiteral("www.example.org/a b;$(touch injected)`touch injected`");
    }
    void browserGetsTheAddressAsItsOneArgument() {
        QFETCH(QString, address);
        QVERIFY(enregistrerNavigateur());

        platform::OuvrirPageWeb(address);
        QTRY_COMPARE(octets(record()), lancement(address));
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(contenu(m_programme->path()), QStringList()); // the document is gone
        QVERIFY(!QFileInfo::exists(m_xdg->path(QStringLiteral("injected"))));
    }

    void laterClickSkipsTheLookup() {
        QVERIFY(enregistrerNavigateur());
        int lookups = 0;
        QString seen;
        QByteArray bytes;
        platform::setLookupHandler([&](const QString &document, const QString &address) {
            ++lookups;
            seen = document;
            bytes = octets(document);
            return platform::FindExecutable(document, address, m_xdg->environment());
        });
        platform::OuvrirPageWeb(adresse);
        QTRY_COMPARE(octets(record()), lancement(adresse));
        // The document holds its one line during the lookup.
        QCOMPARE(seen, m_programme->filePath(QStringLiteral("temphtm.HTM")));
        QCOMPARE(bytes, ligneDocument);

        // Neither the registration nor a free name for the document is needed any more.
        QVERIFY(QFile::remove(m_xdg->path(QStringLiteral("config/mimeapps.list"))));
        QVERIFY(QDir().mkdir(m_programme->filePath(QStringLiteral("temphtm.HTM"))));
        platform::OuvrirPageWeb(adresse);
        QTRY_COMPARE(octets(record()), lancement(adresse) + lancement(adresse));
        QCOMPARE(lookups, 1);
        QVERIFY(m_platform->messages.isEmpty());
    }

    // A failed lookup used to show "Browser Not Found" twice in a row.
    void failedLookupWarnsOnce() {
        platform::OuvrirPageWeb(adresse);
        introuvable();
        QCOMPARE(contenu(m_programme->path()), QStringList());

        // Nothing is remembered: the next click looks again.
        QVERIFY(enregistrerNavigateur());
        platform::OuvrirPageWeb(adresse);
        QTRY_COMPARE(octets(record()), lancement(adresse));
        QCOMPARE(m_platform->messages.size(), 1);
    }

    // Found, but its interpreter is missing: the start itself fails.
    void browserThatCannotStart() {
        QVERIFY(
            m_xdg->write(QStringLiteral("bin/fake-browser"), "#!/nonexistent/interpreter\n", 0755));
        QVERIFY(enregistrerEntree());

        platform::OuvrirPageWeb(adresse);
        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].text, QStringLiteral("Web Page not Opened"));
        QCOMPARE(m_platform->messages[0].title, QStringLiteral("URL Failed"));
        QCOMPARE(m_platform->messages[0].style, int(platform::vbExclamation));
    }

    // The document was opened for output by its fixed name: a link planted under that name
    // made the program write through it, and the deletion removed whatever was there. A
    // plain file of the player's is a document that a run which died left behind.
    void plantedDocumentName_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("blocks");
        for (const char *kind : {"link", "dangling link", "folder", "file with a second name"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << true;
        if (::geteuid() == 0)
            QTest::newRow("another user's file") << QStringLiteral("other user") << true;
        QTest::newRow("left behind by a dead run") << QStringLiteral("file") << false;
    }
    void plantedDocumentName() {
        QFETCH(QString, kind);
        QFETCH(bool, blocks);
        QVERIFY(enregistrerNavigateur());
        const QString planted = m_programme->filePath(QStringLiteral("temphtm.HTM"));
        const QString target = m_xdg->path(QStringLiteral("victim"));
        const bool dangling = kind == QLatin1String("dangling link");
        if (!dangling)
            QVERIFY(m_xdg->write(QStringLiteral("victim"), "precious"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(planted));
        else if (kind == QLatin1String("file with a second name"))
            QCOMPARE(::link(QFile::encodeName(target).constData(),
                            QFile::encodeName(planted).constData()),
                     0);
        else if (kind == QLatin1String("file") || kind == QLatin1String("other user"))
            QVERIFY(QFile::copy(target, planted));
        else
            QVERIFY(QFile::link(target, planted));
        if (kind == QLatin1String("other user"))
            QCOMPARE(::chown(QFile::encodeName(planted).constData(), 65534, 65534), 0);

        platform::OuvrirPageWeb(adresse);
        if (!blocks) {
            QTRY_COMPARE(octets(record()), lancement(adresse));
            QCOMPARE(contenu(m_programme->path()), QStringList());
            return;
        }
        introuvable();
        if (kind == QLatin1String("folder"))
            QVERIFY(QFileInfo(planted).isDir());
        else if (!kind.contains(QLatin1String("link")))
            QCOMPARE(octets(planted), QByteArray("precious"));
        else
            QCOMPARE(QFileInfo(planted).symLinkTarget(), target);
        // Written through, a link would have created or changed its target.
        if (dangling)
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(octets(target), QByteArray("precious"));
    }

    // Where the program's folder cannot be written, the document goes to the configuration
    // folder; where that cannot be created either, no lookup is made.
    void readOnlyProgramFolder_data() {
        QTest::addColumn<bool>("configWritable");
        QTest::newRow("configuration folder") << true;
        QTest::newRow("no folder to write in") << false;
    }
    void readOnlyProgramFolder() {
        QFETCH(bool, configWritable);
        RUN_AS_UNPRIVILEGED_USER();
        QVERIFY(enregistrerNavigateur());
        unprivileged::DossierLectureSeule dossier;
        QVERIFY2(dossier.verrouiller(), "the folder cannot be made read-only");
        platform::setAppPathForTests(dossier.path());
        QTemporaryDir home;
        const unprivileged::VariableTemporaire config(
            "XDG_CONFIG_HOME",
            configWritable ? home.path() : dossier.filePath(QStringLiteral("config")));
        QString seen;
        platform::setLookupHandler([&](const QString &document, const QString &address) {
            seen = document;
            return platform::FindExecutable(document, address, m_xdg->environment());
        });

        platform::OuvrirPageWeb(adresse);
        if (!configWritable) {
            introuvable();
            QCOMPARE(seen, QString());
            return;
        }
        QTRY_COMPARE(octets(record()), lancement(adresse));
        QCOMPARE(seen, home.filePath(QStringLiteral("vexoro/temphtm.HTM")));
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(contenu(home.filePath(QStringLiteral("vexoro"))), QStringList());
    }

private:
    // The one message says no browser was found, none is kept and none has started.
    void introuvable() {
        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].text, QStringLiteral("Could not find associated Browser"));
        QCOMPARE(m_platform->messages[0].title, QStringLiteral("Browser Not Found"));
        QCOMPARE(m_platform->messages[0].style, int(platform::vbExclamation));
        QTest::qWait(200);
        QVERIFY(!QFileInfo::exists(record()));
    }
    QString navigateur() const { return m_xdg->path(QStringLiteral("bin/fake-browser")); }
    QString record() const { return m_xdg->path(QStringLiteral("record.txt")); }

    bool enregistrerEntree() const {
        return m_xdg->write(QStringLiteral("data/applications/fake.desktop"),
                            "[Desktop Entry]\nType=Application\nName=Browser\n"
                            "Exec=fake-browser --new-window %u\nMimeType=text/html;\n") &&
               m_xdg->write(QStringLiteral("config/mimeapps.list"),
                            "[Default Applications]\ntext/html=fake.desktop\n");
    }
    bool enregistrerNavigateur() const {
        return m_xdg->write(QStringLiteral("bin/fake-browser"),
                            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + QFile::encodeName(record()) +
                                "'\n",
                            0755) &&
               enregistrerEntree();
    }

    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<XdgFixture> m_xdg;
    std::unique_ptr<QTemporaryDir> m_programme;
};

QTEST_GUILESS_MAIN(TestWebLink)
#include "tst_web_link.moc"
