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
// canonical form is checked against copies it did not make itself.
QByteArray quarterTurnClockwise(const QByteArray &grid) {
    QByteArray out(81, '0');
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            out[c * 9 + (8 - r)] = grid.at(r * 9 + c);
    return out;
}

QByteArray mirroredLeftRight(const QByteArray &grid) {
    QByteArray out(81, '0');
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            out[r * 9 + (8 - c)] = grid.at(r * 9 + c);
    return out;
}

// `digits` gives the new name of 1, 2, ... 9.
QByteArray renamed(const QByteArray &grid, const QByteArray &digits) {
    QByteArray out = grid;
    for (char &ch : out)
        ch = digits.at(ch - '1');
    return out;
}

QByteArray rowsSwapped(const QByteArray &grid, int a, int b) {
    QByteArray out = grid;
    for (int c = 0; c < 9; ++c)
        std::swap(out[a * 9 + c], out[b * 9 + c]);
    return out;
}

QByteArray columnsSwapped(const QByteArray &grid, int a, int b) {
    QByteArray out = grid;
    for (int r = 0; r < 9; ++r)
        std::swap(out[r * 9 + a], out[r * 9 + b]);
    return out;
}

void addEntryRows() {
    QTest::addColumn<int>("grille");
    for (int n = 1; n <= NombreGrilles; ++n)
        QTest::addRow("entry %d", n) << n;
}

} // namespace

class tst_Bank : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void entryIsEightyOneDigits_data() { addEntryRows(); }
    void entryIsEightyOneDigits();
    void entryIsCompleteValidGrid_data() { addEntryRows(); }
    void entryIsCompleteValidGrid();
    void entryNotEquivalentToEarlierEntry_data() { addEntryRows(); }
    void entryNotEquivalentToEarlierEntry();

    void fixedEntries_data();
    void fixedEntries();
    void spotValues_data();
    void spotValues();
    void outOfRangeGivesZero_data();
    void outOfRangeGivesZero();

    void canonicalFormIgnoresRelabellingAndSymmetry_data();
    void canonicalFormIgnoresRelabellingAndSymmetry();
    void canonicalFormSeparatesOtherGrids_data();
    void canonicalFormSeparatesOtherGrids();

private:
    QList<QByteArray> m_forms; // canonical form of entry n at index n - 1
};

void tst_Bank::initTestCase() {
    for (int n = 1; n <= NombreGrilles; ++n)
        m_forms.append(gridForms::canonicalForm(QByteArray(BanqueGrilles[n - 1])));
}

void tst_Bank::entryIsEightyOneDigits() {
    QFETCH(int, grille);
    const char *text = BanqueGrilles[grille - 1];
    QCOMPARE(std::strlen(text), size_t(81));
    for (int i = 0; i < 81; ++i)
        QVERIFY2(text[i] >= '1' && text[i] <= '9',
                 qPrintable(QStringLiteral("character %1 is '%2'").arg(i + 1).arg(text[i])));
}

void tst_Bank::entryIsCompleteValidGrid() {
    QFETCH(int, grille);
    QString problem;
    QVERIFY2(gridForms::isCompleteGrid(lookedUp(qint16(grille)), &problem), qPrintable(problem));
}

void tst_Bank::entryNotEquivalentToEarlierEntry() {
    QFETCH(int, grille);
    for (int earlier = 1; earlier < grille; ++earlier)
        QVERIFY2(m_forms.at(earlier - 1) != m_forms.at(grille - 1),
                 qPrintable(QStringLiteral("equivalent to entry %1").arg(earlier)));
}

void tst_Bank::fixedEntries_data() {
    QTest::addColumn<int>("grille");
    QTest::addColumn<QByteArray>("digits");
    QTest::newRow("entry 1") << 1 << entry1;
    QTest::newRow("entry 2") << 2 << entry2;
    QTest::newRow("entry 3") << 3 << entry3;
}

void tst_Bank::fixedEntries() {
    QFETCH(int, grille);
    QFETCH(QByteArray, digits);
    QCOMPARE(QByteArray(BanqueGrilles[grille - 1]), digits);
    QCOMPARE(lookedUp(qint16(grille)), digits);
}

void tst_Bank::spotValues_data() {
    QTest::addColumn<int>("grille");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("digit");
    QTest::newRow("entry 1, first cell") << 1 << 1 << 3;
    QTest::newRow("entry 1, end of top row") << 1 << 9 << 1;
    QTest::newRow("entry 1, start of second row") << 1 << 10 << 2;
    QTest::newRow("entry 1, last cell") << 1 << 81 << 6;
    QTest::newRow("entry 2, first cell") << 2 << 1 << 2;
    QTest::newRow("entry 3, last cell") << 3 << 81 << 3;
}

void tst_Bank::spotValues() {
    QFETCH(int, grille);
    QFETCH(int, position);
    QFETCH(int, digit);
    QCOMPARE(ChiffreSolution(qint16(grille), qint16(position)), qint16(digit));
}

void tst_Bank::outOfRangeGivesZero_data() {
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

void tst_Bank::outOfRangeGivesZero() {
    QFETCH(int, grille);
    QFETCH(int, position);
    QCOMPARE(ChiffreSolution(qint16(grille), qint16(position)), qint16(0));
}

void tst_Bank::canonicalFormIgnoresRelabellingAndSymmetry_data() {
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

void tst_Bank::canonicalFormIgnoresRelabellingAndSymmetry() {
    QFETCH(QByteArray, copy);
    QVERIFY(copy != entry1);
    QVERIFY(gridForms::isCompleteGrid(copy));
    QCOMPARE(gridForms::canonicalForm(copy), gridForms::canonicalForm(entry1));
}

void tst_Bank::canonicalFormSeparatesOtherGrids_data() {
    QTest::addColumn<QByteArray>("other");
    QTest::newRow("rows 1 and 2 swapped") << rowsSwapped(entry1, 0, 1);
    QTest::newRow("rows 7 and 9 swapped") << rowsSwapped(entry1, 6, 8);
    QTest::newRow("columns 4 and 5 swapped") << columnsSwapped(entry1, 3, 4);
    QTest::newRow("entry 2") << entry2;
}

void tst_Bank::canonicalFormSeparatesOtherGrids() {
    QFETCH(QByteArray, other);
    QVERIFY(gridForms::isCompleteGrid(other));
    QVERIFY(gridForms::canonicalForm(other) != gridForms::canonicalForm(entry1));
}

QTEST_APPLESS_MAIN(tst_Bank)

#include "tst_bank.moc"
