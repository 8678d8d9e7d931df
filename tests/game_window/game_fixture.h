#pragma once

// A game window with the dialogs, popups and message boxes answered by the test, and helpers
// to start a game, read the cells and type into them.
#include "game_window/frmMain.h"
#include "puzzle/bank.h"
#include "support/test_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <functional>
#include <memory>

// The child of `parent` named `name`.
template <typename T = QWidget> T *get(const QObject &parent, const char *name) {
    return parent.findChild<T *>(QLatin1String(name));
}

class GameFixture {
public:
    GameFixture() {
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get()); // shortcuts reach the active window
    }

    // Opens the named command's dialog; `play` acts on it as the player would.
    void withDialog(const char *command, const std::function<void(QDialog &)> &play) {
        platform::ModalSeam::replace([&](QDialog &dialog) { play(dialog); });
        QVERIFY(triggerAction(*window, command));
        platform::ModalSeam::replace({});
        // The dialog that came and went leaves the window inactive, without the keyboard focus,
        // once its events are through; the player's window has it back.
        QCoreApplication::processEvents();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // Starts a game at `level`, with or without assistance, through the dialog.
    void startGame(int level, bool assistance) {
        withDialog("mnuNew", [&](QDialog &dialog) {
            get<QComboBox>(dialog, "cmbChoix")->setCurrentIndex(level);
            get<QCheckBox>(dialog, "chkAssist")->setChecked(assistance);
            get<QPushButton>(dialog, "cmdOK")->click();
        });
    }

    CellEdit *cell(int i) const {
        return window->findChild<CellEdit *>(QStringLiteral("txtCh_%1").arg(i));
    }
    char right(int i) const {
        return char('0' + modGrille::ChiffreSolution(window->state().NumGrille, qint16(i + 1)));
    }
    char wrong(int i) const { return char((right(i) - '0') % 9 + '1'); }
    QList<int> openCells() const {
        QList<int> open;
        for (int i = 0; i < modGrille::CellCount; ++i) {
            if (cell(i)->isEnabled())
                open << i;
        }
        return open;
    }
    // Types `key` (a character, or a Qt::Key) into cell i, which takes the focus first.
    void type(int i, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        cell(i)->setFocus();
        if (key < 128)
            QTest::keyClick(cell(i), char(key), modifiers);
        else
            QTest::keyClick(cell(i), Qt::Key(key), modifiers);
    }

    TestPlatform platform; // constructed first
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>();
    bool active = false;
};
