#include "app/ini_file.h"
#include "app/ini_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using modGrille::EcrireIni;
using modGrille::LireIni;

namespace {

// `count` lines "x", each ended by CR LF.
QByteArray filler(int count) {
    return QByteArray("x\r\n").repeated(count);
}

int openFileCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}

} // namespace

class tst_Ini : public QObject {
    Q_OBJECT

private slots:
    void lireIni_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("compareLength");
        QTest::addColumn<QString>("expected");

        const QString s = QStringLiteral("LastOpen");
        const QString k = QStringLiteral("Language");
        const auto row = [&](const char *name, const QByteArray &content, const QString &expected) {
            QTest::newRow(name) << content << s << k << 0 << expected;
        };

        // Line ends.
        row("CR LF", "[LastOpen]\r\nLanguage=3\r\n", "3");
        row("LF only joins the lines", "[LastOpen]\nLanguage=3\n", "");
        row("lone LF stays in the value", "[LastOpen]\r\nLanguage=3\nx\r\n", "3\nx");
        row("second LF starts the next line", "[LastOpen]\r\n\nLanguage=3\r\n", "");
        row("CR alone, CR LF and empty lines", "[LastOpen]\rA=1\r\n\r\rLanguage=4\r\n", "4");
        row("no final line end", "[LastOpen]\r\nLanguage=3", "3");
        row("CR and LF on either side of 64 KiB",
            QByteArray(65535, 'x') + "\r\n[LastOpen]\r\nLanguage=3", "3");
        row("bytes read as Latin-1", "[LastOpen]\r\nLanguage=\xe9\xff",
            QStringLiteral(u"\u00e9\u00ff"));
        row("NUL byte kept", QByteArray("[LastOpen]\r\nLanguage=a\0b", 24),
            QString::fromLatin1("a\0b", 3));

        // Failures that come from the content.
        row("empty file", "", "");
        row("only a line end", "\r\n", "");
        row("no header", "[Other]\r\nLanguage=3\r\n", "");
        row("no key from the header on", "Language=3\r\n[LastOpen]\r\nLang=3\r\n", "");
        row("header in lower case", "[lastopen]\r\nLanguage=3\r\n", "");
        row("header with trailing space", "[LastOpen] \r\nLanguage=3\r\n", "");
        row("header with leading space", " [LastOpen]\r\nLanguage=3\r\n", "");
        row("key in lower case", "[LastOpen]\r\nlanguage=3\r\n", "");

        // Which line, and which part of it.
        row("spaces around the equals sign", "[LastOpen]\r\nLanguage = 4\r\n", " 4");
        row("value after the first equals sign", "[LastOpen]\r\nLanguage=a=b\r\n", "a=b");
        row("key as prefix", "[LastOpen]\r\nLanguageX=5\r\nLanguage=2\r\n", "5");
        row("line without equals sign", "[LastOpen]\r\nLanguage\r\n", "Language");
        row("key above the header ignored", "Language=1\r\n[LastOpen]\r\nLanguage=2\r\n", "2");
        row("key in the next section", "[LastOpen]\r\n[Other]\r\nLanguage=4\r\n", "4");
        row("key on header + 200", "[LastOpen]\r\n" + filler(199) + "Language=6", "6");
        row("key on header + 201", "[LastOpen]\r\n" + filler(200) + "Language=6", "");

        // The section search gives up after 20,000 rounds and the key search goes on from
        // line 20,001, whatever section that line lies in.
        row("header on line 20,000", filler(19999) + "[LastOpen]\r\nLanguage=1\r\n", "1");
        row("20,000 lines without header", filler(20000), "");
        row("no header, key on line 20,001", filler(20000) + "Language=7\r\n", "7");
        row("other section past the limit wins",
            filler(20000) + "[Other]\r\nLanguage=9\r\n[LastOpen]\r\nLanguage=2\r\n", "9");
        row("header past the limit, key beyond line 20,201",
            filler(20200) + "[LastOpen]\r\nLanguage=8\r\n", "");

