// Rewriting start.ini with the chosen language: exact bytes, one step from the old file to
// the new, nothing left behind.
#include "app/ini_file.h"
#include "app/ini_fixture.h"
#include "app/language_file.h"
#include "platform/unprivileged_run.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

namespace {
QByteArray lignes(int langue) {
    return "[LastOpen]\r\nLanguage=" + QByteArray::number(langue) + "\r\n";
}

QStringList contenu(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

bool vieillir(const QString &path, int seconds) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                            QFileDevice::FileModificationTime);
}
} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void writesExactlyTheTwoLines_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<int>("langue");
        QTest::newRow("no file, Italian") << QByteArray() << 4;
        QTest::newRow("English over French") << lignes(2) << 1;
        QTest::newRow("other lines are gone")
            << QByteArray("[Other]\r\nKey=1\r\n[LastOpen]\r\nLanguage=2\r\nExtra=x\r\n") << 5;
        QTest::newRow("long file without line ends") << QByteArray(100000, 'x') << 3;
    }
    void writesExactlyTheTwoLines() {
        QFETCH(QByteArray, before);
        QFETCH(int, langue);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        if (!before.isNull())
            writeFixture(dir, before);

        QVERIFY(modGrille::EcrireLangue(ini, float(langue)));
        QCOMPARE(fileBytes(ini), lignes(langue));
        QCOMPARE(contenu(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    // Deleting the old file before writing the new one left a moment, and after a crash or a
    // failed write for good, with no setting at all.
    void readerNeverSeesAMissingOrPartialFile() {
        QTemporaryDir dir;
        const QString ini = writeFixture(dir, lignes(1));
        std::atomic<bool> fini{false};
        std::atomic<int> lectures{0};
        std::atomic<int> mauvaises{0};
        std::thread lecteur([&] {
            while (!fini) {
                const QByteArray bytes = fileBytes(ini);
                if (bytes != lignes(1) && bytes != lignes(2))
                    ++mauvaises;
                ++lectures;
            }
        });
        bool ecrit = true;
        for (int i = 0; i < 300 && ecrit; ++i)
            ecrit = modGrille::EcrireLangue(ini, float(2 - i % 2));
        fini = true;
        lecteur.join();
        QVERIFY(ecrit);
        QVERIFY(lectures > 0);
        QCOMPARE(mauvaises.load(), 0);
    }

    // A retry used to append the whole line again after part of it had been written, and
    // the file "[LastO[LastOpen]" was put in place.
    void writeThatFailsPartWay_data() {
        QTest::addColumn<int>("failures");
        QTest::newRow("once: written again from the start") << 1;
        QTest::newRow("every time: old file kept") << 1000;
    }
    void writeThatFailsPartWay() {
        QFETCH(int, failures);
        QTemporaryDir dir;
        const QString ini = writeFixture(dir, lignes(2));
        int writes = 0;
        modGrille::AppendSeam::replace([&](QFile &file, const QByteArray &bytes) {
            if (++writes > failures)
                return file.write(bytes) == bytes.size();
            file.write(bytes.left(5));
            return false;
        });
        const bool written = modGrille::EcrireLangue(ini, 3.0f);
        modGrille::AppendSeam::replace({});
        QCOMPARE(written, failures == 1);
        QCOMPARE(fileBytes(ini), lignes(written ? 3 : 2));
        QCOMPARE(contenu(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    void failedRenameKeepsTheOldFileAndLeavesNothing() {
        // A folder in the file's place cannot be replaced by a file.
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(QDir().mkdir(ini));
        writeFixture(dir, "", QStringLiteral("start.ini/keep"));

        QVERIFY(!modGrille::EcrireLangue(ini, 2.0f));
        QVERIFY(QFileInfo(ini).isDir());
        QVERIFY(QFileInfo::exists(ini + QStringLiteral("/keep")));
        QCOMPARE(contenu(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    void readOnlyFolderKeepsTheOldFile() {
        RUN_AS_UNPRIVILEGED_USER();
        unprivileged::DossierLectureSeule dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lignes(2)) == lignes(2).size());
        file.close();
        QVERIFY2(dir.verrouiller(), "the folder cannot be made read-only");

        QVERIFY(!modGrille::EcrireLangue(ini, 4.0f));
        QCOMPARE(fileBytes(ini), lignes(2));
        QCOMPARE(contenu(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    void symbolicLinkIsReplacedNotWrittenThrough() {
        QTemporaryDir dir;
        const QString target = writeFixture(dir, "not a setting", QStringLiteral("target"));
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(QFile::link(target, ini));

        QVERIFY(modGrille::EcrireLangue(ini, 3.0f));
        QCOMPARE(fileBytes(target), QByteArray("not a setting"));
        QVERIFY(!QFileInfo(ini).isSymLink());
        QCOMPARE(fileBytes(ini), lignes(3));
    }

    void leftoversOfAnInterruptedRewrite_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("age"); // seconds
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("removed");
        const int vieux = modGrille::AgeProvisoireAbandonne + 60;
        const QString vivant = QString::number(QCoreApplication::applicationPid());
        // A process that has ended: its files are abandoned whatever their age.
        QProcess fini;
        fini.start(QStringLiteral("true"), {});
        QVERIFY(fini.waitForFinished());
        const QString mort = QString::number(fini.processId() ? fini.processId() : 999999);
        const auto row = [](const char *tag, const QString &name, int age, bool removed,
                            bool link = false) {
            QTest::newRow(tag) << name << age << link << removed;
        };
        row("writer ended", "start.ini." + mort + "-Ab3xY9.tmp", 0, true);
        row("old, writer running", "start.ini." + vivant + "-Ab3xY9.tmp", vieux, true);
        row("being written by another copy", "start.ini." + vivant + "-Ab3xY9.tmp", 0, false);
        row("five characters", "start.ini." + mort + "-Ab3xY.tmp", vieux, false);
        row("not a letter", "start.ini." + mort + "-Ab3.Y9.tmp", vieux, false);
        row("no process number", "start.ini.Ab3xY9.tmp", vieux, false);
        row("another file's", "other.ini." + mort + "-Ab3xY9.tmp", vieux, false);
        row("backup", "start.ini.bak", vieux, false);
        row("link to an old file", "start.ini." + mort + "-Ab3xY9.tmp", vieux, false, true);
    }
    void leftoversOfAnInterruptedRewrite() {
        QFETCH(QString, name);
        QFETCH(int, age);
        QFETCH(bool, link);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QString file = writeFixture(dir, "kept", link ? QStringLiteral("target") : name);
        QVERIFY(vieillir(file, age));
        if (link)
            QVERIFY(QFile::link(file, path));

        QVERIFY(modGrille::EcrireLangue(dir.filePath(QStringLiteral("start.ini")), 1.0f));
        QCOMPARE(QFileInfo(path).isSymLink() || QFileInfo(path).isFile(), !removed);
        QCOMPARE(fileBytes(file), removed ? QByteArray() : QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_language_file.moc"
