#include "board_fixtures.h"
#include "puzzle/board_tests.h"

#include <QtTest>

using fixtures::solvedPicture;
using modGrille::Couleur;
using modGrille::MemoryBoard;
using modGrille::NombreCases;

class tst_BoardTests : public QObject {
    Q_OBJECT

private slots:
    void termine_data();
    void termine();
    void complet_data();
    void complet();
    void casesJustes_data();
    void casesJustes();
    void casesJustesLeavesRightRedCellRed();
};

void tst_BoardTests::termine_data() {
    QTest::addColumn<int>("openCell"); // -1: none
    QTest::addColumn<bool>("expected");
    QTest::newRow("no cell open") << -1 << true;
    QTest::newRow("first cell open") << 0 << false;
    QTest::newRow("centre cell open") << 40 << false;
    QTest::newRow("last cell open") << 80 << false;
}

void tst_BoardTests::termine() {
    QFETCH(int, openCell);
    QFETCH(bool, expected);
    // Every cell holds its digit, so only the open state can decide.
    MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(1));
    if (openCell >= 0)
        board.setEnabled(openCell, true);
    QCOMPARE(modGrille::Termine(board), expected);
}

void tst_BoardTests::complet_data() {
    QTest::addColumn<int>("emptyCell"); // -1: none
    QTest::addColumn<bool>("allOpen");
    QTest::addColumn<bool>("expected");
    QTest::newRow("full, all locked") << -1 << false << true;
    QTest::newRow("full, all open") << -1 << true << true;
    QTest::newRow("first cell empty") << 0 << false << false;
    QTest::newRow("centre cell empty") << 40 << false << false;
    QTest::newRow("last cell empty") << 80 << false << false;
    QTest::newRow("last cell empty, all open") << 80 << true << false;
}

void tst_BoardTests::complet() {
    QFETCH(int, emptyCell);
    QFETCH(bool, allOpen);
    QFETCH(bool, expected);
    MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(2));
    for (int i = 0; i < NombreCases; ++i)
        board.setEnabled(i, allOpen);
    if (emptyCell >= 0)
        board.setText(emptyCell, QString());
    QCOMPARE(modGrille::Complet(board), expected);
}

void tst_BoardTests::casesJustes_data() {
    QTest::addColumn<int>("grille");
    QTest::addColumn<QList<int>>("wrongCells");
    QTest::newRow("entry 1, all right") << 1 << QList<int>{};
    QTest::newRow("entry 250, all right") << 250 << QList<int>{};
    QTest::newRow("entry 1, two wrong") << 1 << QList<int>{3, 77};
    QTest::newRow("entry 137, corners wrong") << 137 << QList<int>{0, 80};
    QTest::newRow("entry 42, top-right and bottom-left wrong") << 42 << QList<int>{8, 72};
    QTest::newRow("entry 7, only centre wrong") << 7 << QList<int>{40};
}

void tst_BoardTests::casesJustes() {
    QFETCH(int, grille);
    QFETCH(QList<int>, wrongCells);
    // A wrong cell holds the digit of its row neighbour: what a lookup one position off
    // would expect there, so the centre row also proves cell 40 reads position 41.
    QString picture = solvedPicture(qint16(grille));
    for (int i : wrongCells)
        picture[i] = solvedPicture(qint16(grille)).at(i % 9 == 0 ? i + 1 : i - 1);
    MemoryBoard board = MemoryBoard::fromPicture(picture);
    for (int i : wrongCells)
        board.setEnabled(i, true);

    QCOMPARE(modGrille::CasesJustes(board, qint16(grille)), wrongCells.isEmpty());
    for (int i = 0; i < NombreCases; ++i) {
        QCOMPARE(board.foreColor(i),
                 wrongCells.contains(i) ? Couleur::Rouge : Couleur::TexteFenetre);
        QCOMPARE(board.text(i), picture.mid(i, 1)); // judges, never corrects
    }
}

void tst_BoardTests::casesJustesLeavesRightRedCellRed() {
    // Only typing turns a red digit back to window text.
    MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(5));
    board.setForeColor(12, Couleur::Rouge);
    QVERIFY(modGrille::CasesJustes(board, 5));
    QCOMPARE(board.foreColor(12), Couleur::Rouge);
}

QTEST_APPLESS_MAIN(tst_BoardTests)

#include "tst_board_tests.moc"
