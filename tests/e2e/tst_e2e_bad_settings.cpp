// The real program started beside damaged, odd or hostile settings files: it always comes
// up, in English or in the language that the file's valid content names, with no message.
#include "e2e_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {
using Make = std::function<void(const QString &path)>;

Make bytes(const QByteArray &contents) {
    return [contents](const QString &path) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
    };
}

// `lines` lines of 99 characters and CR LF, after `head`.
Make bigFile(const QByteArray &head, qint64 lines, const QByteArray &line) {
    return [=](const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(head);
        const QByteArray block = line.repeated(10000);
        for (qint64 n = 0; n < lines; n += 10000)
            file.write(block);
    };
}

QByteArray garbage(int size) {
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &c : data)
        c = char(generator.bounded(256));
    return data;
}

// The access key that opens the About menu in each language: "&About", "A &propos",
// "&Bezüglich". Only the language in force opens a menu with it.
const char *aboutKey(int langue) {
    return langue == 2 ? "alt+p" : langue == 3 ? "alt+b" : "alt+a";
}
} // namespace

class TestE2eBadSettings : public QObject {
    Q_OBJECT
private slots:
    void startsInTheRightLanguage_data() {
        QTest::addColumn<Make>("make");
        QTest::addColumn<int>("langue");
        const QByteArray filler = QByteArray(99, 'x') + "\r\n";
        QTest::newRow("empty") << bytes("") << 1;
        QTest::newRow("binary garbage") << bytes(garbage(64 * 1024)) << 1;
        QTest::newRow("NUL bytes") << bytes(QByteArray("[LastOpen]\r\nLanguage=\0"
                                                       "2\r\n",
                                                       25))
                                   << 1;
        QTest::newRow("CR only") << bytes("[LastOpen]\rLanguage=2\r") << 2;
        QTest::newRow("LF only") << bytes("[LastOpen]\nLanguage=2\n") << 1;
        QTest::newRow("CR LF") << bytes("[LastOpen]\r\nLanguage=3\r\n") << 3;
        QTest::newRow("UTF-8 byte-order mark")
            << bytes("\xEF\xBB\xBF[LastOpen]\r\nLanguage=2\r\n") << 1;
        QTest::newRow("out of range") << bytes("[LastOpen]\r\nLanguage=7\r\n") << 1;
        QTest::newRow("100 MB, setting first")
            << bigFile("[LastOpen]\r\nLanguage=3\r\n", 1000000, filler) << 3;
        QTest::newRow("100 MB, no setting") << bigFile("", 1000000, filler) << 1;
        QTest::newRow("single 10 MB line") << bytes(QByteArray(10 * 1024 * 1024, 'L')) << 1;
        QTest::newRow("directory") << Make([](const QString &path) { QDir().mkdir(path); }) << 1;
        QTest::newRow("dangling symbolic link")
            << Make([](const QString &path) { QFile::link(path + ".missing", path); }) << 1;
        QTest::newRow("symbolic link to a directory")
            << Make([](const QString &path) { QFile::link(QDir::rootPath(), path); }) << 1;
    }
    void startsInTheRightLanguage() {
        QFETCH(Make, make);
        QFETCH(int, langue);
        Game game;
        game.replaceStartIni(make);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(game.start());
        qInfo("window after %lld ms", static_cast<long long>(clock.elapsed()));
        // No message box: the game's only window is its own.
        QTest::qWait(200);
        const QString windows = Game::xdotool(
            {"search", "--onlyvisible", "--pid", QString::number(game.processId()), "--name", "."});
        QCOMPARE(windows.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 1);
        const QImage before = game.screenshot();
        QVERIFY(game.key(QString::fromLatin1(aboutKey(langue))));
        const QRect below(game.clientArea().topLeft(), QSize(200, 60));
        QVERIFY2(game.waitForScreen(
                     [&](const QImage &shot) { return shot.copy(below) != before.copy(below); }),
                 "the About menu did not open: wrong language or empty captions");
        QVERIFY(game.key(QStringLiteral("Escape")));
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }
};

QTEST_MAIN(TestE2eBadSettings)
#include "tst_e2e_bad_settings.moc"
