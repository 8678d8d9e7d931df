// The catalogue's lookup rules: the unset language read as English and stored, and no text
// for an entry or language that does not exist.
#include "lang/catalogue.h"

#include <QTest>

using modLangue::NumLangue;
using modLangue::Traduction;

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void unsetLanguageBecomesEnglish() {
        NumLangue = 0;
        QCOMPARE(Traduction(modLangue::MenuFile), QStringLiteral("&File"));
        QCOMPARE(NumLangue, 1.0f);
    }

    void noText_data() {
        QTest::addColumn<float>("language");
        QTest::addColumn<int>("entry");
        for (int entry : {0, 5, 10, 23, 29, 32, -1})
            QTest::addRow("entry %d", entry) << 2.0f << entry;
        for (float language : {2.5f, 6.0f, -1.0f})
            QTest::addRow("language %g", double(language)) << language << int(modLangue::MsgBravo);
    }
    void noText() {
        QFETCH(float, language);
        QFETCH(int, entry);
        NumLangue = language;
        QCOMPARE(Traduction(qint16(entry)), QString());
        QCOMPARE(NumLangue, language);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
