#include "board_fixtures.h"
#include "puzzle/cell_entry.h"

#include <QtTest>

using namespace fixtures; // with Couleur, MemoryBoard and NombreCases

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

// Presses `key` in cell i; returns the key left for the caller to insert, 0 for none.
int press(MemoryBoard &board, RecordingHooks &hooks, int i, int key, qint16 grille,
          bool sansAssistance) {
    modGrille::ToucheCase(board, hooks, i, key, grille, sansAssistance);
    return key;
}

} // namespace

class tst_CellEntry : public QObject {
    Q_OBJECT

private slots:
    void keyOtherThanADigit_data() {
        QTest::addColumn<bool>("sansAssistance");
        QTest::addColumn<int>("key");
        const QList<std::pair<const char *, int>> keys = {
            {"Backspace", Backspace}, {"0", '0'},     {"slash", '/'}, {"colon", ':'},
            {"letter", 'a'},          {"space", ' '}, {"Enter", 13},  {"Escape", 27},
        };
        for (const auto &[name, key] : keys) {
            QTest::addRow("assistance on, %s", name) << false << key;
            QTest::addRow("assistance off, %s", name) << true << key;
        }
    }

    // The only open cell holds a digit: judging it would end or change things. Backspace
    // leaves a red wrong digit as it is; any other key empties the cell, and with assistance
    // on counts as a wrong entry.
    void keyOtherThanADigit() {
        QFETCH(bool, sansAssistance);
        QFETCH(int, key);
        const bool backspace = key == Backspace;
        const QString old = backspace ? wrongDigitOf(1, 40) : digitOf(1, 40);
        MemoryBoard board = boardWithOpen(1, {40});
        enter(board, 40, old, backspace ? Couleur::Rouge : Couleur::TexteFenetre);
        RecordingHooks hooks;
        QCOMPARE(press(board, hooks, 40, key, 1, sansAssistance), backspace ? Backspace : 0);
        QCOMPARE(board.text(40), backspace ? old : QString());
        QCOMPARE(board.foreColor(40),
                 backspace || !sansAssistance ? Couleur::Rouge : Couleur::TexteFenetre);
        QCOMPARE(board.backColor(40), Couleur::FondFenetre);
        QVERIFY(board.isEnabled(40));
        QCOMPARE(hooks.calls, QStringList());
    }

    void assistanceOffJudgesOnlyFullGrid() {
        const qint16 grille = 3;
        MemoryBoard board = boardWithOpen(grille, {3, 40, 77});
        RecordingHooks hooks;
        auto type = [&](int i, const QString &digit) {
            QCOMPARE(press(board, hooks, i, keyOf(digit), grille, true), 0);
            QCOMPARE(board.text(i), digit);
        };
        const auto fores = [&] {
            return QList<Couleur>{board.foreColor(3), board.foreColor(40), board.foreColor(77)};
        };
        const Couleur texte = Couleur::TexteFenetre, rouge = Couleur::Rouge;

        // Wrong digits in a grid that is not full yet are not marked.
        type(3, wrongDigitOf(grille, 3));
        type(40, digitOf(grille, 40));
        QCOMPARE(fores(), QList<Couleur>({texte, texte, texte}));
        QCOMPARE(hooks.calls, QStringList());

        // The last empty cell filled wrongly: both wrong cells turn red, no message.
        type(77, wrongDigitOf(grille, 77));
        QCOMPARE(fores(), QList<Couleur>({rouge, texte, rouge}));
        QCOMPARE(hooks.calls, QStringList());

        // Correcting one of them is not enough; the other stays red.
        type(3, digitOf(grille, 3));
        QCOMPARE(fores(), QList<Couleur>({texte, texte, rouge}));
        QCOMPARE(hooks.calls, QStringList());

        // The last wrong one corrected: the message, then Finish disabled; cells stay open.
        type(77, digitOf(grille, 77));
        QCOMPARE(board.foreColor(77), texte);
        QCOMPARE(hooks.calls, QStringList({"Bravo", "Finir:false"}));
        QVERIFY(board.isEnabled(3) && board.isEnabled(40) && board.isEnabled(77));

        // Any later key that leaves the grid right brings the message again.
        type(40, digitOf(grille, 40));
        QCOMPARE(hooks.calls, QStringList({"Bravo", "Finir:false", "Bravo", "Finir:false"}));
        type(40, wrongDigitOf(grille, 40));
        QCOMPARE(board.foreColor(40), rouge);
        QCOMPARE(hooks.calls.size(), 4);
    }

