// The whole life of the real program: it starts in the language of start.ini, lays a new
// game, takes a right and a wrong digit, finishes the board, changes language and ends.
#include "e2e_support.h"

#include <QClipboard>
#include <QFile>
#include <QFontMetrics>
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
        // A click gives a cell the focus; the digits typed next land in it.
        const auto select = [&](int i) { return game.click(i) && game.alone(); };
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

    // A mouse player's game under a window manager: the window appears where it stays, a
    // click selects a cell and the digit typed next lands in it, a double click offers the
    // answer, and "Bravo !" shows its whole title, over the game.
    void mousePlayerUnderAWindowManager() {
        constexpr int wait = Game::Patience;
        QFile::remove(Game::iniPath()); // English
        WindowManager manager;
        QVERIFY2(manager.start(), "openbox did not start");
        Game game;
        QVERIFY2(game.start(1), "no game window");
        QCOMPARE(game.client().y(), 57); // the designed 855 twips below the screen's top
        const quint64 frame = WindowManager::frameOf(game.window());

        // F2, then OK by the mouse.
        const QString dialog = game.open("F2");
        QVERIFY(!dialog.isEmpty());
        QVERIFY(Game::clickAt(game.geometry(dialog).topLeft() + QPoint(188, 84)));
        QString board;
        QTRY_VERIFY_WITH_TIMEOUT((board = game.board()).count('w') == 40, wait);
        QList<int> open;
        for (int i = 0; i < 81; ++i)
            if (board[i] == 'w')
                open << i;

        // A middle click pastes nothing (the X selection holds "7"); the first open cell has
        // the focus, and a click on another one selects it.
        QGuiApplication::clipboard()->setText(QStringLiteral("7"), QClipboard::Selection);
        QVERIFY(game.click(open.last(), 1, 2));
        const int typed = open.takeAt(1);
        QVERIFY(game.click(typed) && game.alone());
        for (int digit = 1;; ++digit) {
            QVERIFY(digit <= 9 && game.key(QString::number(digit)));
            QTRY_VERIFY_WITH_TIMEOUT((board = game.board())[typed] == 'G' || board[typed] == '!',
                                     wait);
            QVERIFY(!game.showsDigit(open.last())); // the middle click came first
            if (board[typed] == 'G')
                break;
            QVERIFY(game.key("BackSpace"));
            QTRY_COMPARE_WITH_TIMEOUT(game.board()[typed], QChar('w'), wait);
        }

        // Every other cell by "Réponse", chosen with the mouse. The first open cell is not the
        // current one: a double click selects it and offers the answer. Each cell revealed
        // hands the focus, and with it the current cell, to the next open one: one click.
        QString box;
        for (int i : open) {
            QVERIFY(game.click(i, i == open.first() ? 2 : 1));
            const QString menu = game.popup();
            QVERIFY2(!menu.isEmpty(), "no answer menu");
            QVERIFY(Game::clickAt(game.geometry(menu).center()));
            if (i == open.last())
                QVERIFY(!(box = game.popup()).isEmpty());
            else
                QVERIFY(game.alone());
        }

        // The box's title bar holds an icon, three buttons each about as wide as the bar is
        // high, and "Vexoro" in the window manager's bold 8-point title font.
        const QRect bravo = game.geometry(box);
        const int titleBar = WindowManager::frameExtents(box).value(2);
        QFont titleFont(QStringLiteral("Sans"), 8, QFont::Bold);
        const int title = QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("Vexoro"));
        QVERIFY2(
            titleBar > 0 && bravo.width() >= title + 5 * titleBar + 20,
            qPrintable(QStringLiteral("%1 wide, title bar %2").arg(bravo.width()).arg(titleBar)));
        const QPoint offCentre = bravo.center() - game.geometry().center();
        QVERIFY2(offCentre.manhattanLength() < 40, "the box is not over the game");
        QVERIFY(game.key("Return", box) && game.alone());
        QTRY_COMPARE_WITH_TIMEOUT(game.board().count('G'), 40, wait);

        const QList<QPoint> positions = manager.positionsSinceMapped(frame);
        QVERIFY2(positions.size() == 1,
                 qPrintable(QStringLiteral("the window moved after it appeared: %1 positions")
                                .arg(positions.size())));
        QCOMPARE(game.quit(), 0);
    }
};

QTEST_MAIN(TestE2e)
#include "tst_e2e.moc"
