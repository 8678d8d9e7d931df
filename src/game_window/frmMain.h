#pragma once

#include "game_window/cell_board.h"
#include "game_window/cell_edit.h"
#include "puzzle/board.h"

#include <QHash>
#include <QMainWindow>

#include <array>

class QFrame;
class QLabel;
class QMenu;

// The game window: the board of 81 cells, the opening picture, the level line and the
// menus. The cells hold the whole state of a game.
class frmMain : public QMainWindow, private CellEvents {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Captions the menus in the current language.
    void ChangeLangue();

    // The board's tests, each one pass over the 81 cells in index order.
    bool Termine() const;
    bool Complet() const;
    bool CasesJustes();

    // The cells as the game logic sees them.
    modGrille::Board &board() { return m_board; }

    // Controls other windows address by name.
    QFrame *fraGrille = nullptr;
    std::array<CellEdit *, modGrille::NombreCases> txtCh{};
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

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

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

    void txtCh_KeyPress(int index, int &keyAscii) override;
    void txtCh_GotFocus(int index) override;
    void txtCh_MouseDown(int index, Qt::MouseButton button) override;
    void txtCh_ContextKey(int index) override;

    CellBoard m_board{txtCh};
    QHash<QString, QAction *> m_captioned; // menus and items ChangeLangue captions
    QSize m_placedFrame;                   // the frame's size when the window was placed
};
