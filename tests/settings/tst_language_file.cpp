// The settings file that remembers the language: the number start-up reads from it, and
// its rewrite, exact in its bytes and in one step from the old file to the new.
#include "file_bytes.h"
#include "settings/ini_file.h"
#include "settings/language_file.h"
#include "settings/startup_language.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using settings::startupLanguage;
using settings::writeLanguageFile;

namespace {
QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}
} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void startupLanguage_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<float>("expected");
        const auto row = [](const char *name, const char *line, float expected) {
            QTest::newRow(name) << "[LastOpen]\r\n" + QByteArray(line) + "\r\n" << expected;
        };
        row("French", "Language=2", 2);
        row("leading space", "Language= 3", 3);
        row("plus sign and zero fraction", "Language=+5.0", 5);
        row("letters", "Language=abc", 0);
        // A number outside 1..5 used to become the language and left every caption empty.
        row("7", "Language=7", 0);
        row("2.5", "Language=2.5", 0);
        QTest::newRow("no [LastOpen] section") << QByteArray("[Other]\r\nLanguage=2\r\n") << 0.0f;
        QTest::newRow("no file") << QByteArray() << 0.0f;
    }
    void startupLanguage() {
        QFETCH(QByteArray, content);
        QFETCH(float, expected);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        if (!content.isNull())
            QVERIFY(writeBytes(ini, content));
        QCOMPARE(settings::startupLanguage(ini), expected);
    }

    void writesExactlyTheTwoLines_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<int>("language");
        QTest::newRow("no file, Italian") << QByteArray() << 4;
        QTest::newRow("no folder yet: made") << QByteArray("no folder") << 1;
        QTest::newRow("other lines are gone")
            << QByteArray("[Other]\r\nKey=1\r\n[LastOpen]\r\nLanguage=2\r\nExtra=x\r\n") << 5;
#ifndef Q_OS_WIN
        QTest::newRow("a link is replaced, not written through") << QByteArray("link") << 3;
        // Some launchers start programs without it: the files opened get descriptor 0.
        QTest::newRow("standard input closed") << QByteArray("no stdin") << 2;
#endif
    }
    void writesExactlyTheTwoLines() {
        QFETCH(QByteArray, before);
        QFETCH(int, language);
        QTemporaryDir dir;
        const QString ini =
            dir.filePath(before == "no folder" ? "player/vexoro/start.ini" : "start.ini");
        const QString target = dir.filePath(QStringLiteral("target"));
        if (before == "link")
            QVERIFY(writeBytes(target, "kept") && QFile::link(target, ini));
        else if (!before.isNull() && !before.startsWith("no "))
            QVERIFY(writeBytes(ini, before));
#ifndef Q_OS_WIN
        const int input = before == "no stdin" ? ::dup(0) : -1;
        if (input >= 0)
            ::close(0);
#endif
        const bool written = writeLanguageFile(ini, float(language));
#ifndef Q_OS_WIN
        if (input >= 0) {
            // Descriptor 0 is free again unless the write left a file open.
            const int next = ::dup(2);
            ::close(next);
            ::dup2(input, 0);
            ::close(input);
            QCOMPARE(next, 0);
        }
#endif
        QVERIFY(written);
        QCOMPARE(fileBytes(ini), languageLines(language));
        QVERIFY(!QFileInfo(ini).isSymLink());
        QCOMPARE(fileBytes(target), before == "link" ? QByteArray("kept") : QByteArray());
    }

    // A retry used to append the whole line again after part of it had been written, and
    // the file "[LastO[LastOpen]" was put in place.
    void writeThatFailsPartWay_data() {
        QTest::addColumn<int>("failures");
        QTest::newRow("once: written again from the start") << 1;
        QTest::newRow("twice: the append retried, then a fresh file") << 2;
        QTest::newRow("every time: old file kept") << 1000;
    }
    void writeThatFailsPartWay() {
        QFETCH(int, failures);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(writeBytes(ini, languageLines(2)));
        int writes = 0;
        settings::AppendSeam::replace([&](QFile &file, const QByteArray &bytes) {
            if (++writes > failures)
                return file.write(bytes) == bytes.size();
            file.write(bytes.left(5));
            return false;
        });
        const bool written = writeLanguageFile(ini, 3.0f);
        settings::AppendSeam::replace({});
        QCOMPARE(written, failures <= 2);
        QCOMPARE(fileBytes(ini), languageLines(written ? 3 : 2));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    // A folder in the file's place cannot be replaced by a file.
    void failureKeepsTheOldFileAndLeavesNothing() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(QDir().mkdir(ini));
        QVERIFY(!writeLanguageFile(ini, 4.0f));
        QVERIFY(QFileInfo(ini).isDir());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("start.ini")});
    }

    void leftoversOfAnInterruptedRewrite_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("age"); // seconds
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("removed");
        const int old = settings::AbandonedTempAge + 60;
        const QString running = QString::number(QCoreApplication::applicationPid());
        // A child that has ended and been reaped: its files are abandoned whatever their age.
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
        QVERIFY(child.waitForStarted());
        const QString ended = QString::number(child.processId());
        QVERIFY(child.waitForFinished());
        const auto row = [](const char *tag, const QString &name, int age, bool removed,
                            bool link = false) {
            QTest::newRow(tag) << name << age << link << removed;
        };
        row("writer ended", "start.ini." + ended + "-Ab3xY9.tmp", 0, true);
        row("old, writer running", "start.ini." + running + "-Ab3xY9.tmp", old, true);
        row("being written by another copy", "start.ini." + running + "-Ab3xY9.tmp", 0, false);
        row("process number 0: not one of ours", "start.ini.0-Ab3xY9.tmp", old, false);
        row("five random characters: not ours", "start.ini." + ended + "-Ab3xY.tmp", old, false);
#ifndef Q_OS_WIN // a link there is a shortcut file
        row("link to an old file", "start.ini." + ended + "-Ab3xY9.tmp", old, false, true);
#endif
    }
    void leftoversOfAnInterruptedRewrite() {
        QFETCH(QString, name);
        QFETCH(int, age);
        QFETCH(bool, link);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QString file = link ? dir.filePath(QStringLiteral("target")) : path;
        QVERIFY(writeBytes(file, "kept"));
        QFile aged(file);
        QVERIFY(aged.open(QIODevice::ReadWrite) &&
                aged.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                 QFileDevice::FileModificationTime));
        aged.close(); // Windows removes no file that is open
        if (link)
            QVERIFY(QFile::link(file, path));
        QVERIFY(writeLanguageFile(dir.filePath(QStringLiteral("start.ini")), 1.0f));
        QCOMPARE(QFileInfo(path).isSymLink() || QFileInfo(path).isFile(), !removed);
        QCOMPARE(fileBytes(file), removed ? QByteArray() : QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_language_file.moc"
