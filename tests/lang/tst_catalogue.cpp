#include "lang/catalogue.h"
#include "lang/menu_captions.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

using namespace modLangue;

namespace {

constexpr float firstLanguage = 1.0f;
constexpr float lastLanguage = 5.0f;

// Compares language numbers exactly: a NaN equals itself, and 1 differs from the float after it.
quint32 bits(float value) {
    return std::bit_cast<quint32>(value);
}

} // namespace

class tst_catalogue : public QObject {
    Q_OBJECT

private slots:
    void init() { NumLangue = 0.0f; }

    void everyLanguageHasTwentyTwoTexts_data();
    void everyLanguageHasTwentyTwoTexts();
    void numbersWithoutText_data();
    void numbersWithoutText();
    void sampleTexts_data();
    void sampleTexts();
    void shortcutLineSpacing_data();
    void shortcutLineSpacing();
    void menuCaptions_data();
    void menuCaptions();
    void menuCaptionsNameDistinctEntries();
    void unsetLanguageBecomesEnglish_data();
    void unsetLanguageBecomesEnglish();
    void languageOutsideOneToFiveGivesNothing_data();
    void languageOutsideOneToFiveGivesNothing();
};

void tst_catalogue::everyLanguageHasTwentyTwoTexts_data() {
    QTest::addColumn<float>("language");
    for (float language = firstLanguage; language <= lastLanguage; ++language)
        QTest::addRow("language %g", double(language)) << language;
}

// Walks every 16-bit entry number: a text slotted outside 1 to 31 or a lookup that reads
// past the table shows up here (and under the sanitizers).
void tst_catalogue::everyLanguageHasTwentyTwoTexts() {
    QFETCH(float, language);
    NumLangue = language;
    int texts = 0;
    for (int entree = std::numeric_limits<qint16>::min();
         entree <= std::numeric_limits<qint16>::max(); ++entree) {
        if (Traduction(static_cast<qint16>(entree)).isEmpty())
            continue;
        QVERIFY2(entree >= 1 && entree <= 31, qPrintable(QString::number(entree)));
        ++texts;
    }
    QCOMPARE(texts, 22);
}

void tst_catalogue::numbersWithoutText_data() {
    QTest::addColumn<qint16>("entree");
    const qint16 numbers[] = {0, 5, 10, 23, 24, 25, 26, 27, 28, 29, 32, -1, 32767, -32768};
    for (qint16 entree : numbers)
        QTest::addRow("entry %d", entree) << entree;
}

void tst_catalogue::numbersWithoutText() {
    QFETCH(qint16, entree);
    for (float language = firstLanguage; language <= lastLanguage; ++language) {
        NumLangue = language;
        QVERIFY2(Traduction(entree).isEmpty(), qPrintable(QString::number(language)));
    }
}

// Accented letters are written as escapes so that a source file read in the wrong encoding
// cannot make both sides of a comparison wrong in the same way.
void tst_catalogue::sampleTexts_data() {
    QTest::addColumn<float>("language");
    QTest::addColumn<qint16>("entree");
    QTest::addColumn<QString>("text");
    QTest::newRow("English answer is the French word")
        << 1.0f << qint16(MenuAnswer) << "R\u00e9ponse";
    QTest::newRow("French beginner") << 2.0f << qint16(LevelBeginner) << "D\u00e9butant";
    QTest::newRow("French bravo keeps its space") << 2.0f << qint16(MsgBravo) << "Bravo !";
    QTest::newRow("French level") << 2.0f << qint16(LabelLevel) << "Niveau";
    QTest::newRow("German about") << 3.0f << qint16(MenuAbout) << "&Bez\u00fcglich";
    QTest::newRow("Italian difficulty") << 4.0f << qint16(LabelDifficulty) << "Difficolt\u00e0";
    QTest::newRow("Spanish about") << 5.0f << qint16(MenuAbout) << "A &prop\u00f3sito";
    QTest::newRow("Spanish bravo") << 5.0f << qint16(MsgBravo) << "\u00a1 Bravo!";
}

void tst_catalogue::sampleTexts() {
    QFETCH(float, language);
    QFETCH(qint16, entree);
    QFETCH(QString, text);
    NumLangue = language;
    QCOMPARE(Traduction(entree), text);
}

