#include "board_fixtures.h"
#include "puzzle/cell_entry.h"
#include "puzzle/prepare.h"

#include <QtTest>

using fixtures::boardWithOpen;
using fixtures::digitOf;
using fixtures::RecordingHooks;
using fixtures::solvedPicture;
using fixtures::wrongDigitOf;
using modGrille::Couleur;
using modGrille::MemoryBoard;
using modGrille::NombreCases;

namespace {

constexpr int Backspace = 8;

int keyOf(const QString &digit) {
    return digit.at(0).unicode();
}

// Puts a player's digit into open cell i, drawn in `fore`.
void enter(MemoryBoard &board, int i, const QString &digit, Couleur fore) {
    board.setText(i, digit);
    board.setForeColor(i, fore);
}

} // namespace

class tst_CellEntry : public QObject {
    Q_OBJECT

private slots:
    void backspaceChangesNothing_data();
    void backspaceChangesNothing();
    void nonDigitKeyEmptiesCell_data();
    void nonDigitKeyEmptiesCell();
    void digitReplacesDigit_data();
    void digitReplacesDigit();
    void assistanceOffJudgesOnlyFullGrid();
    void assistanceOnJudgesDigit_data();
    void assistanceOnJudgesDigit();
    void assistanceOnLastOpenCellSolved_data();
    void assistanceOnLastOpenCellSolved();
    void finishRewritesCell_data();
    void finishRewritesCell();
    void finishAfterNewGame();
    void answerRevealsCell_data();
    void answerRevealsCell();
};

void tst_CellEntry::backspaceChangesNothing_data() {
    QTest::addColumn<bool>("sansAssistance");
    QTest::newRow("assistance on") << false;
    QTest::newRow("assistance off") << true;
}

void tst_CellEntry::backspaceChangesNothing() {
    QFETCH(bool, sansAssistance);
    // The only open cell holds a red wrong digit: judging now would end or change things.
    MemoryBoard board = boardWithOpen(1, {40});
    enter(board, 40, wrongDigitOf(1, 40), Couleur::Rouge);
    RecordingHooks hooks;
    int k = Backspace;
    modGrille::ToucheCase(board, hooks, 40, k, 1, sansAssistance);

    QCOMPARE(k, Backspace);
    QCOMPARE(board.text(40), wrongDigitOf(1, 40));
    QCOMPARE(board.foreColor(40), Couleur::Rouge);
    QCOMPARE(board.backColor(40), Couleur::FondFenetre);
    QVERIFY(board.isEnabled(40));
    QCOMPARE(hooks.calls, QStringList());
}

void tst_CellEntry::nonDigitKeyEmptiesCell_data() {
    QTest::addColumn<bool>("sansAssistance");
    QTest::addColumn<int>("key");
    const QList<std::pair<const char *, int>> keys = {
        {"0", '0'},     {"slash", '/'}, {"colon", ':'}, {"letter", 'a'},
        {"space", ' '}, {"Enter", 13},  {"Escape", 27},
    };
    for (const auto &[name, key] : keys) {
        QTest::addRow("assistance on, %s", name) << false << key;
        QTest::addRow("assistance off, %s", name) << true << key;
    }
}

void tst_CellEntry::nonDigitKeyEmptiesCell() {
    QFETCH(bool, sansAssistance);
    QFETCH(int, key);
    MemoryBoard board = boardWithOpen(2, {0, 40});
    enter(board, 40, digitOf(2, 40), Couleur::TexteFenetre);
    RecordingHooks hooks;
    int k = key;
    modGrille::ToucheCase(board, hooks, 40, k, 2, sansAssistance);

    QCOMPARE(k, 0);
    QCOMPARE(board.text(40), QString());
    QVERIFY(board.isEnabled(40));
    QCOMPARE(board.backColor(40), Couleur::FondFenetre);
    // With assistance on, a swallowed key counts as a wrong entry.
    QCOMPARE(board.foreColor(40), sansAssistance ? Couleur::TexteFenetre : Couleur::Rouge);
    QCOMPARE(hooks.calls, QStringList());
}

