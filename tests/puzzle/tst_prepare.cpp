#include "board_fixtures.h"
#include "puzzle/prepare.h"

#include <QSet>
#include <QtTest>

#include <algorithm>

using namespace fixtures; // with Couleur, MemoryBoard and NombreCases

namespace {

QList<int> range(int from, int to) {
    QList<int> cells;
    for (int i = from; i <= to; ++i)
        cells << i;
    return cells;
}

// A board left by a game, cell by cell in turn: a player's digit, a solved green cell, an
// empty open cell, a cell corrected red by Finish and a given; every third digit red.
MemoryBoard playedBoard() {
    using enum Couleur;
    const Couleur backs[] = {FondFenetre, Vert, FondFenetre, Rouge, Cyan};
    MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(9));
    for (int i = 0; i < NombreCases; ++i) {
        MemoryBoard::Case &c = board.at(i);
        c.enabled = i % 5 == 0 || i % 5 == 2;
        if (c.enabled)
            c.text = i % 5 == 0 ? QStringLiteral("5") : QString();
        c.back = backs[i % 5];
        c.fore = i % 3 == 0 ? Rouge : TexteFenetre;
    }
    return board;
}

} // namespace

class tst_Prepare : public QObject {
    Q_OBJECT

private slots:
    void levelLaysGivensAndBlanks_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<bool>("afterGame");
        QTest::addColumn<quint64>("seed");
        for (int niveau = 0; niveau <= 5; ++niveau) {
            QTest::addRow("level %d, first game", niveau)
                << niveau << false << quint64(11 + niveau);
            QTest::addRow("level %d, after a game", niveau)
                << niveau << true << quint64(71 + niveau);
        }
    }
    void levelLaysGivensAndBlanks() {
        QFETCH(int, niveau);
        QFETCH(bool, afterGame);
        QFETCH(quint64, seed);
        MemoryBoard board = afterGame ? playedBoard() : MemoryBoard();
        const MemoryBoard before = board;

        platform::SeededRandom random(seed);
        qint16 numGrille = 0;
        modGrille::PrepareGrille(board, qint16(niveau), random, numGrille);

        QVERIFY2(numGrille >= 1 && numGrille <= 250, qPrintable(QString::number(numGrille)));
        QCOMPARE(emptyCells(board).size(), 40 + 5 * niveau);
        for (int i = 0; i < NombreCases; ++i) {
            const MemoryBoard::Case &c = board.at(i);
            if (c.text.isEmpty()) {
                QVERIFY2(c.enabled, qPrintable(QString::number(i)));
                QCOMPARE(c.back, Couleur::FondFenetre);
            } else {
                QCOMPARE(c.text, digitOf(numGrille, i));
                QVERIFY2(!c.enabled, qPrintable(QString::number(i)));
                QCOMPARE(c.back, Couleur::Cyan);
            }
            QCOMPARE(c.fore, before.foreColor(i)); // a new game never sets the text colour
        }
    }

    void repeatedDrawIsDrawnAgain_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<QList<int>>("cellDraws");
        QTest::newRow("level 0, first cell drawn three times")
            << 0 << QList<int>{0, 0, 0} + range(1, 39);
        QTest::newRow("level 0, last and centre cells drawn again")
            << 0 << QList<int>{80, 40, 80, 40, 80} + range(0, 37);
        QTest::newRow("level 5, repeats on the final draw")
            << 5 << range(16, 79) + QList<int>{16, 79, 80};
    }
    void repeatedDrawIsDrawnAgain() {
        QFETCH(int, niveau);
        QFETCH(QList<int>, cellDraws);
        ScriptedRandom random(QList<int>{0} + cellDraws);
        MemoryBoard board;
        qint16 numGrille = 0;
        modGrille::PrepareGrille(board, qint16(niveau), random, numGrille);

        // Every draw is taken, and the blanks are exactly the distinct cells drawn.
        QVERIFY(random.consumed());
        QVERIFY(!random.overrun);
        QList<int> distinct = QSet<int>(cellDraws.begin(), cellDraws.end()).values();
        std::sort(distinct.begin(), distinct.end());
        QCOMPARE(distinct.size(), 40 + 5 * niveau);
        QCOMPARE(emptyCells(board), distinct);
        // The grid number is drawn first, over the 250 entries; then each cell over all 81.
        QCOMPARE(random.bounds, QList<int>{250} + QList<int>(cellDraws.size(), 81));
    }

    void gridNumberDraw_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<int>("expected");
        QTest::newRow("lowest draw") << 0 << 1;
        QTest::newRow("middle draw") << 124 << 125;
        QTest::newRow("highest draw") << 249 << 250;
    }
    void gridNumberDraw() {
        QFETCH(int, draw);
        QFETCH(int, expected);
        ScriptedRandom random(QList<int>{draw} + range(0, 39));
        MemoryBoard board;
        qint16 numGrille = 0;
        modGrille::PrepareGrille(board, 0, random, numGrille);

        QCOMPARE(int(numGrille), expected);
        QCOMPARE(board.picture(),
                 QString(40, QLatin1Char('.')) + solvedPicture(qint16(expected)).mid(40));
    }

    void consecutiveGamesMayShareEntry() {
        MemoryBoard board;
        qint16 numGrille = 0;
        ScriptedRandom first(QList<int>{6} + range(0, 39));
        modGrille::PrepareGrille(board, 0, first, numGrille);
        ScriptedRandom second(QList<int>{6} + range(41, 80));
        modGrille::PrepareGrille(board, 0, second, numGrille);

        QCOMPARE(int(numGrille), 7);
        QCOMPARE(board.picture(), solvedPicture(7).left(41) + QString(40, QLatin1Char('.')));
        for (int i = 0; i <= 40; ++i)
            QVERIFY2(!board.isEnabled(i) && board.backColor(i) == Couleur::Cyan,
                     qPrintable(QString::number(i)));
    }

    void differentSeedsDifferentPuzzles() {
        QSet<QString> pictures;
        QSet<qint16> grids;
        for (quint64 seed = 1; seed <= 8; ++seed) {
            MemoryBoard board;
            qint16 numGrille = 0;
            platform::SeededRandom random(seed);
            modGrille::PrepareGrille(board, 2, random, numGrille);
            pictures.insert(board.picture());
            grids.insert(numGrille);
        }
        QCOMPARE(pictures.size(), 8);
        QVERIFY(grids.size() > 1);
    }
};

QTEST_APPLESS_MAIN(tst_Prepare)

#include "tst_prepare.moc"
