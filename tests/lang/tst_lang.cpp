// The catalogue's lookups at their edges, and the counted words a screen reader hears: a
// number that selects no language or an entry without a text gives the empty text, never
// another entry's or another language's.
#include "lang/accessible_words.h"
#include "lang/catalogue.h"

#include <QTest>

using namespace modLangue;

class TestLang : public QObject {
    Q_OBJECT
private slots:
    void traduction_data() {
        QTest::addColumn<float>("language");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("after"); // NumLangue once the text is fetched
        QTest::newRow("not set: English, kept") << 0.0f << 1 << "&File" << 1.0f;
        QTest::newRow("French Bravo") << 2.0f << 22 << "Bravo !" << 2.0f;
        QTest::newRow("French level") << 2.0f << 13 << "Niveau" << 2.0f;
        QTest::newRow("Spanish shortcuts heading") << 5.0f << 30 << "Teclas aceleradoras :" << 5.0f;
        QTest::newRow("Italian Expert") << 4.0f << 21 << "Perito" << 4.0f;
        for (int entry : {0, 5, 32, -1, 1000})
            QTest::addRow("entry %d", entry) << 3.0f << entry << "" << 3.0f;
        QTest::newRow("language 6") << 6.0f << 1 << "" << 6.0f;
        QTest::newRow("language 2.5") << 2.5f << 22 << "" << 2.5f;
        QTest::newRow("language -1") << -1.0f << 22 << "" << -1.0f;
    }
    void traduction() {
        QFETCH(float, language);
        QFETCH(int, entry);
        QFETCH(QString, text);
        QFETCH(float, after);
        NumLangue = language;
        QCOMPARE(Traduction(qint16(entry)), text);
        QCOMPARE(NumLangue, after);
    }

    // French counts nothing and one alike; English, German, Italian and Spanish only one.
    void countedWordsAgreeWithTheirNumber_data() {
        QTest::addColumn<float>("language");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("French 0") << 2.0f << 0 << "0 corrigée";
        QTest::newRow("French 1") << 2.0f << 1 << "1 corrigée";
        QTest::newRow("French 2") << 2.0f << 2 << "2 corrigées";
        QTest::newRow("English 0") << 1.0f << 0 << "0 corrected";
        QTest::newRow("English 1") << 1.0f << 1 << "1 corrected";
        QTest::newRow("German 0") << 3.0f << 0 << "0 korrigiert";
        QTest::newRow("Italian 0") << 4.0f << 0 << "0 corrette";
        QTest::newRow("Spanish 1") << 5.0f << 1 << "1 corregida";
        QTest::newRow("no language (6): English") << 6.0f << 2 << "2 corrected";
    }
    void countedWordsAgreeWithTheirNumber() {
        QFETCH(float, language);
        QFETCH(int, count);
        QFETCH(QString, text);
        NumLangue = language;
        QCOMPARE(CountedText(Word::CorrectedCount, count), text);
    }
};

QTEST_GUILESS_MAIN(TestLang)
#include "tst_lang.moc"