void tst_CellEntry::digitReplacesDigit_data() {
    QTest::addColumn<bool>("sansAssistance");
    QTest::addColumn<QString>("old");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedKey");
    // Cell 40 of entry 1 is a 7. With assistance on the caller inserts the returned key.
    QTest::newRow("assistance off, 3 then 7") << true << "3" << int('7') << "7" << 0;
    QTest::newRow("assistance off, 7 then 3") << true << "7" << int('3') << "3" << 0;
    QTest::newRow("assistance on, 3 then 7") << false << "3" << int('7') << "" << int('7');
    QTest::newRow("assistance on, 5 then 3") << false << "5" << int('3') << "" << int('3');
}

void tst_CellEntry::digitReplacesDigit() {
    QFETCH(bool, sansAssistance);
    QFETCH(QString, old);
    QFETCH(int, key);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedKey);
    QCOMPARE(digitOf(1, 40), QStringLiteral("7"));
    MemoryBoard board = boardWithOpen(1, {0, 40});
    enter(board, 40, old, Couleur::TexteFenetre);
    RecordingHooks hooks;
    int k = key;
    modGrille::ToucheCase(board, hooks, 40, k, 1, sansAssistance);

    QCOMPARE(board.text(40), expectedText);
    QCOMPARE(k, expectedKey);
}

void tst_CellEntry::assistanceOffJudgesOnlyFullGrid() {
    const qint16 grille = 3;
    MemoryBoard board = boardWithOpen(grille, {3, 40, 77});
    RecordingHooks hooks;
    auto type = [&](int i, const QString &digit) {
        int k = keyOf(digit);
        modGrille::ToucheCase(board, hooks, i, k, grille, true);
        QCOMPARE(k, 0);
        QCOMPARE(board.text(i), digit);
    };

    // Wrong digits in a grid that is not full yet are not marked.
    type(3, wrongDigitOf(grille, 3));
    type(40, digitOf(grille, 40));
    QCOMPARE(board.foreColor(3), Couleur::TexteFenetre);
    QCOMPARE(hooks.calls, QStringList());

    // The last empty cell filled wrongly: both wrong cells turn red, no message.
    type(77, wrongDigitOf(grille, 77));
    QCOMPARE(board.foreColor(3), Couleur::Rouge);
    QCOMPARE(board.foreColor(40), Couleur::TexteFenetre);
    QCOMPARE(board.foreColor(77), Couleur::Rouge);
    QCOMPARE(hooks.calls, QStringList());

    // Correcting one of them is not enough; the other stays red.
    type(3, digitOf(grille, 3));
    QCOMPARE(board.foreColor(3), Couleur::TexteFenetre);
    QCOMPARE(board.foreColor(77), Couleur::Rouge);
    QCOMPARE(hooks.calls, QStringList());

    // The last wrong one corrected: the message, then Finish disabled; cells stay open.
    type(77, digitOf(grille, 77));
    QCOMPARE(board.foreColor(77), Couleur::TexteFenetre);
    QCOMPARE(hooks.calls, QStringList({"Bravo", "Finir:false"}));
    for (int i : {3, 40, 77})
        QVERIFY(board.isEnabled(i));

    // Any later key that leaves the grid right brings the message again.
    type(40, digitOf(grille, 40));
    QCOMPARE(hooks.calls, QStringList({"Bravo", "Finir:false", "Bravo", "Finir:false"}));
    type(40, wrongDigitOf(grille, 40));
    QCOMPARE(board.foreColor(40), Couleur::Rouge);
    QCOMPARE(hooks.calls.size(), 4);
}

void tst_CellEntry::assistanceOnJudgesDigit_data() {
    QTest::addColumn<bool>("hadWrongDigit");
    QTest::addColumn<bool>("typeRight");
    QTest::addColumn<bool>("otherOpen");
    QTest::newRow("right digit in an empty cell") << false << true << true;
    QTest::newRow("right digit over a red wrong digit") << true << true << true;
    QTest::newRow("wrong digit in an empty cell") << false << false << true;
    QTest::newRow("wrong digit over a red wrong digit") << true << false << true;
    QTest::newRow("wrong digit in the last open cell") << false << false << false;
}

