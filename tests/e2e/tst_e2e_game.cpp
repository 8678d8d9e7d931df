// A whole new game on the real program: F2 and OK lay a Beginner puzzle, F4 finishes it,
// at the normal scale and on a screen of twice the density.
#include "e2e_support.h"

#include <QTest>

class TestE2eGame : public QObject {
    Q_OBJECT
private slots:
    void newBeginnerGameThenFinish_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("byFontDpi");
        QTest::newRow("scale 1") << 1 << false;
        QTest::newRow("scale 2") << 2 << false;
        QTest::newRow("192-dpi font setting") << 2 << true;
    }
    void newBeginnerGameThenFinish() {
        QFETCH(int, scale);
        QFETCH(bool, byFontDpi);
        Game game;
        game.setScale(scale, byFontDpi);
        QVERIFY(game.start());
        QCOMPARE(game.geometry().width(), 409 * scale);
        QVERIFY(game.key(QStringLiteral("F2")));
        // The dialog opens with the focus on OK; the space bar presses it.
        QTest::qWait(500);
        QVERIFY(game.keyToFocus(QStringLiteral("space")));
        const QColor cyan(0, 255, 255), green(0, 255, 0);
        QVERIFY2(
            game.waitForScreen([&](const QImage &s) { return game.cellsOfColour(s, cyan) == 41; }),
            "no board of 41 cyan givens");
        // Open cells show the window background of editable text (white here).
        QCOMPARE(game.cellsOfColour(game.screenshot(), Qt::white), 40);

        QVERIFY(game.key(QStringLiteral("F4")));
        QVERIFY(game.waitForScreen(
            [&](const QImage &s) { return game.cellsOfColour(s, green) == 40; }));
        QCOMPARE(game.cellsOfColour(game.screenshot(), cyan), 41);
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }
};

QTEST_MAIN(TestE2eGame)
#include "tst_e2e_game.moc"