    void assistanceOnJudgesDigit_data() {
        QTest::addColumn<bool>("hadWrongDigit");
        QTest::addColumn<bool>("typeRight");
        QTest::addColumn<bool>("otherOpen");
        QTest::newRow("right digit in an empty cell") << false << true << true;
        QTest::newRow("right digit over a red wrong digit") << true << true << true;
        QTest::newRow("wrong digit in an empty cell") << false << false << true;
        QTest::newRow("wrong digit over a red wrong digit") << true << false << true;
        QTest::newRow("wrong digit in the last open cell") << false << false << false;
    }
    void assistanceOnJudgesDigit() {
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
        // The caller inserts the key into the emptied cell.
        QCOMPARE(press(board, hooks, cell, key, grille, false), key);
        QCOMPARE(board.text(cell), QString());
        QCOMPARE(board.isEnabled(cell), !typeRight);
        QCOMPARE(board.backColor(cell), typeRight ? Couleur::Vert : Couleur::FondFenetre);
        QCOMPARE(board.foreColor(cell), typeRight ? Couleur::TexteFenetre : Couleur::Rouge);
        QCOMPARE(hooks.calls, QStringList());
    }

    void assistanceOnLastOpenCellSolved_data() {
        QTest::addColumn<int>("grille");
        QTest::addColumn<int>("cell");
        QTest::addColumn<bool>("hadWrongDigit");
        QTest::newRow("first cell") << 1 << 0 << false;
        QTest::newRow("centre cell over a wrong digit") << 99 << 40 << true;
        QTest::newRow("last cell") << 250 << 80 << false;
    }
    void assistanceOnLastOpenCellSolved() {
        QFETCH(int, grille);
        QFETCH(int, cell);
        QFETCH(bool, hadWrongDigit);
        const qint16 g = qint16(grille);
        MemoryBoard board = boardWithOpen(g, {cell});
        board.setBackColor(cell == 0 ? 1 : 0, Couleur::Vert); // a cell solved earlier
        if (hadWrongDigit)
            enter(board, cell, wrongDigitOf(g, cell), Couleur::Rouge);
        RecordingHooks hooks(&board, cell);
        // Already written: inserting it again would give two digits.
        QCOMPARE(press(board, hooks, cell, keyOf(digitOf(g, cell)), g, false), 0);
        QCOMPARE(hooks.calls, QStringList({"Rafraichir", "Bravo", "Finir:false"}));
        QCOMPARE(hooks.textAtBravo, digitOf(g, cell)); // the digit shows first
        QCOMPARE(board.picture(), solvedPicture(g));
        QCOMPARE(board.backColor(cell), Couleur::Vert);
        QCOMPARE(board.foreColor(cell), Couleur::TexteFenetre);
        QVERIFY(!board.isEnabled(cell));
    }