void tst_CellEntry::assistanceOnJudgesDigit() {
    QFETCH(bool, hadWrongDigit);
    QFETCH(bool, typeRight);
    QFETCH(bool, otherOpen);
    const qint16 grille = 4;
    const int cell = 22;
    MemoryBoard board =
        otherOpen ? boardWithOpen(grille, {cell, 60}) : boardWithOpen(grille, {cell});
    if (hadWrongDigit)
        enter(board, cell, wrongDigitOf(grille, cell), Couleur::Rouge);
    RecordingHooks hooks;
    const int key = keyOf(typeRight ? digitOf(grille, cell) : wrongDigitOf(grille, cell));
    int k = key;
    modGrille::ToucheCase(board, hooks, cell, k, grille, false);

    QCOMPARE(k, key); // the caller inserts it into the emptied cell
    QCOMPARE(board.text(cell), QString());
    QCOMPARE(board.isEnabled(cell), !typeRight);
    QCOMPARE(board.backColor(cell), typeRight ? Couleur::Vert : Couleur::FondFenetre);
    QCOMPARE(board.foreColor(cell), typeRight ? Couleur::TexteFenetre : Couleur::Rouge);
    QCOMPARE(hooks.calls, QStringList());
}

void tst_CellEntry::assistanceOnLastOpenCellSolved_data() {
    QTest::addColumn<int>("grille");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("hadWrongDigit");
    QTest::newRow("first cell") << 1 << 0 << false;
    QTest::newRow("centre cell over a wrong digit") << 99 << 40 << true;
    QTest::newRow("last cell") << 250 << 80 << false;
}

void tst_CellEntry::assistanceOnLastOpenCellSolved() {
    QFETCH(int, grille);
    QFETCH(int, cell);
    QFETCH(bool, hadWrongDigit);
    MemoryBoard board = boardWithOpen(qint16(grille), {cell});
    board.setBackColor(cell == 0 ? 1 : 0, Couleur::Vert); // a cell solved earlier
    if (hadWrongDigit)
        enter(board, cell, wrongDigitOf(qint16(grille), cell), Couleur::Rouge);
    RecordingHooks hooks;
    hooks.board = &board;
    hooks.watched = cell;
    int k = keyOf(digitOf(qint16(grille), cell));
    modGrille::ToucheCase(board, hooks, cell, k, qint16(grille), false);

    QCOMPARE(hooks.calls, QStringList({"Rafraichir", "Bravo", "Finir:false"}));
    QCOMPARE(hooks.textAtBravo, digitOf(qint16(grille), cell)); // the digit shows first
    QCOMPARE(k, 0); // already written: inserting it again would give two digits
    QCOMPARE(board.picture(), solvedPicture(qint16(grille)));
    QCOMPARE(board.backColor(cell), Couleur::Vert);
    QCOMPARE(board.foreColor(cell), Couleur::TexteFenetre);
    QVERIFY(!board.isEnabled(cell));
}

void tst_CellEntry::finishRewritesCell_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("content"); // "empty", "wrong" or "right"
    QTest::addColumn<bool>("open");
    QTest::addColumn<Couleur>("back");
    QTest::addColumn<Couleur>("fore");
    QTest::addColumn<Couleur>("expectedBack");
    QTest::addColumn<Couleur>("expectedFore");
    QTest::newRow("empty open cell") << 40 << "empty" << true << Couleur::FondFenetre
                                     << Couleur::Rouge << Couleur::Vert << Couleur::TexteFenetre;
    QTest::newRow("red wrong digit") << 0 << "wrong" << true << Couleur::FondFenetre
                                     << Couleur::Rouge << Couleur::Rouge << Couleur::Rouge;
    QTest::newRow("unjudged wrong digit")
        << 80 << "wrong" << true << Couleur::FondFenetre << Couleur::TexteFenetre << Couleur::Rouge
        << Couleur::TexteFenetre;
    QTest::newRow("right open digit")
        << 41 << "right" << true << Couleur::FondFenetre << Couleur::TexteFenetre
        << Couleur::FondFenetre << Couleur::TexteFenetre;
    QTest::newRow("solved green cell")
        << 5 << "right" << false << Couleur::Vert << Couleur::TexteFenetre << Couleur::Vert
        << Couleur::TexteFenetre;
    QTest::newRow("given") << 6 << "right" << false << Couleur::Cyan << Couleur::TexteFenetre
                           << Couleur::Cyan << Couleur::TexteFenetre;
    QTest::newRow("cell corrected by an earlier Finish")
        << 7 << "right" << false << Couleur::Rouge << Couleur::Rouge << Couleur::Rouge
        << Couleur::Rouge;
}

