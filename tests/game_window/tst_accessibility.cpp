// What a screen reader finds in the game window: every cell named by its row and column,
// its state kept current as the game goes, and the menus named by their captions.
#include "game_fixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

using modGrille::Couleur;

namespace {
QString accessible(QObject *object, QAccessible::Text what)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(what) : QStringLiteral("<no interface>");
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_game = std::make_unique<GameFixture>();
        QVERIFY(m_game->active);
    }
    void cleanup() { m_game.reset(); }

    void cellsAreNamedByRowAndColumn_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("top-left") << 0 << "Row 1, column 1";
        QTest::newRow("top-right") << 8 << "Row 1, column 9";
        QTest::newRow("centre") << 40 << "Row 5, column 5";
        QTest::newRow("bottom-left") << 72 << "Row 9, column 1";
        QTest::newRow("bottom-right") << 80 << "Row 9, column 9";
    }
    void cellsAreNamedByRowAndColumn()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QCOMPARE(accessible(m_game->cell(index), QAccessible::Name), name);
    }

    void cellStateFollowsTheGame()
    {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        int given = 0;
        while (m_game->cell(given)->isEnabled())
            ++given;
        auto state = [this](int i) { return accessible(m_game->cell(i), QAccessible::Description); };
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

    void menusAreNamedByTheirCaptions()
    {
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
        QAccessibleInterface *file = QAccessible::queryAccessibleInterface(m_game->window->mnuFichier);
        QVERIFY(file);
        QCOMPARE(file->child(0)->text(QAccessible::Name), QStringLiteral("Nouveau"));
    }

private:
    std::unique_ptr<GameFixture> m_game;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
