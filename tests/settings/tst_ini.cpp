// The settings-file routines, byte for byte: which line LireIni finds and what it returns,
// and what EcrireIni appends.
#include "file_bytes.h"
#include "settings/ini_file.h"

#include <QDir>

#include <QTemporaryDir>
#include <QTest>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using settings::EcrireIni;
using settings::LireIni;

namespace {
QByteArray filler(int lines) {
    return QByteArray("x\r\n").repeated(lines);
}
int openFileCount() {
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}
} // namespace

class TestIni : public QObject {
    Q_OBJECT
private slots:
    void lireIni_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("compareLength");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &content, const QString &expected,
                            int length = 0, const char *key = "Language") {
            QTest::newRow(name) << content << QString::fromLatin1(key) << length << expected;
        };
        row("CR LF", "[LastOpen]\r\nLanguage=3\r\n", "3");
        row("LF only joins the lines", "[LastOpen]\nLanguage=3\n", "");
        row("lone LF stays in the value", "[LastOpen]\r\nLanguage=3\nx\r\n", "3\nx");
        row("no final line end", "[LastOpen]\r\nLanguage=3", "3");
        row("CR LF across the 64 KiB buffer",
            QByteArray(65535, 'x') + "\r\n[LastOpen]\r\nLanguage=3", "3");
        const QByteArray longValue = QByteArray(65515, 'x') + '3'; // its 3 is byte 65,537
        row("last byte alone past the 64 KiB buffer", "[LastOpen]\r\nLanguage=" + longValue,
            QString::fromLatin1(longValue));
        row("bytes read as Latin-1", "[LastOpen]\r\nLanguage=\xe9\xff",
            QStringLiteral(u"\u00e9\u00ff"));
        row("NUL byte kept", QByteArray("[LastOpen]\r\nLanguage=a\0b", 24),
            QString::fromLatin1("a\0b", 3));
        row("header in lower case", "[lastopen]\r\nLanguage=3\r\n", "");
        row("header with a tail", "[LastOpen]x\r\nLanguage=1\r\n[LastOpen]\r\nLanguage=2", "2");
        row("spaces around =", "[LastOpen]\r\nLanguage = 4\r\n", " 4");
        row("key as prefix", "[LastOpen]\r\nLanguageX=5\r\nLanguage=2\r\n", "5");
        row("line without =", "[LastOpen]\r\nLanguage\r\n", "Language");
        row("key above the header ignored", "Language=1\r\n[LastOpen]\r\nLanguage=2\r\n", "2");
        row("key in the next section", "[LastOpen]\r\n[Other]\r\nLanguage=4\r\n", "4");
        row("key on header + 200", "[LastOpen]\r\n" + filler(199) + "Language=6", "6");
        row("key on header + 201", "[LastOpen]\r\n" + filler(200) + "Language=6", "");
        // The section search gives up after 20,000 rounds; the key search goes on from there.
        row("no header: the key search starts on line 20,001",
            filler(19999) + "Language=5\r\nLanguage=7\r\n", "7");
        row("header past the limit, key past line 20,201",
            filler(20200) + "[LastOpen]\r\nLanguage=8\r\n", "");
        const QByteArray shortKey = "[LastOpen]\r\nLang=6\r\nLanguage=2\r\n";
        row("compare 4", shortKey, "6", 4);
        row("negative compare length", shortKey, "", -1);
        row("negative compare length, no key", shortKey, "", -1, "");
        row("compare 20: a shorter line counts whole", "[LastOpen]\r\nLanguage=2\r\nLanguage\r\n",
            "Language", 20);
    }
    void lireIni() {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(int, compareLength);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(writeBytes(path, content));
        QCOMPARE(LireIni(QStringLiteral("LastOpen"), key, path, qint16(compareLength)), expected);
    }

    // Nothing is read where no settings file is, nor written where none can be.
    void unusablePath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("writeFails");
        QTest::newRow("missing file") << "none.ini" << false;
        QTest::newRow("folder in its place") << "folder" << true;
        QTest::newRow("missing folder") << "missing/start.ini" << true;
#ifndef Q_OS_WIN // links and pipes in folders are POSIX's
        QTest::newRow("dangling link") << "link" << false;
        QTest::newRow("a pipe, which would never end") << "fifo" << false;
#endif
    }
    void unusablePath() {
        QFETCH(QString, name);
        QFETCH(bool, writeFails);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                            dir.filePath(QStringLiteral("link"))));
        QCOMPARE(
            ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
#endif
        const QString path = dir.filePath(name);
        QCOMPARE(LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path), QString());
        if (writeFails)
            QVERIFY(!EcrireIni(QStringLiteral("Language"), path, 1.0f));
    }

    // A line the disk did not take is a failure, not a success.
    void failedAppendIsReported() {
        settings::AppendSeam::replace([](QFile &, const QByteArray &) { return false; });
        const bool written =
            EcrireIni(QStringLiteral("Language"), m_dir.filePath(QStringLiteral("a.ini")), 1.0f);
        settings::AppendSeam::replace({});
        QVERIFY(!written);
    }

    void longLinesAndNoLeakedFiles() {
        const QByteArray value(10 * 1024 * 1024, 'v');
        const QString path = m_dir.filePath(QStringLiteral("long.ini"));
        QVERIFY(writeBytes(path, QByteArray(value.size(), 'x') +
                                     "\r\n[LastOpen]\r\nLanguage=" + value + "\r\nEnd"));
        const int before = openFileCount();
        QVERIFY(LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path) ==
                QString::fromLatin1(value));
        QVERIFY(LireIni(QStringLiteral("LastOpen"), QStringLiteral("Other"), path).isEmpty());
        QVERIFY(EcrireIni(QStringLiteral("Language"), path, 2));
        QCOMPARE(openFileCount(), before);
    }

    void ecrireIniAppends_data() {
        QTest::addColumn<QString>("keyOrHeader");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line");
        const QString k = QStringLiteral("Language");
        QTest::newRow("whole float") << k << QVariant(2.0f) << QByteArray("Language=2");
        QTest::newRow("large whole float")
            << k << QVariant(1e10f) << QByteArray("Language=10000000000");
        QTest::newRow("10^15: past the 15 digits, with an exponent")
            << k << QVariant(1e15) << QByteArray("Language=1e+15");
        QTest::newRow("fraction") << k << QVariant(2.5f) << QByteArray("Language=2.5");
        QTest::newRow("no value") << k << QVariant() << QByteArray("Language=");
        QTest::newRow("header ignores the value")
            << "[Other]" << QVariant(7) << QByteArray("[Other]");
    }
    void ecrireIniAppends() {
        QFETCH(QString, keyOrHeader);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);
        const QString path = m_dir.filePath(QStringLiteral("append.ini"));
        QVERIFY(writeBytes(path, "[A]\r\nB=1\r\n"));
        QVERIFY(EcrireIni(keyOrHeader, path, value));
        QCOMPARE(fileBytes(path), "[A]\r\nB=1\r\n" + line + "\r\n");
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
