// Thousands of random keys, clicks and commands on a real window. After every one, each
// cell holds nothing or one digit 1-9, and during a game every locked cell shows its
// solution digit. Replay a failure with VEXORO_MONKEY_SEED=<the printed seed>.
#include "game_fixture.h"

#include <QAbstractButton>
#include <QMenu>

#include <functional>
#include <random>

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomPlayKeepsTheBoardSound() {
        const quint64 seed = qEnvironmentVariableIsSet("VEXORO_MONKEY_SEED")
                                 ? qEnvironmentVariable("VEXORO_MONKEY_SEED").toULongLong()
                                 : 20261206;
        qInfo("monkey seed: %llu", seed);
        std::mt19937_64 rng(seed);
        auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

        GameFixture game; // the language chooser rewrites start.ini in its folder
        QVERIFY(game.active);
        platform::PopupSeam::replace([&](QMenu &menu, const QPoint &) {
            return pick(2) ? menu.actions().value(0) : nullptr;
        });
        platform::ModalSeam::replace([&](QDialog &dialog) {
            if (auto *list = get<QComboBox>(dialog, "cmbChoix")) {
                list->setCurrentIndex(pick(10) == 0 ? -1 : pick(6));
                get<QCheckBox>(dialog, "chkAssist")->setChecked(pick(2));
                get<QPushButton>(dialog, pick(4) ? "cmdOK" : "cmdUndo")->click();
                if (dialog.isVisible()) // refused an empty selection
                    dialog.reject();
                return;
            }
            QList<QAbstractButton *> buttons = dialog.findChildren<QAbstractButton *>();
            if (!buttons.isEmpty() && pick(4))
                buttons[pick(int(buttons.size()))]->click();
        });

        const Qt::Key others[] = {Qt::Key_A,      Qt::Key_0,    Qt::Key_Space, Qt::Key_Return,
                                  Qt::Key_Escape, Qt::Key_Left, Qt::Key_Home,  Qt::Key_End};
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                           Qt::MiddleButton};
        // Each kind of event with its share in a hundred.
        const std::pair<int, std::function<void(QWidget *)>> events[] = {
            {40, [&](QWidget *focus) { QTest::keyClick(focus, char('1' + pick(9))); }},
            {10, [&](QWidget *focus) { QTest::keyClick(focus, others[pick(8)]); }},
            {6, [](QWidget *focus) { QTest::keyClick(focus, Qt::Key_Backspace); }},
            {4, [](QWidget *focus) { QTest::keyClick(focus, Qt::Key_Delete); }},
            {10, [](QWidget *focus) { QTest::keyClick(focus, Qt::Key_Tab); }},
            {24, [&](QWidget *) { QTest::mouseClick(game.cell(pick(81)), buttons[pick(4)]); }},
            {3, [&](QWidget *) { QTest::keyClick(game.window.get(), Qt::Key_F2); }},
            {2, [&](QWidget *) { QTest::keyClick(game.window.get(), Qt::Key_F4); }},
            {1, [&](QWidget *) { triggerAction(*game.window, "Language"); }}};
        for (int n = 0; n < 10000; ++n) {
            QWidget *focus =
                QApplication::focusWidget() ? QApplication::focusWidget() : game.window.get();
            int what = 0;
            for (int share = pick(100); share >= events[what].first; ++what)
                share -= events[what].first;
            events[what].second(focus);
            const qint16 grid = game.window->state().NumGrille;
            for (int i = 0; i < modGrille::CellCount; ++i) {
                const QString text = game.cell(i)->text();
                const bool digit = text.size() == 1 && text[0] >= u'1' && text[0] <= u'9';
                const bool locked = grid != 0 && !game.cell(i)->isEnabled();
                QVERIFY2((text.isEmpty() || digit) && (!locked || text == QChar(game.right(i))),
                         qPrintable(QStringLiteral("event %1 (kind %2): cell %3%4 holds \"%5\"")
                                        .arg(n)
                                        .arg(what)
                                        .arg(i)
                                        .arg(locked ? " (locked)" : "", text)));
            }
        }
        QVERIFY(game.window->state().NumGrille != 0); // the run did play games
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