        // Compare lengths other than the key's.
        const QByteArray shortKey = "[LastOpen]\r\nLang=6\r\nLanguage=2\r\n";
        const auto compare = [&](const char *name, const QByteArray &content, int length,
                                 const QString &expected) {
            QTest::newRow(name) << content << s << k << length << expected;
        };
        compare("compare 4", shortKey, 4, "6");
        compare("compare 20: a shorter line counts whole",
                "[LastOpen]\r\nLanguage=2\r\nLanguage\r\n", 20, "Language");
        compare("compare 20: no line that short", shortKey, 20, "");
        compare("negative compare length", shortKey, -1, "");
        QTest::newRow("empty key matches the header itself")
            << shortKey << s << "" << 0 << "[LastOpen]";
        QTest::newRow("empty section")
            << QByteArray("[]\r\nKey=v\r\n") << "" << QStringLiteral("Key") << 0 << "v";
    }
    void lireIni() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, compareLength);
        QFETCH(QString, expected);

        const QString path = writeFixture(m_dir, content);
        QCOMPARE(LireIni(section, key, path, static_cast<qint16>(compareLength)), expected);
    }

    // Paths that hold no settings file: nothing is read there, nor written where no file can be.
    void unusablePath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("writeFails");
        QTest::newRow("missing file") << "start.ini" << false;
        QTest::newRow("dangling symlink") << "link" << false;
        QTest::newRow("directory in its place") << "folder" << true;
        QTest::newRow("missing directory") << "missing/start.ini" << true;
    }
    void unusablePath() {
        QFETCH(QString, name);
        QFETCH(bool, writeFails);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.ini")),
                            dir.filePath(QStringLiteral("link"))));
        const QString path = dir.filePath(name);

        QCOMPARE(LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path), QString());
        if (writeFails) {
            QVERIFY(!EcrireIni(QStringLiteral("Language"), path, 1.0f));
            QVERIFY(!QFileInfo(path).isFile());
        }
    }

    void longLines() {
        const qsizetype size = 10 * 1024 * 1024;
        const QByteArray value(size, 'v');
        const QString path = writeFixture(
            m_dir, QByteArray(size, 'x') + "\r\n[LastOpen]\r\nLanguage=" + value + "\r\nEnd");

        const QString result =
            LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path);
        QCOMPARE(result.size(), size);
        QVERIFY(result == QString::fromLatin1(value));
    }

    void fileHandleLeak() {
        if (!QFile::exists(QStringLiteral("/proc/self/fd")))
            QSKIP("needs /proc/self/fd");
        const QString found = writeFixture(m_dir, "[LastOpen]\r\nLanguage=2\r\n", "found.ini");
        const QString pastEnd = writeFixture(m_dir, "[LastOpen]\r\nOther=1\r\n", "past_end.ini");
        const QString empty = writeFixture(m_dir, "", "empty.ini");
        const QString written = m_dir.filePath(QStringLiteral("written.ini"));

        const int before = openFileCount();
        for (const QString &path : {found, pastEnd, empty})
            LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path);
        QVERIFY(EcrireIni(QStringLiteral("Language"), written, 2));
        QCOMPARE(openFileCount(), before);
    }

    void ecrireIniFreshFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(EcrireIni(QStringLiteral("[LastOpen]"), path));
        QVERIFY(EcrireIni(QStringLiteral("Language"), path, 5.0f));

        QCOMPARE(fileBytes(path), QByteArray("[LastOpen]\r\nLanguage=5\r\n"));
        QCOMPARE(LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path), "5");
    }

    void ecrireIniAppends_data() {
        QTest::addColumn<QString>("keyOrHeader");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line");

        const QString k = QStringLiteral("Language");
        QTest::newRow("whole float") << k << QVariant(2.0f) << QByteArray("Language=2");
        QTest::newRow("whole double") << k << QVariant(3.0) << QByteArray("Language=3");
        QTest::newRow("large whole float")
            << k << QVariant(1e10f) << QByteArray("Language=10000000000");
        QTest::newRow("negative zero") << k << QVariant(-0.0f) << QByteArray("Language=0");
        QTest::newRow("fraction") << k << QVariant(2.5f) << QByteArray("Language=2.5");
        QTest::newRow("integer") << k << QVariant(4) << QByteArray("Language=4");
        QTest::newRow("text") << k << QVariant(QStringLiteral("a b")) << QByteArray("Language=a b");
        QTest::newRow("no value") << k << QVariant() << QByteArray("Language=");
        QTest::newRow("header ignores the value")
            << "[Other]" << QVariant(7) << QByteArray("[Other]");
    }
    void ecrireIniAppends() {
        QFETCH(QString, keyOrHeader);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);

        const QString path = writeFixture(m_dir, "[A]\r\nB=1\r\n");
        QVERIFY(EcrireIni(keyOrHeader, path, value));
        QCOMPARE(fileBytes(path), "[A]\r\nB=1\r\n" + line + "\r\n");
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_Ini)
#include "tst_ini.moc"
