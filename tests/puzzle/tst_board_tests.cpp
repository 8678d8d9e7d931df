#include "board_fixtures.h"
#include "puzzle/board_tests.h"

#include <QtTest>

using namespace fixtures; // with Couleur, MemoryBoard and NombreCases

class tst_BoardTests : public QObject {
    Q_OBJECT

private slots:
    // Termine looks only at the open state and Complet only at the text, of every cell: the
    // first and the last cell prove the whole board is looked at.
    void termineAndComplet_data() {
        QTest::addColumn<int>("openCell");  // -1: none, 81: all
        QTest::addColumn<int>("emptyCell"); // -1: none
        QTest::addColumn<bool>("termine");
        QTest::addColumn<bool>("complet");
        QTest::newRow("full, all locked") << -1 << -1 << true << true;
        QTest::newRow("full, all open") << 81 << -1 << false << true;
        QTest::newRow("first cell open") << 0 << -1 << false << true;
        QTest::newRow("last cell open") << 80 << -1 << false << true;
        QTest::newRow("first cell empty") << -1 << 0 << true << false;
        QTest::newRow("last cell empty, all open") << 81 << 80 << false << false;
    }
    void termineAndComplet() {
        QFETCH(int, openCell);
        QFETCH(int, emptyCell);
        QFETCH(bool, termine);
        QFETCH(bool, complet);
        MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(1));
        for (int i = 0; i < NombreCases; ++i)
            board.setEnabled(i, openCell == i || openCell == NombreCases);
        if (emptyCell >= 0)
            board.setText(emptyCell, QString());
        QCOMPARE(modGrille::Termine(board), termine);
        QCOMPARE(modGrille::Complet(board), complet);
    }

    void casesJustes_data() {
        QTest::addColumn<int>("grille");
        QTest::addColumn<QList<int>>("wrongCells");
        QTest::newRow("entry 1, all right") << 1 << QList<int>{};
        QTest::newRow("entry 250, all right") << 250 << QList<int>{};
        QTest::newRow("entry 137, corners wrong") << 137 << QList<int>{0, 80};
        QTest::newRow("entry 42, top-right and bottom-left wrong") << 42 << QList<int>{8, 72};
        QTest::newRow("entry 7, only centre wrong") << 7 << QList<int>{40};
    }
    void casesJustes() {
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

    void casesJustesLeavesRightRedCellRed() {
        // Only typing turns a red digit back to window text.
        MemoryBoard board = MemoryBoard::fromPicture(solvedPicture(5));
        board.setForeColor(12, Couleur::Rouge);
        QVERIFY(modGrille::CasesJustes(board, 5));
        QCOMPARE(board.foreColor(12), Couleur::Rouge);
    }
};

QTEST_APPLESS_MAIN(tst_BoardTests)

#include "tst_board_tests.moc"
