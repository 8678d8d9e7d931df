#include "puzzle/bank.h"
#include "puzzle/grid_forms.h"

#include <QByteArray>
#include <QList>
#include <QtTest>

#include <cstring>

using modGrille::BanqueGrilles;
using modGrille::ChiffreSolution;
using modGrille::NombreGrilles;

namespace {

const QByteArray entry1 =
    "358764291297318465164925837782651349643279158519843672825496713976132584431587926";
const QByteArray entry2 =
    "291385476367149528845267391732456819584791632916823745423518967159674283678932154";
const QByteArray entry3 =
    "812596734357248169469713285293475618741689352586132947128357496635924871974861523";

// The entry as the rest of the program sees it: 81 lookups turned back into characters.
QByteArray lookedUp(qint16 grille) {
    QByteArray text;
    for (qint16 position = 1; position <= 81; ++position)
        text.append(char('0' + ChiffreSolution(grille, position)));
    return text;
}

// Built here from explicit coordinates rather than through gridForms, so that the
// canonical form is checked against copies it did not make itself: `to` gives the new
// index of the cell in row r, column c.
template <typename F> QByteArray moved(const QByteArray &grid, F to) {
    QByteArray out(81, '0');
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            out[to(r, c)] = grid.at(r * 9 + c);
    return out;
}

QByteArray quarterTurnClockwise(const QByteArray &grid) {
    return moved(grid, [](int r, int c) { return c * 9 + (8 - r); });
}

QByteArray mirroredLeftRight(const QByteArray &grid) {
    return moved(grid, [](int r, int c) { return r * 9 + (8 - c); });
}

// Rows (or columns) a and b swapped.
QByteArray swapped(const QByteArray &grid, bool rows, int a, int b) {
    const auto other = [a, b](int x) { return x == a ? b : x == b ? a : x; };
    return moved(grid, [&](int r, int c) { return rows ? other(r) * 9 + c : r * 9 + other(c); });
}

// `digits` gives the new name of 1, 2, ... 9.
QByteArray renamed(const QByteArray &grid, const QByteArray &digits) {
    QByteArray out = grid;
    for (char &ch : out)
        ch = digits.at(ch - '1');
    return out;
}

} // namespace

class tst_Bank : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (int n = 1; n <= NombreGrilles; ++n)
            m_forms.append(gridForms::canonicalForm(QByteArray(BanqueGrilles[n - 1])));
    }

    // Each entry is 81 digits forming a complete grid, and not a rotation, reflection or
    // renaming of an earlier one.
    void entryIsANewCompleteGrid_data() {
        QTest::addColumn<int>("grille");
        for (int n = 1; n <= NombreGrilles; ++n)
            QTest::addRow("entry %d", n) << n;
    }
    void entryIsANewCompleteGrid() {
        QFETCH(int, grille);
        const char *text = BanqueGrilles[grille - 1];
        QCOMPARE(std::strlen(text), size_t(81));
        for (int i = 0; i < 81; ++i)
            QVERIFY2(text[i] >= '1' && text[i] <= '9',
                     qPrintable(QStringLiteral("character %1 is '%2'").arg(i + 1).arg(text[i])));
        QString problem;
        QVERIFY2(gridForms::isCompleteGrid(lookedUp(qint16(grille)), &problem),
                 qPrintable(problem));
        for (int earlier = 1; earlier < grille; ++earlier)
            QVERIFY2(m_forms.at(earlier - 1) != m_forms.at(grille - 1),
                     qPrintable(QStringLiteral("equivalent to entry %1").arg(earlier)));
    }

    // Every position of three entries, through ChiffreSolution.
    void fixedEntries_data() {
        QTest::addColumn<int>("grille");
        QTest::addColumn<QByteArray>("digits");
        QTest::newRow("entry 1") << 1 << entry1;
        QTest::newRow("entry 2") << 2 << entry2;
        QTest::newRow("entry 3") << 3 << entry3;
    }
    void fixedEntries() {
        QFETCH(int, grille);
        QFETCH(QByteArray, digits);
        QCOMPARE(QByteArray(BanqueGrilles[grille - 1]), digits);
        QCOMPARE(lookedUp(qint16(grille)), digits);
    }

    void outOfRangeGivesZero_data() {
        QTest::addColumn<int>("grille");
        QTest::addColumn<int>("position");
        QTest::newRow("grid 0") << 0 << 1;
        QTest::newRow("grid 251") << 251 << 1;
        QTest::newRow("grid -1") << -1 << 81;
        QTest::newRow("grid 32767") << 32767 << 1;
        QTest::newRow("grid -32768") << -32768 << 1;
        QTest::newRow("position 0") << 1 << 0;
        QTest::newRow("position 82") << 250 << 82;
        QTest::newRow("position -1") << 1 << -1;
        QTest::newRow("position 32767") << 1 << 32767;
        QTest::newRow("position -32768") << 1 << -32768;
        QTest::newRow("both at minimum") << -32768 << -32768;
        QTest::newRow("both at maximum") << 32767 << 32767;
    }
    void outOfRangeGivesZero() {
        QFETCH(int, grille);
        QFETCH(int, position);
        QCOMPARE(ChiffreSolution(qint16(grille), qint16(position)), qint16(0));
    }

    void canonicalFormIgnoresRelabellingAndSymmetry_data() {
        QTest::addColumn<QByteArray>("copy");
        const QByteArray turned = quarterTurnClockwise(entry1);
        const QByteArray halfTurned = quarterTurnClockwise(turned);
        const QByteArray threeQuarters = quarterTurnClockwise(halfTurned);
        QTest::newRow("digits renamed") << renamed(entry1, "912345678");
        QTest::newRow("quarter turn, renamed") << renamed(turned, "987654321");
        QTest::newRow("half turn, renamed") << renamed(halfTurned, "246813579");
        QTest::newRow("three quarter turns, renamed") << renamed(threeQuarters, "531978642");
        QTest::newRow("mirrored, renamed") << renamed(mirroredLeftRight(entry1), "123456798");
        QTest::newRow("mirrored after quarter turn, renamed")
            << renamed(mirroredLeftRight(turned), "758293164");
        QTest::newRow("mirrored after half turn, renamed")
            << renamed(mirroredLeftRight(halfTurned), "384756912");
        QTest::newRow("mirrored after three quarter turns, renamed")
            << renamed(mirroredLeftRight(threeQuarters), "649217853");
    }
    void canonicalFormIgnoresRelabellingAndSymmetry() {
        QFETCH(QByteArray, copy);
        QVERIFY(copy != entry1);
        QVERIFY(gridForms::isCompleteGrid(copy));
        QCOMPARE(gridForms::canonicalForm(copy), gridForms::canonicalForm(entry1));
    }

    void canonicalFormSeparatesOtherGrids_data() {
        QTest::addColumn<QByteArray>("other");
        QTest::newRow("rows 1 and 2 swapped") << swapped(entry1, true, 0, 1);
        QTest::newRow("rows 7 and 9 swapped") << swapped(entry1, true, 6, 8);
        QTest::newRow("columns 4 and 5 swapped") << swapped(entry1, false, 3, 4);
        QTest::newRow("entry 2") << entry2;
    }
    void canonicalFormSeparatesOtherGrids() {
        QFETCH(QByteArray, other);
        QVERIFY(gridForms::isCompleteGrid(other));
        QVERIFY(gridForms::canonicalForm(other) != gridForms::canonicalForm(entry1));
    }

private:
    QList<QByteArray> m_forms; // canonical form of entry n at index n - 1
};

QTEST_APPLESS_MAIN(tst_Bank)

#include "tst_bank.moc"