    void finishRewritesCell_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("content"); // "empty", "wrong" or "right"
        QTest::addColumn<bool>("open");
        QTest::addColumn<Couleur>("back");
        QTest::addColumn<Couleur>("fore");
        QTest::addColumn<Couleur>("expectedBack");
        QTest::addColumn<Couleur>("expectedFore");
        using enum modGrille::Couleur;
        const auto row = [](const char *name, int cell, const char *content, bool open,
                            Couleur back, Couleur fore, Couleur expectedBack,
                            Couleur expectedFore) {
            QTest::newRow(name) << cell << QString::fromLatin1(content) << open << back << fore
                                << expectedBack << expectedFore;
        };
        row("empty open cell", 40, "empty", true, FondFenetre, Rouge, Vert, TexteFenetre);
        row("red wrong digit", 0, "wrong", true, FondFenetre, Rouge, Rouge, Rouge);
        row("unjudged wrong digit", 80, "wrong", true, FondFenetre, TexteFenetre, Rouge,
            TexteFenetre);
        row("right open digit", 41, "right", true, FondFenetre, TexteFenetre, FondFenetre,
            TexteFenetre);
        row("solved green cell", 5, "right", false, Vert, TexteFenetre, Vert, TexteFenetre);
        row("given", 6, "right", false, Cyan, TexteFenetre, Cyan, TexteFenetre);
        row("cell corrected by an earlier Finish", 7, "right", false, Rouge, Rouge, Rouge, Rouge);
    }
    void finishRewritesCell() {
        QFETCH(int, cell);
        QFETCH(QString, content);
        QFETCH(bool, open);
        QFETCH(Couleur, back);
        QFETCH(Couleur, fore);
        QFETCH(Couleur, expectedBack);
        QFETCH(Couleur, expectedFore);
        const qint16 grille = 3;
        MemoryBoard board = boardWithOpen(grille, {10});
        board.at(cell) = {content == QLatin1String("empty")   ? QString()
                          : content == QLatin1String("wrong") ? wrongDigitOf(grille, cell)
                                                              : digitOf(grille, cell),
                          open, back, fore};
        RecordingHooks hooks;
        modGrille::Finir(board, hooks, grille);

        QCOMPARE(board.backColor(cell), expectedBack);
        QCOMPARE(board.foreColor(cell), expectedFore);
        QCOMPARE(board.picture(), solvedPicture(grille));
        for (int i = 0; i < NombreCases; ++i)
            QVERIFY2(!board.isEnabled(i), qPrintable(QString::number(i)));
        QCOMPARE(hooks.calls, QStringList({"Finir:false"}));
    }

    void answerRevealsCell_data() {
        QTest::addColumn<bool>("hadWrongDigit");
        QTest::addColumn<bool>("otherOpen");
        QTest::newRow("empty cell") << false << true;
        QTest::newRow("red wrong digit") << true << true;
        QTest::newRow("last open cell") << false << false;
        QTest::newRow("last open cell, red wrong digit") << true << false;
    }
    void answerRevealsCell() {
        QFETCH(bool, hadWrongDigit);
        QFETCH(bool, otherOpen);
        const qint16 grille = 8;
        const int cell = 40;
        MemoryBoard board =
            otherOpen ? boardWithOpen(grille, {0, cell, 80}) : boardWithOpen(grille, {cell});
        if (hadWrongDigit)
            enter(board, cell, wrongDigitOf(grille, cell), Couleur::Rouge);
        RecordingHooks hooks(&board, cell);
        modGrille::Reponse(board, hooks, cell, grille);

        QCOMPARE(board.text(cell), digitOf(grille, cell));
        QCOMPARE(board.foreColor(cell), Couleur::TexteFenetre);
        QCOMPARE(board.backColor(cell), Couleur::Vert);
        QVERIFY(!board.isEnabled(cell));
        if (otherOpen) {
            QCOMPARE(hooks.calls, QStringList());
            QVERIFY(board.isEnabled(0) && board.isEnabled(80));
        } else {
            // The board is over, but Finish stays as it was.
            QCOMPARE(hooks.calls, QStringList({"Bravo"}));
            QCOMPARE(hooks.textAtBravo, digitOf(grille, cell));
        }
    }
};

QTEST_APPLESS_MAIN(tst_CellEntry)

#include "tst_cell_entry.moc"
