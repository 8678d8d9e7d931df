// A whole new game on the real program: F2 and OK lay a Beginner puzzle, F4 finishes it.
#include "e2e_support.h"

#include <QTest>

namespace {
// Counts the board's cells whose background, sampled inside the cell beside its digit,
// is `colour`.
int cellsOfColour(const QImage &shot, const QRect &client, const QColor &colour)
{
    const int lefts[] = {120, 720, 1320, 2040, 2640, 3240, 3960, 4560, 5160};
    const int tops[] = {240, 720, 1200, 1800, 2280, 2760, 3360, 3840, 4320};
    const QPoint frame = client.topLeft() + QPoint(8, 8);
    int count = 0;
    for (int i = 0; i < 81; ++i) {
        const QPoint cell = frame + QPoint(lefts[i % 9] / 15, tops[i / 9] / 15);
        count += shot.pixelColor(cell + QPoint(5, 16)) == colour;
    }
    return count;
}
} // namespace

class TestE2eGame : public QObject {
    Q_OBJECT
private slots:
    void newBeginnerGameThenFinish()
    {
        Game game;
        QVERIFY(game.start());
        const QRect client = game.clientArea();
        QVERIFY(game.key(QStringLiteral("F2")));
        // The dialog opens with the focus on OK; the space bar presses it.
        QTest::qWait(500);
        QVERIFY(game.keyToFocus(QStringLiteral("space")));
        const QColor cyan(0, 255, 255), green(0, 255, 0);
        QVERIFY2(game.waitForScreen([&](const QImage &s) { return cellsOfColour(s, client, cyan) == 41; }),
                 "no board of 41 cyan givens");
        const QImage board = game.screenshot();
        // Open cells show the window background of editable text (white here).
        QCOMPARE(cellsOfColour(board, client, Qt::white), 40);

        QVERIFY(game.key(QStringLiteral("F4")));
        QVERIFY(game.waitForScreen([&](const QImage &s) { return cellsOfColour(s, client, green) == 40; }));
        QCOMPARE(cellsOfColour(game.screenshot(), client, cyan), 41);
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }
};

QTEST_MAIN(TestE2eGame)
#include "tst_e2e_game.moc"
