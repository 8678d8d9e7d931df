// The solution bank through its one lookup.
#include "puzzle/bank.h"

#include <QSet>
#include <QTest>

using modGrille::ChiffreSolution;

class TestBank : public QObject {
    Q_OBJECT
private slots:
    void firstEntriesAsGiven_data() {
        QTest::addColumn<int>("grille");
        QTest::addColumn<QByteArray>("digits");
        QTest::newRow("1") << 1
                           << QByteArray("358764291297318465164925837782651349643279158519843672825"
                                         "496713976132584431587926");
        QTest::newRow("2") << 2
                           << QByteArray("291385476367149528845267391732456819584791632916823745423"
                                         "518967159674283678932154");
        QTest::newRow("3") << 3
                           << QByteArray("812596734357248169469713285293475618741689352586132947128"
                                         "357496635924871974861523");
    }
    void firstEntriesAsGiven() {
        QFETCH(int, grille);
        QFETCH(QByteArray, digits);
        for (qint16 position = 1; position <= 81; ++position)
            QCOMPARE(ChiffreSolution(qint16(grille), position), qint16(digits[position - 1] - '0'));
    }

    // Every row, column and box of every entry holds each digit once; no lookup reads past
    // the table.
    void everyEntryIsACompleteGrid() {
        for (qint16 g = 1; g <= modGrille::GridCount; ++g) {
            for (int unit = 0; unit < 27; ++unit) {
                QSet<qint16> digits;
                for (int k = 0; k < 9; ++k) {
                    const int box = unit - 18;
                    const int cell = unit < 9    ? unit * 9 + k
                                     : unit < 18 ? k * 9 + unit - 9
                                                 : (box / 3 * 3 + k / 3) * 9 + box % 3 * 3 + k % 3;
                    digits << ChiffreSolution(g, qint16(cell + 1));
                }
                QVERIFY2(digits.size() == 9 && !digits.contains(0), qPrintable(QString::number(g)));
            }
        }
        for (auto [g, p] : {std::pair{0, 1}, {251, 1}, {1, 0}, {1, 82}, {-1, -1}})
            QCOMPARE(ChiffreSolution(qint16(g), qint16(p)), qint16(0));
    }
};

QTEST_GUILESS_MAIN(TestBank)
#include "tst_bank.moc"
