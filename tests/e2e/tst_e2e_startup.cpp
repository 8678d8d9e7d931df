// The real program starts, shows its window in the language of start.ini, and F3 ends it.
#include "e2e_support.h"

#include <QTest>

namespace {
// True when the screen below the menu bar differs from `before`: a menu popped up.
bool menuOpened(const Game &game, const QImage &before) {
    const QRect client = game.clientArea();
    const QRect below(client.left(), client.top(), 200, 60);
    return game.screenshot().copy(below) != before.copy(below);
}
} // namespace

class TestE2eStartup : public QObject {
    Q_OBJECT
private slots:
    void showsItsWindowAndQuitsWithF3() {
        Game game;
        QVERIFY2(game.start(), "no window titled '  ve | xo | ro' within 10 s");
        QCOMPARE(Game::xdotool({"getwindowname", game.windowId()}), QStringLiteral("ve | xo | ro"));
        const QRect client = game.clientArea();
        QCOMPARE(game.geometry().width(), 409);
        // The opening picture is shown: the middle of its area is not the window's plain grey.
        const QImage shot = game.screenshot();
        const QColor background = shot.pixelColor(client.topLeft() + QPoint(4, 4));
        QVERIFY(shot.pixelColor(client.topLeft() + QPoint(40 + 168, 32 + 144)) != background);
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }

    void comesUpInTheLanguageOfStartIni() {
        // "A &propos" has the access key P in French; "&About" has none.
        Game game;
        game.setStartIni(QByteArray("[LastOpen]\r\nLanguage=2\r\n"));
        QVERIFY(game.start());
        const QImage before = game.screenshot();
        QVERIFY(game.key(QStringLiteral("alt+p")));
        QVERIFY(game.waitForScreen([&](const QImage &) { return menuOpened(game, before); }));
        game.key(QStringLiteral("Escape"));
        QVERIFY(game.key(QStringLiteral("F3")));
        QCOMPARE(game.waitForExit(), std::optional<int>(0));
    }

    void comesUpInEnglishWithoutStartIni() {
        Game game;
        QVERIFY(game.start());
        const QImage before = game.screenshot();
        QVERIFY(game.key(QStringLiteral("alt+p")));
        QTest::qWait(300);
        QVERIFY(!menuOpened(game, before));
        QVERIFY(game.key(QStringLiteral("alt+a")));
        QVERIFY(game.waitForScreen([&](const QImage &) { return menuOpened(game, before); }));
    }
};

QTEST_MAIN(TestE2eStartup)
#include "tst_e2e_startup.moc"
