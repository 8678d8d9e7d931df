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

    void everyLanguageHasTwentyTwoTexts_data() {
        QTest::addColumn<float>("language");
        for (float language = firstLanguage; language <= lastLanguage; ++language)
            QTest::addRow("language %g", double(language)) << language;
    }

    // Walks every 16-bit entry number: a text slotted elsewhere or a lookup that reads past
    // the table shows up here (and under the sanitizers).
    void everyLanguageHasTwentyTwoTexts() {
        QFETCH(float, language);
        NumLangue = language;
        QList<int> withText;
        for (int entree = std::numeric_limits<qint16>::min();
             entree <= std::numeric_limits<qint16>::max(); ++entree) {
            if (!Traduction(static_cast<qint16>(entree)).isEmpty())
                withText << entree;
        }
        QCOMPARE(withText, QList<int>({1,  2,  3,  4,  6,  7,  8,  9,  11, 12, 13,
                                       14, 15, 16, 17, 18, 19, 20, 21, 22, 30, 31}));
    }

    // Accented letters are written as escapes so that a source file read in the wrong
    // encoding cannot make both sides of a comparison wrong in the same way.
    void sampleTexts_data() {
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
    void sampleTexts() {
        QFETCH(float, language);
        QFETCH(qint16, entree);
        QFETCH(QString, text);
        NumLangue = language;
        QCOMPARE(Traduction(entree), text);
    }

    // The groups are separated by runs of two or more spaces; a single space belongs to a
    // group.
    void shortcutLineSpacing_data() {
        QTest::addColumn<float>("language");
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QList<int>>("gaps");
        const auto row = [](const char *name, float language, const QStringList &groups,
                            const QList<int> &gaps) {
            QTest::newRow(name) << language << groups << gaps;
        };
        row("English", 1, {"F2 New railing", "F4 Finish the railing", "F3 Exit"}, {13, 5});
        row("French", 2, {"F2 Nouvelle Grille", "F4 Finir la grille", "F3 Quitter"}, {5, 9});
        row("German", 3, {"F2 Neu Gitter", "F4 Gitter beenden", "F3 Verlassen"}, {13, 6});
        row("Italian", 4, {"F2 Nuovo griglia", "F4 Finire la griglia", "F3 Lasciare"}, {9, 9});
        row("Spanish", 5, {"F2 Nuevo verja", "F4 Acabar la verja", "F3 Irse"}, {9, 7});
    }
    void shortcutLineSpacing() {
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

    // The captions as the window shows them are tested in tst_frmmain.
    void menuCaptionsNameDistinctEntries() {
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

    void unsetLanguageBecomesEnglish_data() {
        QTest::addColumn<qint16>("entree");
        QTest::addColumn<QString>("text");
        QTest::newRow("menu file") << qint16(MenuFile) << "&File";
        QTest::newRow("number without text") << qint16(5) << QString();
        QTest::newRow("number outside table") << qint16(-32768) << QString();
    }

    // The first lookup stores English whichever entry it asks for.
    void unsetLanguageBecomesEnglish() {
        QFETCH(qint16, entree);
        QFETCH(QString, text);
        QCOMPARE(bits(NumLangue), bits(0.0f));
        QCOMPARE(Traduction(entree), text);
        QCOMPARE(bits(NumLangue), bits(1.0f));
        QCOMPARE(Traduction(LevelEasy), "Easy");
    }

    void languageOutsideOneToFiveGivesNothing_data() {
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
    void languageOutsideOneToFiveGivesNothing() {
        QFETCH(float, language);
        NumLangue = language;
        for (int entree = -1; entree <= 32; ++entree)
            QVERIFY2(Traduction(static_cast<qint16>(entree)).isEmpty(),
                     qPrintable(QString::number(entree)));
        QCOMPARE(bits(NumLangue), bits(language));
    }
};

QTEST_APPLESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
