#pragma once

// A game window started on a real puzzle, with the dialogs and popups answered by the
// test, and helpers to read and type into its cells.
#include "dialogs/frmNew.h"
#include "game_window/frmMain.h"
#include "puzzle/bank.h"
#include "support/test_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

class GameFixture {
public:
    GameFixture() {
        window = std::make_unique<frmMain>();
        window->show();
        window->activateWindow();
        // Shortcuts reach only the active window.
        active = QTest::qWaitForWindowActive(window.get());
    }

    // Opens the new-game dialog with F2; `play` acts on it as the player would.
    void newGameDialog(const std::function<void(frmNew &)> &play) {
        platform::setModalHandler([&](QDialog &dialog) {
            auto *dlg = qobject_cast<frmNew *>(&dialog);
            QVERIFY(dlg);
            play(*dlg);
        });
        QTest::keyClick(window.get(), Qt::Key_F2);
        platform::setModalHandler({});
    }

    // Starts a game at `level`, with or without assistance, through the dialog.
    void startGame(int level, bool assistance) {
        newGameDialog([&](frmNew &dlg) {
            dlg.cmbChoix->setCurrentIndex(level);
            dlg.chkAssist->setChecked(assistance);
            QTest::mouseClick(dlg.cmdOK, Qt::LeftButton);
        });
    }

    int solution(int i) const {
        return modGrille::ChiffreSolution(modGrille::NumGrille, qint16(i + 1));
    }
    CellEdit *cell(int i) const { return window->txtCh[i]; }

    QList<int> openCells() const {
        QList<int> open;
        for (int i = 0; i < modGrille::NombreCases; ++i) {
            if (cell(i)->isEnabled())
                open << i;
        }
        return open;
    }

    // Types `key` into cell i as the player would: the cell takes the focus first.
    void type(int i, char key) {
        cell(i)->setFocus();
        QTest::keyClick(cell(i), key);
    }
    void typeKey(int i, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        cell(i)->setFocus();
        QTest::keyClick(cell(i), key, modifiers);
    }
    char right(int i) const { return char('0' + solution(i)); }
    char wrong(int i) const { return char('0' + solution(i) % 9 + 1); }

    TestPlatform platform; // constructed first: resets the run's state
    std::unique_ptr<frmMain> window;
    bool active = false;
};

// A test class whose every test function starts from a fresh game window.
class GameTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<GameFixture> m_game;
private slots:
    void init() {
        m_game = std::make_unique<GameFixture>();
        QVERIFY(m_game->active);
    }
    void cleanup() { m_game.reset(); }
};
