// What a screen reader finds in the game window: every cell named by its row and column,
// its state kept current as the game goes, and the menus named by their captions.
#include "game_fixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

using modGrille::Couleur;

namespace {
QString accessible(QObject *object, QAccessible::Text what) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(what) : QStringLiteral("<no interface>");
}

// The name a screen reader gives a control: that of the label it is labelled by, if any
// (a list's own name is its current item), else its own.
QString spokenName(QObject *object) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        return QStringLiteral("<no interface>");
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? iface->text(QAccessible::Name)
                            : labels.first().first->text(QAccessible::Name);
}
} // namespace

class TestAccessibility : public GameTest {
    Q_OBJECT
private slots:
    void cellsAreNamedByRowAndColumn_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("top-left") << 0 << "Row 1, column 1";
        QTest::newRow("top-right") << 8 << "Row 1, column 9";
        QTest::newRow("centre") << 40 << "Row 5, column 5";
        QTest::newRow("bottom-left") << 72 << "Row 9, column 1";
        QTest::newRow("bottom-right") << 80 << "Row 9, column 9";
    }
    void cellsAreNamedByRowAndColumn() {
        QFETCH(int, index);
        QFETCH(QString, name);
        QCOMPARE(accessible(m_game->cell(index), QAccessible::Name), name);
    }

    void cellStateFollowsTheGame() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        int given = 0;
        while (m_game->cell(given)->isEnabled())
            ++given;
        auto state = [this](int i) {
            return accessible(m_game->cell(i), QAccessible::Description);
        };
        QCOMPARE(state(given), QStringLiteral("given"));
        QCOMPARE(state(open[0]), QStringLiteral("empty"));
        m_game->type(open[0], m_game->wrong(open[0]));
        QCOMPARE(state(open[0]), QStringLiteral("wrong"));
        m_game->type(open[0], m_game->right(open[0]));
        QCOMPARE(state(open[0]), QStringLiteral("solved"));

        modGrille::SansAssistance = true;
        m_game->type(open[1], m_game->wrong(open[1]));
        QCOMPARE(state(open[1]), QStringLiteral("entered"));
        QTest::keyClick(m_game->window.get(), Qt::Key_F4);
        QCOMPARE(state(open[1]), QStringLiteral("wrong"));
        QCOMPARE(state(open[2]), QStringLiteral("solved"));
    }

    void menusAreNamedByTheirCaptions() {
        modLangue::NumLangue = 2;
        m_game->window->ChangeLangue();
        QAccessibleInterface *bar =
            QAccessible::queryAccessibleInterface(m_game->window->menuBar());
        QVERIFY(bar);
        QStringList names;
        for (int i = 0; i < bar->childCount(); ++i) {
            if (!bar->child(i)->state().invisible)
                names << bar->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(names, QStringList({"Fichier", "A propos"}));
        QAccessibleInterface *file =
            QAccessible::queryAccessibleInterface(m_game->window->mnuFichier);
        QVERIFY(file);
        QCOMPARE(file->child(0)->text(QAccessible::Name), QStringLiteral("Nouveau"));
    }

    void dialogControlsAreNamed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("names"); // objectName=accessible name
        QTest::newRow("new game") << "mnuNew"
                                  << QStringList{"cmdOK=OK", "cmdUndo=Cancel",
                                                 "cmbChoix=Difficulty",
                                                 "chkAssist=Activate the assistance"};
        QTest::newRow("language chooser")
            << "Language"
            << QStringList{"cmdLangue_0=English", "cmdLangue_1=Français", "cmdLangue_2=Deutsch",
                           "cmdLangue_3=Italiano", "cmdLangue_4=Spanish"};
        QTest::newRow("about box")
            << "mnuInfo" << QStringList{"cmdOK=OK", "lblLien=www.example.org/vexoro/"};
    }
    void dialogControlsAreNamed() {
        QFETCH(QString, command);
        QFETCH(QStringList, names);
        QStringList actual;
        platform::setModalHandler([&](QDialog &dialog) {
            for (const QString &pair : names) {
                const QString name = pair.section(QLatin1Char('='), 0, 0);
                QWidget *control = dialog.findChild<QWidget *>(name);
                actual << name + QLatin1Char('=') + (control ? spokenName(control) : QString());
            }
            dialog.reject();
        });
        QVERIFY(triggerAction(*m_game->window, command.toLatin1().constData()));
        QCOMPARE(actual, names);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