void tst_CellEntry::finishRewritesCell() {
    QFETCH(int, cell);
    QFETCH(QString, content);
    QFETCH(bool, open);
    QFETCH(Couleur, back);
    QFETCH(Couleur, fore);
    QFETCH(Couleur, expectedBack);
    QFETCH(Couleur, expectedFore);
    const qint16 grille = 3;
    MemoryBoard board = boardWithOpen(grille, {10});
    MemoryBoard::Case &c = board.at(cell);
    c.text = content == QLatin1String("empty")   ? QString()
             : content == QLatin1String("wrong") ? wrongDigitOf(grille, cell)
                                                 : digitOf(grille, cell);
    c.enabled = open;
    c.back = back;
    c.fore = fore;
    RecordingHooks hooks;
    modGrille::Finir(board, hooks, grille);

    QCOMPARE(board.backColor(cell), expectedBack);
    QCOMPARE(board.foreColor(cell), expectedFore);
    QCOMPARE(board.picture(), solvedPicture(grille));
    for (int i = 0; i < NombreCases; ++i)
        QVERIFY2(!board.isEnabled(i), qPrintable(QString::number(i)));
    QCOMPARE(hooks.calls, QStringList({"Finir:false"}));
}

void tst_CellEntry::finishAfterNewGame() {
    MemoryBoard board;
    platform::SeededRandom random(5);
    qint16 numGrille = 0;
    modGrille::PrepareGrille(board, 5, random, numGrille);
    const QString puzzle = board.picture();
    RecordingHooks hooks;
    modGrille::Finir(board, hooks, numGrille);

    QCOMPARE(board.picture(), solvedPicture(numGrille));
    for (int i = 0; i < NombreCases; ++i) {
        const bool wasOpen = puzzle.at(i) == QLatin1Char('.');
        QCOMPARE(board.backColor(i), wasOpen ? Couleur::Vert : Couleur::Cyan);
        QCOMPARE(board.foreColor(i), Couleur::TexteFenetre);
        QVERIFY(!board.isEnabled(i));
    }
    QCOMPARE(hooks.calls, QStringList({"Finir:false"}));
}

void tst_CellEntry::answerRevealsCell_data() {
    QTest::addColumn<bool>("hadWrongDigit");
    QTest::addColumn<bool>("otherOpen");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::newRow("empty cell") << false << true << QStringList();
    QTest::newRow("red wrong digit") << true << true << QStringList();
    // The board is over, but Finish stays as it was.
    QTest::newRow("last open cell") << false << false << QStringList({"Bravo"});
    QTest::newRow("last open cell, red wrong digit") << true << false << QStringList({"Bravo"});
}

void tst_CellEntry::answerRevealsCell() {
    QFETCH(bool, hadWrongDigit);
    QFETCH(bool, otherOpen);
    QFETCH(QStringList, expectedCalls);
    const qint16 grille = 8;
    const int cell = 40;
    MemoryBoard board =
        otherOpen ? boardWithOpen(grille, {0, cell, 80}) : boardWithOpen(grille, {cell});
    if (hadWrongDigit)
        enter(board, cell, wrongDigitOf(grille, cell), Couleur::Rouge);
    RecordingHooks hooks;
    hooks.board = &board;
    hooks.watched = cell;
    modGrille::Reponse(board, hooks, cell, grille);

    QCOMPARE(board.text(cell), digitOf(grille, cell));
    QCOMPARE(board.foreColor(cell), Couleur::TexteFenetre);
    QCOMPARE(board.backColor(cell), Couleur::Vert);
    QVERIFY(!board.isEnabled(cell));
    QCOMPARE(hooks.calls, expectedCalls);
    if (!expectedCalls.isEmpty())
        QCOMPARE(hooks.textAtBravo, digitOf(grille, cell));
    if (otherOpen)
        QVERIFY(board.isEnabled(0) && board.isEnabled(80));
}

QTEST_APPLESS_MAIN(tst_CellEntry)

#include "tst_cell_entry.moc"
