// Choosing a language on the real program: the menus change at once, start.ini holds the
// choice, and the next start comes up in it.
#include "e2e_support.h"

#include <QFile>
#include <QTest>

namespace {
// True when the screen below the menu bar differs from `before`: a menu popped up.
bool menuOpened(const Game &game, const QImage &before) {
    const QRect client = game.clientArea();
    const QRect below(client.left(), client.top(), 200, 60);
    return game.screenshot().copy(below) != before.copy(below);
}

QByteArray startIni() {
    QFile file(Game::folder() + QStringLiteral("/start.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "&Bezüglich", the German About menu, is the only top-level caption with the access key B.
bool germanMenus(Game &game) {
    const QImage before = game.screenshot();
    game.key(QStringLiteral("alt+b"));
    const bool opened =
        game.waitForScreen([&](const QImage &) { return menuOpened(game, before); }, 1500);
    if (opened)
        game.key(QStringLiteral("Escape"));
    return opened;
}
} // namespace

class TestE2eLanguage : public QObject {
    Q_OBJECT
private slots:
    void chosenLanguageHoldsAtOnceAndAtTheNextStart() {
        Game game;
        game.setStartIni(QByteArray("[LastOpen]\r\nLanguage=1\r\nStale=1\r\n"));
        QVERIFY(game.start());
        QVERIFY2(!germanMenus(game), "German menus before any choice");

        // File menu, "Change &Language"; the chooser opens with the focus on the first flag,
        // and two tabs lead to the German one.
        QVERIFY(game.key(QStringLiteral("alt+f")));
        QVERIFY(game.keyToFocus(QStringLiteral("l")));
        QTest::qWait(500);
        QVERIFY(game.keyToFocus(QStringLiteral("Tab")));
        QVERIFY(game.keyToFocus(QStringLiteral("Tab")));
        QVERIFY(game.keyToFocus(QStringLiteral("space")));
        QTRY_COMPARE_WITH_TIMEOUT(startIni(), QByteArray("[LastOpen]\r\nLanguage=3\r\n"), 5000);
        QVERIFY2(germanMenus(game), "the menus did not change at once");

        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));

        // The same folder, start.ini as the program left it.
        QVERIFY(game.start());
        QVERIFY2(germanMenus(game), "the next start is not in German");
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }
};

QTEST_MAIN(TestE2eLanguage)
#include "tst_e2e_language.moc"