void tst_catalogue::shortcutLineSpacing_data() {
    QTest::addColumn<float>("language");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QList<int>>("gaps");
    QTest::newRow("English") << 1.0f
                             << QStringList{"F2 New railing", "F4 Finish the railing", "F3 Exit"}
                             << QList<int>{13, 5};
    QTest::newRow("French") << 2.0f
                            << QStringList{"F2 Nouvelle Grille", "F4 Finir la grille", "F3 Quitter"}
                            << QList<int>{5, 9};
    QTest::newRow("German") << 3.0f
                            << QStringList{"F2 Neu Gitter", "F4 Gitter beenden", "F3 Verlassen"}
                            << QList<int>{13, 6};
    QTest::newRow("Italian") << 4.0f
                             << QStringList{"F2 Nuovo griglia", "F4 Finire la griglia",
                                            "F3 Lasciare"}
                             << QList<int>{9, 9};
    QTest::newRow("Spanish") << 5.0f
                             << QStringList{"F2 Nuevo verja", "F4 Acabar la verja", "F3 Irse"}
                             << QList<int>{9, 7};
}

// The groups are separated by runs of two or more spaces; a single space belongs to a group.
void tst_catalogue::shortcutLineSpacing() {
    QFETCH(float, language);
    QFETCH(QStringList, groups);
    QFETCH(QList<int>, gaps);
    NumLangue = language;
    const QString line = Traduction(TextShortcuts);
    const QRegularExpression run(QStringLiteral(" {2,}"));

    QList<int> runs;
    for (auto it = run.globalMatch(line); it.hasNext();)
        runs << int(it.next().capturedLength());
    QCOMPARE(runs, gaps);
    QCOMPARE(line.split(run), groups);
}

void tst_catalogue::menuCaptions_data() {
    QTest::addColumn<float>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << 1.0f << QStringList{"&File",  "New",   "Finish the railing",
                                                    "Exit",   "&Help", "R\u00e9ponse",
                                                    "&About", "VEXORO"};
    QTest::newRow("French") << 2.0f << QStringList{"&Fichier",  "Nouveau",  "Finir la grille",
                                                   "Quitter",   "&Aide",    "R\u00e9ponse",
                                                   "A &propos", "de VEXORO"};
    QTest::newRow("German") << 3.0f
                            << QStringList{"&Datei", "Neu",     "Gitter beenden",  "Verlassen",
                                           "&Helf",  "Antwort", "&Bez\u00fcglich", "VEXORO"};
    QTest::newRow("no language") << 6.0f << QStringList(8, QString());
}

void tst_catalogue::menuCaptions() {
    QFETCH(float, language);
    QFETCH(QStringList, captions);
    NumLangue = language;
    QStringList shown;
    for (const MenuCaption &caption : MenuCaptions)
        shown << Traduction(caption.entree);
    QCOMPARE(shown, captions);
}

void tst_catalogue::menuCaptionsNameDistinctEntries() {
    QSet<qint16> entries;
    QSet<QByteArray> menus;
    for (const MenuCaption &caption : MenuCaptions) {
        entries.insert(caption.entree);
        menus.insert(caption.menu);
        for (float language = firstLanguage; language <= lastLanguage; ++language) {
            NumLangue = language;
            QVERIFY2(!Traduction(caption.entree).isEmpty(), caption.menu);
        }
    }
    QCOMPARE(entries.size(), qsizetype(MenuCaptions.size()));
    QCOMPARE(menus.size(), qsizetype(MenuCaptions.size()));
}

void tst_catalogue::unsetLanguageBecomesEnglish_data() {
    QTest::addColumn<qint16>("entree");
    QTest::addColumn<QString>("text");
    QTest::newRow("menu file") << qint16(MenuFile) << "&File";
    QTest::newRow("number without text") << qint16(5) << QString();
    QTest::newRow("number outside table") << qint16(-32768) << QString();
}

// The first lookup stores English whichever entry it asks for.
void tst_catalogue::unsetLanguageBecomesEnglish() {
    QFETCH(qint16, entree);
    QFETCH(QString, text);
    QCOMPARE(bits(NumLangue), bits(0.0f));
    QCOMPARE(Traduction(entree), text);
    QCOMPARE(bits(NumLangue), bits(1.0f));
    QCOMPARE(Traduction(LevelEasy), "Easy");
}

void tst_catalogue::languageOutsideOneToFiveGivesNothing_data() {
    QTest::addColumn<float>("language");
    QTest::newRow("6") << 6.0f;
    QTest::newRow("2.5") << 2.5f;
    QTest::newRow("-1") << -1.0f;
    QTest::newRow("just above 1") << std::nextafter(1.0f, 2.0f);
    QTest::newRow("just below 5") << std::nextafter(5.0f, 0.0f);
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity();
    QTest::newRow("-infinity") << -std::numeric_limits<float>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
}

void tst_catalogue::languageOutsideOneToFiveGivesNothing() {
    QFETCH(float, language);
    NumLangue = language;
    for (int entree = -1; entree <= 32; ++entree)
        QVERIFY2(Traduction(static_cast<qint16>(entree)).isEmpty(),
                 qPrintable(QString::number(entree)));
    QCOMPARE(bits(NumLangue), bits(language));
}

QTEST_APPLESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
