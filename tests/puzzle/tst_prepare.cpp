#include "board_fixtures.h"
#include "puzzle/prepare.h"

#include <QSet>
#include <QtTest>

#include <algorithm>
#include <array>

using fixtures::digitOf;
using fixtures::emptyCells;
using fixtures::ScriptedRandom;
using fixtures::solvedPicture;
using modGrille::Couleur;
using modGrille::MemoryBoard;
using modGrille::NombreCases;

namespace {

QList<int> range(int from, int to) {
    QList<int> cells;
    for (int i = from; i <= to; ++i)
        cells << i;
    return cells;
}

// A board left by a game: player digits (some red), solved green cells, corrected red
// cells after Finish, empty open cells and givens, with varied text colours.
MemoryBoard playedBoard() {
    MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(9));
    for (int i = 0; i < NombreCases; ++i) {
        MemoryBoard::Case &c = board.at(i);
        switch (i % 5) {
        case 0:
            c.text = QStringLiteral("5");
            c.enabled = true;
            c.back = Couleur::FondFenetre;
            break;
        case 1:
            c.back = Couleur::Vert;
            break;
        case 2:
            c.text.clear();
            c.enabled = true;
            c.back = Couleur::FondFenetre;
            break;
        case 3:
            c.back = Couleur::Rouge;
            break;
        default:
            break;
        }
        c.fore = i % 3 == 0 ? Couleur::Rouge : Couleur::TexteFenetre;
    }
    return board;
}

} // namespace

class tst_Prepare : public QObject {
    Q_OBJECT

private slots:
    void levelLaysGivensAndBlanks_data();
    void levelLaysGivensAndBlanks();
    void repeatedDrawIsDrawnAgain_data();
    void repeatedDrawIsDrawnAgain();
    void gridNumberDraw_data();
    void gridNumberDraw();
    void consecutiveGamesMayShareEntry();
    void differentSeedsDifferentPuzzles();
};

void tst_Prepare::levelLaysGivensAndBlanks_data() {
    QTest::addColumn<int>("niveau");
    QTest::addColumn<bool>("afterGame");
    QTest::addColumn<quint64>("seed");
    for (int niveau = 0; niveau <= 5; ++niveau) {
        QTest::addRow("level %d, first game", niveau) << niveau << false << quint64(11 + niveau);
        QTest::addRow("level %d, after a game", niveau) << niveau << true << quint64(71 + niveau);
    }
}

void tst_Prepare::levelLaysGivensAndBlanks() {
    QFETCH(int, niveau);
    QFETCH(bool, afterGame);
    QFETCH(quint64, seed);
    MemoryBoard board = afterGame ? playedBoard() : MemoryBoard();
    std::array<Couleur, NombreCases> foreBefore{};
    for (int i = 0; i < NombreCases; ++i)
        foreBefore[i] = board.foreColor(i);

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
        QCOMPARE(c.fore, foreBefore[i]); // a new game never sets the text colour
    }
}

void tst_Prepare::repeatedDrawIsDrawnAgain_data() {
    QTest::addColumn<int>("niveau");
    QTest::addColumn<QList<int>>("cellDraws");
    QTest::newRow("level 0, first cell drawn three times")
        << 0 << QList<int>{0, 0, 0} + range(1, 39);
    QTest::newRow("level 0, last and centre cells drawn again")
        << 0 << QList<int>{80, 40, 80, 40, 80} + range(0, 37);
    QTest::newRow("level 5, repeats on the final draw")
        << 5 << range(16, 79) + QList<int>{16, 79, 80};
}

void tst_Prepare::repeatedDrawIsDrawnAgain() {
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

void tst_Prepare::gridNumberDraw_data() {
    QTest::addColumn<int>("draw");
    QTest::addColumn<int>("expected");
    QTest::newRow("lowest draw") << 0 << 1;
    QTest::newRow("middle draw") << 124 << 125;
    QTest::newRow("highest draw") << 249 << 250;
}

void tst_Prepare::gridNumberDraw() {
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

void tst_Prepare::consecutiveGamesMayShareEntry() {
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

void tst_Prepare::differentSeedsDifferentPuzzles() {
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

QTEST_APPLESS_MAIN(tst_Prepare)

#include "tst_prepare.moc"
