// The game logic on an in-memory board: the board tests, laying a puzzle, the keys typed
// into a cell with and without assistance, Finish and Answer.
#include "puzzle/bank.h"
#include "puzzle/board_tests.h"
#include "puzzle/cell_entry.h"
#include "puzzle/memory_board.h"
#include "puzzle/prepare.h"

#include <QTest>

using namespace modGrille;

namespace modGrille {
char *toString(Colour colour) {
    static const char *const names[] = {"WindowBackground", "WindowText", "Cyan", "Green", "Red"};
    return qstrdup(names[int(colour)]);
}
} // namespace modGrille

namespace {
constexpr qint16 G = 7; // the bank entry most tests play

QString digitOf(int i, qint16 g = G) {
    return QString(QLatin1Char(SolutionBank[g - 1][i]));
}
QString wrongOf(int i) {
    return QString::number(digitOf(i).toInt() % 9 + 1);
}
int code(const QString &digit) {
    return digit.at(0).unicode();
}

// Entry G solved, as locked cyan givens, with the cells `open` empty and open.
MemoryBoard withOpen(const QList<int> &open, qint16 g = G) {
    QString picture = QString::fromLatin1(SolutionBank[g - 1], CellCount);
    for (int i : open)
        picture[i] = u'.';
    return MemoryBoard::fromPicture(picture);
}

// Hands out a fixed sequence of draws, then counts upwards so that a faulty loop still ends.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(QList<int> script)
        : m_script(std::move(script)) {}
    int below(int n) override {
        bounds << n;
        return m_next < m_script.size() ? m_script.at(m_next++) : m_spare++ % n;
    }
    QList<int> bounds;

private:
    QList<int> m_script;
    qsizetype m_next = 0;
    int m_spare = 0;
};
} // namespace

class TestPuzzle : public QObject {
    Q_OBJECT
private slots:
    void boardTests() {
        MemoryBoard full = withOpen({});
        QVERIFY(Termine(full) && Complet(full) && CasesJustes(full, G));
        for (int empty : {0, 80}) { // one open empty cell anywhere
            MemoryBoard board = withOpen({empty});
            QVERIFY(!Termine(board) && !Complet(board));
        }
        MemoryBoard board = withOpen({3, 40, 77});
        board.setText(3, wrongOf(3));
        board.setText(40, digitOf(40));
        board.setText(77, wrongOf(77));
        QVERIFY(!Termine(board) && Complet(board));
        QVERIFY(!CasesJustes(board, G));
        for (int i = 0; i < CellCount; ++i)
            QCOMPARE(board.foreColor(i), i == 3 || i == 77 ? Colour::Red : Colour::WindowText);
    }

    // A board left by an earlier game comes out as exactly the level's blanks and givens; a
    // level past either end is the nearest one.
    void prepareLaysGivensAndBlanks() {
        for (auto [level, empty] :
             {std::pair<qint16, int>{0, 40}, {1, 45}, {5, 65}, {6, 65}, {-1, 40}}) {
            MemoryBoard board = withOpen({0, 1, 2, 40});
            board.setBackColor(1, Colour::Green);
            board.setForeColor(2, Colour::Red);
            board.setText(40, QStringLiteral("5"));
            SeededRandom random(quint64(level) + 11);
            qint16 numGrille = 0;
            PrepareGrille(board, level, random, numGrille);
            QVERIFY(numGrille >= 1 && numGrille <= GridCount);
            int blanks = 0;
            for (int i = 0; i < CellCount; ++i) {
                const bool blank = board.text(i).isEmpty();
                blanks += blank;
                QVERIFY(board.isEnabled(i) == blank);
                QVERIFY(board.backColor(i) == (blank ? Colour::WindowBackground : Colour::Cyan));
                QVERIFY(blank || board.text(i) == digitOf(i, numGrille));
            }
            QCOMPARE(blanks, empty);                   // Beginner 40, five more a level, Expert 65
            QCOMPARE(board.foreColor(2), Colour::Red); // a new game never sets the text colour
        }
    }

    // The grid number is drawn first over the 250 entries, then each cell over all 81; a draw
    // that hits a blank cell is drawn again.
    void prepareDrawsAgainOnABlankCell() {
        QList<int> script{249, 0, 0, 0, 80, 80, 40};
        for (int i = 1; script.size() < 44; ++i) // 40 distinct cells in all
            if (i != 40 && i != 80)
                script << i;
        ScriptedRandom random(script);
        MemoryBoard board;
        qint16 numGrille = 0;
        PrepareGrille(board, 0, random, numGrille);
        QCOMPARE(numGrille, qint16(250));
        QCOMPARE(random.bounds.size(), 44); // every draw taken, none more
        QCOMPARE(random.bounds.first(), 250);
        QCOMPARE(random.bounds.last(), 81);
        for (int i : {0, 40, 80})
            QVERIFY(board.text(i).isEmpty());
        QVERIFY(!board.text(script.last() + 1).isEmpty());
        // Each game is seeded afresh from the system's entropy: two seeds in a row differ.
        QVERIFY(SeededRandom::entropySeed() != SeededRandom::entropySeed());
    }

