// Micro-benchmarks of the game logic on an in-memory board: laying a new puzzle, and one
// key press in a cell through the cell-entry logic when it sets off the full-grid checks.
#include "puzzle/bank.h"
#include "puzzle/cell_entry.h"
#include "puzzle/memory_board.h"
#include "puzzle/prepare.h"
#include "puzzle/random_source.h"

#include <QtTest>

using modGrille::Colour;
using modGrille::MemoryBoard;

namespace {

constexpr qint16 Grille = 1;
constexpr int OpenCell = 40;

// Bank entry 1 solved, every cell a locked given except `OpenCell`, open and empty.
MemoryBoard fullGridWithOneOpenCell() {
    QString picture =
        QString::fromLatin1(modGrille::SolutionBank[Grille - 1], modGrille::CellCount);
    picture[OpenCell] = QLatin1Char('.');
    return MemoryBoard::fromPicture(picture);
}

void reopen(MemoryBoard &board) {
    MemoryBoard::Cell &cell = board.at(OpenCell);
    cell.text.clear();
    cell.enabled = true;
    cell.back = Colour::WindowBackground;
    cell.fore = Colour::WindowText;
}

} // namespace

class BenchLogic : public QObject {
    Q_OBJECT
private slots:
    void prepareGrille();
    void keyPress_data();
    void keyPress();
};

// A new puzzle of the hardest level (65 cells to empty) on a board left by the previous one.
void BenchLogic::prepareGrille() {
    MemoryBoard board;
    modGrille::SeededRandom random(20240601);
    qint16 numGrille = 0;
    QBENCHMARK {
        modGrille::PrepareGrille(board, 5, random, numGrille);
    }
    QVERIFY(numGrille >= 1 && numGrille <= modGrille::GridCount);
}

void BenchLogic::keyPress_data() {
    QTest::addColumn<bool>("sansAssistance");
    QTest::addColumn<bool>("rightDigit");

    // Assisted: judges the digit, then Termine scans the 81 cells.
    QTest::newRow("assisted, right digit solves the grid") << false << true;
    QTest::newRow("assisted, wrong digit") << false << false;
    // Unassisted: the grid is full, so Complet and CasesJustes scan the 81 cells.
    QTest::newRow("unassisted, right digit solves the grid") << true << true;
    QTest::newRow("unassisted, wrong digit") << true << false;
}

// One key press in the last open cell of a full grid. Each round first puts the cell back
// to open and empty, which costs four assignments.
void BenchLogic::keyPress() {
    QFETCH(bool, sansAssistance);
    QFETCH(bool, rightDigit);

    const int solution = modGrille::ChiffreSolution(Grille, OpenCell + 1);
    const int digit = rightDigit ? solution : solution % 9 + 1;
    MemoryBoard board = fullGridWithOneOpenCell();
    QBENCHMARK {
        reopen(board);
        modGrille::handleKey(board, OpenCell, '0' + digit, Grille, sansAssistance);
    }
    // Assisted, the digit is inserted by the cell after the handler; only the last right
    // digit is written by the handler itself.
    QCOMPARE(board.text(OpenCell).isEmpty(), !sansAssistance && !rightDigit);
}

QTEST_GUILESS_MAIN(BenchLogic)
#include "bench_logic.moc"
