// The whole life of the real program: it starts in the language of start.ini, lays a new
// game, takes a right and a wrong digit, finishes the board, changes language and ends.
#include "e2e_support.h"

#include <QFile>
#include <QStandardPaths>

namespace {
QByteArray iniFor(int language) {
    return "[LastOpen]\r\nLanguage=" + QByteArray::number(language) + "\r\n";
}
QByteArray readIni() {
    QFile file(Game::iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// Opens the File menu by its access key, which tells the language: D only in German
// ("&Datei"), S only in Italian ("&Schedario"). Its X window, or empty.
QString fileMenu(Game &game, int language) {
    return game.open(QStringLiteral("alt+") + QLatin1Char(" ffdsf"[language]));
}
bool speaks(Game &game, int language) {
    return !fileMenu(game, language).isEmpty() && Game::type("Escape") && game.alone();
}
} // namespace

class TestE2e : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is missing");
    }
    void cleanupTestCase() { QFile::remove(Game::iniPath()); } // no stray language in the build
    void wholeGame_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("from"); // the language in start.ini
        QTest::addColumn<int>("to");   // the language chosen
        QTest::newRow("scale 1") << 1 << 3 << 4;
        QTest::newRow("scale 2") << 2 << 4 << 3;
    }
    void wholeGame() {
        QFETCH(int, scale);
        QFETCH(int, from);
        QFETCH(int, to);
        constexpr int wait = Game::Patience;
        QFile ini(Game::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(iniFor(from)) > 0 && ini.flush());
        Game game;
        QVERIFY2(game.start(scale), "no game window");
        QCOMPARE(game.geometry().width(), 409 * scale);
        QVERIFY2(speaks(game, from), "not in the language of start.ini");

        // F2; OK has the focus and Enter presses it: a Beginner board, assistance on.
        const QString dialog = game.open("F2");
        QVERIFY(!dialog.isEmpty() && game.key("Return", dialog));
        QString start;
        QTRY_VERIFY_WITH_TIMEOUT((start = game.board()).count('C') == 41 && start.count('w') == 40,
                                 wait);

        // Two open cells of a row: the right digit of one, a, is wrong in the other, b.
        int a = -1, b = -1;
        for (int i = 0; i < 81 && a < 0; ++i)
            if (start[i] == 'w')
                (b >= 0 && b / 9 == i / 9 ? a : b) = i;
        // A click gives a cell the focus and, with assistance on, opens its answer menu.
        const auto select = [&](int i) {
            return game.click(i) && !game.popup().isEmpty() && Game::type("Escape") && game.alone();
        };
        QVERIFY(select(a));
        int right = 1;
        for (QString now;; ++right) {
            QVERIFY(right <= 9 && game.key(QString::number(right)));
            QTRY_VERIFY_WITH_TIMEOUT((now = game.board())[a] == 'G' || now[a] == '!', wait);
            if (now[a] == 'G')
                break;
            // Cleared, so that the next digit's outcome shows as a change.
            QVERIFY(game.key("BackSpace"));
            QTRY_COMPARE_WITH_TIMEOUT(game.board()[a], QChar('w'), wait);
        }
        QVERIFY(select(b));
        QVERIFY(game.key(QString::number(right)));
        QTRY_COMPARE_WITH_TIMEOUT(game.board(),
                                  QString(start).replace(a, 1, 'G').replace(b, 1, '!'), wait);

        // F4: every cell shows its digit, the wrong entry on red, the open cells on green.
        QVERIFY(game.key("F4"));
        QTRY_COMPARE_WITH_TIMEOUT(game.board(), QString(start).replace('w', 'G').replace(b, 1, 'R'),
                                  wait);

        // File > Change &Language (the same caption in every language); the chooser opens on
        // the first flag, language 1, and Tab moves one flag on.
        const QString menu = fileMenu(game, from);
        QVERIFY(!menu.isEmpty() && Game::type("l"));
        const QString chooser = game.popup(menu);
        QVERIFY(!chooser.isEmpty() &&
                game.key(QStringList(to - 1, "Tab").join(' ') + " Return", chooser));
        QTRY_COMPARE_WITH_TIMEOUT(readIni(), iniFor(to), wait);
        QVERIFY2(speaks(game, to), "the menus did not change language");

        QCOMPARE(game.quit(), 0);

        Game next; // the next start comes up in the chosen language
        QVERIFY(next.start(scale));
        QVERIFY(speaks(next, to));
        QCOMPARE(next.quit(), 0);
    }
};

QTEST_MAIN(TestE2e)
#include "tst_e2e.moc"
