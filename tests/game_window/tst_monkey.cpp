// Thousands of random keys, clicks and commands on a real window, each compared with a small
// model of the rules of its own: after every event each cell shows the model's digit, colours
// and lock, "Bravo !" has come as often as the model says, Finish is offered when it should
// be, and the answer popup opened exactly when the player pressed the current cell. Replay a
// failure with VEXORO_MONKEY_SEED=<the printed seed>.
#include "game_fixture.h"

#include <QAbstractButton>
#include <QMenu>

#include <functional>
#include <random>

using modGrille::Colour;

namespace {
// What the player sees of a cell; the digit's colour shows only with a digit.
struct Seen {
    QString text;
    bool open = false;
    Colour back = Colour::WindowBackground;
    Colour fore = Colour::WindowText;
    bool operator==(const Seen &o) const {
        return text == o.text && open == o.open && back == o.back &&
               (text.isEmpty() || fore == o.fore);
    }
};

// The rules, written again from the player's side.
struct Rules {
    std::array<Seen, modGrille::CellCount> cells;
    std::function<QString(int)> answer;
    bool assisted = true, finish = false, playing = false;
    int bravos = 0, popups = 0;

    bool anyOpen() const {
        return std::any_of(cells.begin(), cells.end(), [](const Seen &c) { return c.open; });
    }
    void solve(int i) { cells[i] = {answer(i), false, Colour::Green, Colour::WindowText}; }
    void key(int i, QChar typed) {
        const bool digit = typed >= u'1' && typed <= u'9';
        Seen &cell = cells[i];
        cell.text = digit ? QString(typed) : QString();
        cell.fore = Colour::WindowText;
        if (!assisted) {
            if (std::any_of(cells.begin(), cells.end(),
                            [](const Seen &c) { return c.text.isEmpty(); }))
                return;
            bool right = true;
            for (int j = 0; j < modGrille::CellCount; ++j) {
                if (cells[j].text != answer(j)) {
                    cells[j].fore = Colour::Red;
                    right = false;
                }
            }
            if (right)
                ++bravos, finish = false;
            return;
        }
        if (cell.text == answer(i))
            solve(i);
        else
            cell.fore = Colour::Red;
        if (!anyOpen())
            ++bravos, finish = false;
    }
    void reveal(int i) {
        solve(i);
        bravos += !anyOpen();
    }
    void finishGrid() {
        for (int i = 0; i < modGrille::CellCount; ++i) {
            Seen &cell = cells[i];
            if (cell.text.isEmpty())
                cell = {answer(i), false, Colour::Green, Colour::WindowText};
            else if (cell.open && cell.text != answer(i))
                cell.back = Colour::Red, cell.text = answer(i);
            cell.open = false;
        }
        finish = false;
    }
};
} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomPlayFollowsTheRules() {
        const quint64 seed = qEnvironmentVariableIsSet("VEXORO_MONKEY_SEED")
                                 ? qEnvironmentVariable("VEXORO_MONKEY_SEED").toULongLong()
                                 : 20261206;
        qInfo("monkey seed: %llu", seed);
        std::mt19937_64 rng(seed);
        auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

        GameFixture game; // the language chooser rewrites start.ini in its folder
        QVERIFY(game.active);
        Rules rules;
        rules.answer = [&](int i) { return QString(QLatin1Char(game.right(i))); };
        int popups = 0;
        bool revealed = false;
        platform::PopupSeam::replace([&](QMenu &menu, const QPoint &) {
            ++popups;
            revealed = pick(2);
            return revealed ? menu.actions().value(0) : nullptr;
        });
        int started = -1; // the level of the game OK started
        platform::ModalSeam::replace([&](QDialog &dialog) {
            if (auto *list = get<QComboBox>(dialog, "cmbChoix")) {
                const int level = pick(10) == 0 ? -1 : pick(6);
                list->setCurrentIndex(level);
                get<QCheckBox>(dialog, "chkAssist")->setChecked(pick(2));
                const bool ok = pick(4);
                get<QPushButton>(dialog, ok ? "cmdOK" : "cmdUndo")->click();
                if (dialog.isVisible()) // refused an empty selection
                    dialog.reject();
                else if (ok)
                    started = level;
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
        int focused = -1; // the cell that has the focus before the event, or -1
        // Each kind of event with its share in a thousand: a game lasts a few hundred.
        const std::pair<int, std::function<void(QWidget *)>> events[] = {
            {450,
             [&](QWidget *focus) {
                 // Mostly the right one, so that games are won; without assistance the player
                 // then goes on to the next cell.
                 const bool right = focused >= 0 && pick(rules.assisted ? 4 : 12);
                 const char digit = right ? game.right(focused) : char('1' + pick(9));
                 QTest::keyClick(focus, digit);
                 if (focused >= 0)
                     rules.key(focused, QLatin1Char(digit));
                 if (right && !rules.assisted)
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             }},
            {90,
             [&](QWidget *focus) {
                 const Qt::Key key = others[pick(8)];
                 QTest::keyClick(focus, key);
                 if (focused >= 0 && key != Qt::Key_Left && key != Qt::Key_Home &&
                     key != Qt::Key_End)
                     rules.key(focused, QChar());
             }},
            {90,
             [&](QWidget *focus) {
                 // Plain editing: the digit goes or stays, as the caret stands.
                 QTest::keyClick(focus, pick(3) ? Qt::Key_Backspace : Qt::Key_Delete);
                 if (focused >= 0 && game.cell(focused)->text().isEmpty())
                     rules.cells[focused].text.clear();
             }},
            {90, [](QWidget *focus) { QTest::keyClick(focus, Qt::Key_Tab); }},
            {260,
             [&](QWidget *) {
                 const int i = focused >= 0 && pick(3) == 0 ? focused : pick(81);
                 const Qt::MouseButton button = buttons[pick(4)];
                 revealed = false;
                 QTest::mouseClick(game.cell(i), button);
                 // Only a left press on the current cell offers the answer, with assistance.
                 if (rules.playing && rules.assisted && button == Qt::LeftButton && i == focused &&
                     rules.cells[i].open) {
                     ++rules.popups;
                     if (revealed)
                         rules.reveal(i);
                 }
             }},
            {5, [&](QWidget *) { QTest::keyClick(game.window.get(), Qt::Key_F2); }},
            {5,
             [&](QWidget *) {
                 QTest::keyClick(game.window.get(), Qt::Key_F4);
                 if (rules.finish)
                     rules.finishGrid();
             }},
            {10, [&](QWidget *) { triggerAction(*game.window, "Language"); }}};
        for (int n = 0; n < 10000; ++n) {
            QWidget *focus =
                QApplication::focusWidget() ? QApplication::focusWidget() : game.window.get();
            auto *cell = qobject_cast<CellEdit *>(focus);
            focused = cell ? cell->index() : -1;
            started = -1;
            int what = 0;
            for (int share = pick(1000); share >= events[what].first; ++what)
                share -= events[what].first;
            events[what].second(focus);
            if (started >= 0) {
                // A new game, read from the board: the level's blanks, every other cell given.
                rules.playing = true;
                rules.finish = true;
                rules.assisted = !game.window->state().SansAssistance;
                int blanks = 0;
                for (int i = 0; i < modGrille::CellCount; ++i) {
                    const bool blank = game.cell(i)->text().isEmpty();
                    blanks += blank;
                    rules.cells[i] = blank ? Seen{QString(), true, Colour::WindowBackground,
                                                  game.cell(i)->foreColor()}
                                           : Seen{rules.answer(i), false, Colour::Cyan,
                                                  game.cell(i)->foreColor()};
                }
                QCOMPARE(blanks, 40 + 5 * started); // Beginner 40 ... Expert 65
            }
            if (!rules.playing)
                continue;
            for (int i = 0; i < modGrille::CellCount; ++i) {
                const CellEdit *c = game.cell(i);
                const Seen seen{c->text(), c->isEnabled(), c->backColor(), c->foreColor()};
                QVERIFY2(
                    seen == rules.cells[i],
                    qPrintable(QStringLiteral("event %1 (kind %2): cell %3 shows \"%4\"%5, "
                                              "the rules say \"%6\"%7")
                                   .arg(n)
                                   .arg(what)
                                   .arg(i)
                                   .arg(seen.text, seen.open ? "" : " locked", rules.cells[i].text,
                                        rules.cells[i].open ? "" : " locked")));
            }
            QCOMPARE(std::count_if(game.platform.messages.begin(), game.platform.messages.end(),
                                   [](const auto &m) { return m.style == 65600; }), // "Bravo !"
                     qsizetype(rules.bravos));
            QCOMPARE(get<QAction>(*game.window, "mnuFinir")->isEnabled(), rules.finish);
            QCOMPARE(popups, rules.popups);
        }
        QVERIFY(rules.bravos > 0); // the run did finish games
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
