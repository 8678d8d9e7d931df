#pragma once

#include "game_window/board_narrator.h"
#include "game_window/cell_board.h"
#include "game_window/cell_edit.h"
#include "platform/web_link.h"
#include "puzzle/cell_entry.h"
#include "puzzle/game_state.h"
#include "puzzle/random_source.h"

#include <QHash>
#include <QMainWindow>

#include <array>

class QFrame;
class QLabel;
class QMenu;

// The game window: the board of 81 cells, the opening picture, the level line and the
// menus. The cells hold the whole state of a game; the window owns the run's other values.
class frmMain : public QMainWindow, private CellEvents {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Captions the menus in the current language.
    void ChangeLangue();

    // The run's game values, for a test that needs the solution in play.
    const modGrille::GameState &state() const { return m_state; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls(QWidget *client);
    void createActions();
    QAction *action(const char *name, const QString &caption, QMenu *menu);
    void Form_Load();
    void placeOnScreen();

    void mnuNew_Click();
    void mnuFinir_Click();
    void Language_Click();
    void mnuQuit_Click();
    void mnuReponse_Click();
    void mnuInfo_Click();

    void startGame(qint16 level, const QString &levelName, bool sansAssistance);
    void applyLanguage(float language);
    void carryOut(const modGrille::Outcome &outcome);
    // Silences assistive technology while the whole board changes; the focus waits on the board.
    BoardNarrator::Quiet quietBoard();
    void announceJudgement(int index, int typed, const modGrille::Outcome &outcome);

    void txtCh_KeyPress(int index, int &keyAscii) override;
    void txtCh_GotFocus(int index) override;
    void txtCh_MouseDown(int index, Qt::MouseButton button) override;
    void txtCh_ContextKey(int index) override;

    QFrame *fraGrille = nullptr;
    std::array<CellEdit *, modGrille::CellCount> txtCh{};
    QLabel *Image1 = nullptr;
    QLabel *lblNiveau = nullptr;
    QMenu *mnuFichier = nullptr;
    QMenu *mnuAide = nullptr;
    QMenu *mnuApropos = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuFinir = nullptr;
    QAction *Language = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *mnuReponse = nullptr;
    QAction *mnuInfo = nullptr;
    qint16 CaseCourante = 0;
    BoardNarrator *m_narrator = nullptr;

    modGrille::GameState m_state;
    modGrille::SeededRandom m_random{modGrille::SeededRandom::entropySeed()};
    platform::WebLink m_webLink;
    CellBoard m_board{txtCh};
    QHash<QString, QAction *> m_captioned; // menus and items ChangeLangue captions
    QSize m_placedFrame;                   // the frame's size when the window was placed
};