    // A key into an open cell holding a wrong digit in red. W stands for that digit, X for
    // another wrong one, B for Backspace.
    void keyReplacesTheDigit_data() {
        QTest::addColumn<bool>("assisted");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");   // the cell's text after the handler
        QTest::addColumn<QString>("insert"); // what the cell inserts then
        QTest::addColumn<Colour>("fore");
        const auto row = [](const char *name, bool assisted, const char *key, const char *text,
                            const char *insert, Colour fore) {
            QTest::addRow("%s: %s", assisted ? "assisted" : "unassisted", name)
                << assisted << key << text << insert << fore;
        };
        for (bool assisted : {true, false}) {
            const Colour judged = assisted ? Colour::Red : Colour::WindowText;
            row("Backspace keeps the colour", assisted, "B", "W", "B", Colour::Red);
            row("letter empties", assisted, "a", "", "", judged);
            row("zero empties", assisted, "0", "", "", judged);
            row("Enter empties", assisted, "\r", "", "", judged);
            row("another wrong digit", assisted, "X", assisted ? "" : "X", assisted ? "X" : "",
                judged);
        }
    }
    void keyReplacesTheDigit() {
        QFETCH(bool, assisted);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, insert);
        QFETCH(Colour, fore);
        const int i = 40;
        QString other = QStringLiteral("1");
        while (other == digitOf(i) || other == wrongOf(i))
            other = QString::number(other.toInt() + 1);
        const auto expand = [&](QString s) {
            return s.replace(u'W', wrongOf(i)).replace(u'X', other).replace(u'B', QChar(Backspace));
        };
        MemoryBoard board = withOpen({i, 41}); // 41 keeps the grid from being full
        board.setText(i, wrongOf(i));
        board.setForeColor(i, Colour::Red);
        const Outcome outcome = handleKey(board, i, code(expand(key)), G, !assisted);
        QCOMPARE(board.text(i), expand(text));
        QCOMPARE(outcome.key ? QString(QChar(outcome.key)) : QString(), expand(insert));
        QCOMPARE(board.foreColor(i), fore);
        QVERIFY(board.isEnabled(i) && !outcome.bravo && !outcome.disableFinish && !outcome.locked);
    }

    void assistedRightDigitLocksGreen() {
        MemoryBoard board = withOpen({10, 20});
        const Outcome first = handleKey(board, 10, code(digitOf(10)), G, false);
        QCOMPARE(first.key, code(digitOf(10))); // inserted by the cell
        QVERIFY(!board.isEnabled(10) && !first.bravo);
        QCOMPARE(board.backColor(10), Colour::Green);
        // The last open cell solved: its digit is written before the message, not inserted.
        const Outcome last = handleKey(board, 20, code(digitOf(20)), G, false);
        QCOMPARE(board.text(20), digitOf(20));
        QCOMPARE(last.key, 0);
        QVERIFY(last.repaint && last.bravo && last.disableFinish);
    }

    void unassistedGridIsJudgedWhenFull() {
        const QList<int> open{0, 30, 80};
        MemoryBoard board = withOpen(open);
        QVERIFY(!handleKey(board, 0, code(wrongOf(0)), G, true).bravo);
        QCOMPARE(board.foreColor(0), Colour::WindowText); // not full yet: not judged
        handleKey(board, 30, code(digitOf(30)), G, true);
        handleKey(board, 80, code(wrongOf(80)), G, true);
        QCOMPARE(board.foreColor(0), Colour::Red);
        QCOMPARE(board.foreColor(80), Colour::Red);
        QVERIFY(!handleKey(board, 0, code(digitOf(0)), G, true).bravo);
        QCOMPARE(board.foreColor(80), Colour::Red);
        const Outcome solved = handleKey(board, 80, code(digitOf(80)), G, true);
        QVERIFY(solved.bravo && solved.disableFinish && !solved.repaint);
        for (int i : open)
            QVERIFY(board.isEnabled(i));                                 // the cells stay open
        QVERIFY(handleKey(board, 30, code(digitOf(30)), G, true).bravo); // and again
    }

    void finishRewritesEveryCell() {
        MemoryBoard board = withOpen({0, 1, 2, 3, 4});
        board.setText(1, wrongOf(1));
        board.setForeColor(1, Colour::Red);
        board.setText(2, wrongOf(2));
        board.setText(3, digitOf(3));
        handleKey(board, 4, code(digitOf(4)), G, false); // solved, green
        board.setText(4, digitOf(4));                    // as the cell inserts the key
        QCOMPARE(countFinish(board, G).filled, 1);
        QCOMPARE(countFinish(board, G).corrected, 2);
        QVERIFY(finishGrid(board, G).disableFinish);
        const QList<std::pair<Colour, Colour>> colours{
            {Colour::Green, Colour::WindowText},            // empty
            {Colour::Red, Colour::Red},                     // red wrong digit
            {Colour::Red, Colour::WindowText},              // unjudged wrong digit
            {Colour::WindowBackground, Colour::WindowText}, // right digit
            {Colour::Green, Colour::WindowText},            // solved earlier
            {Colour::Cyan, Colour::WindowText}};            // given
        for (int i = 0; i < CellCount; ++i) {
            QCOMPARE(board.text(i), digitOf(i));
            QVERIFY(!board.isEnabled(i));
            QCOMPARE(board.backColor(i), colours.at(qMin(i, 5)).first);
            QCOMPARE(board.foreColor(i), colours.at(qMin(i, 5)).second);
        }
    }

    void answerRevealsTheCell() {
        MemoryBoard board = withOpen({8, 72});
        board.setText(8, wrongOf(8));
        board.setForeColor(8, Colour::Red);
        QVERIFY(!revealAnswer(board, 8, G).bravo);
        QCOMPARE(board.text(8), digitOf(8));
        QCOMPARE(board.foreColor(8), Colour::WindowText);
        QCOMPARE(board.backColor(8), Colour::Green);
        QVERIFY(!board.isEnabled(8));
        const Outcome last = revealAnswer(board, 72, G);
        QVERIFY(last.bravo && !last.disableFinish); // Finish stays available
    }
};

QTEST_GUILESS_MAIN(TestPuzzle)
#include "tst_puzzle.moc"
