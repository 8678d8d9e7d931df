#include "game_window/frmMain.h"

#include "dialogs/frmInfo.h"
#include "dialogs/frmLangue.h"
#include "dialogs/frmNew.h"
#include "game_window/board_accessible.h"
#include "game_window/board_narrator.h"
#include "game_window/window_placement.h"
#include "lang/accessible_words.h"
#include "lang/catalogue.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/pictures.h"
#include "platform/popup.h"
#include "platform/program_folder.h"
#include "platform/twips.h"
#include "puzzle/board_tests.h"
#include "puzzle/prepare.h"
#include "settings/language_file.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {
// Client area below the menu bar, and how far below the screen's top it starts.
constexpr QSize ClientSize(twips(6135), twips(5475));
constexpr int ClientTop = twips(855);

constexpr qreal cellPoints = 13.5;

// The menus captioned from the catalogue, in the order they are set. "Change &Language" is
// not among them: it reads the same in every language.
struct MenuCaption {
    const char *menu; // objectName of the menu or menu item
    modLangue::Entry entry;
};
constexpr std::array<MenuCaption, 8> menuCaptions{{
    {"mnuFichier", modLangue::MenuFile},
    {"mnuNew", modLangue::MenuNew},
    {"mnuFinir", modLangue::MenuFinish},
    {"mnuQuit", modLangue::MenuQuit},
    {"mnuAide", modLangue::MenuHelp},
    {"mnuReponse", modLangue::MenuAnswer},
    {"mnuApropos", modLangue::MenuAbout},
    {"mnuInfo", modLangue::MenuInfo},
}};
} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent) {
    // Before any cell or the board is seen by assistive technology.
    [[maybe_unused]] static const bool boardAccessible =
        (QAccessible::installFactory(BoardAccessibleFactory), true);
    setObjectName(QStringLiteral("frmMain"));
    setAccessibleName(QStringLiteral("Vexoro")); // the title is designed as three syllables
    setFont(platform::defaultFont());
    setWindowTitle(QStringLiteral("  ve | xo | ro"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icon32.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientSize);
    setCentralWidget(client);
    createControls(client);
    createActions();

    setFixedSize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    platform::setMessageOwner(this);
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createControls(QWidget *client) {
    fraGrille = new QFrame(client);
    fraGrille->setObjectName(QStringLiteral("fraGrille"));
    fraGrille->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fraGrille->setGeometry(twipsRect(120, 120, 5895, 4935));
    fraGrille->setVisible(false);

    // The frame has no text of its own: the cells inherit their 13.5-point font from it.
    fraGrille->setFont(platform::fontOfSize(cellPoints));
    const QValidator *digits = CellEdit::digitValidator(fraGrille);
    for (int i = 0; i < modGrille::CellCount; ++i) {
        const int r = i / 9;
        const int c = i % 9;
        auto *cell = new CellEdit(i, *this, digits, fraGrille);
        cell->setGeometry(
            twipsRect(120 + 600 * c + 120 * (c / 3), 240 + 480 * r + 120 * (r / 3), 615, 495));
        txtCh[i] = cell;
    }

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(600, 480, 5040, 4320));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(platform::loadPicture(QStringLiteral(":/images/vexoro.jpg"), *this));
    Image1->setAccessibleName(QStringLiteral("Vexoro"));
    m_narrator = new BoardNarrator(client, fraGrille, txtCh);

    lblNiveau = new QLabel(client);
    lblNiveau->setObjectName(QStringLiteral("lblNiveau"));
    lblNiveau->setGeometry(twipsRect(120, 5160, 5895, 255));
    lblNiveau->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblNiveau->setAlignment(Qt::AlignCenter);
    lblNiveau->setVisible(false);

    // The frame is drawn over the picture whenever both are visible.
    fraGrille->raise();
}

QAction *frmMain::action(const char *name, const QString &caption, QMenu *menu) {
    auto *item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    m_captioned.insert(QLatin1String(name), item);
    return item;
}

void frmMain::createActions() {
    auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        m_captioned.insert(QLatin1String(name), menu->menuAction());
        return menu;
    };

    mnuFichier = addMenu("mnuFichier", QStringLiteral("&Fichier"));
    mnuNew = action("mnuNew", QStringLiteral("&Nouveau"), mnuFichier);
    mnuNew->setShortcut(Qt::Key_F2);
    mnuFinir = action("mnuFinir", QStringLiteral("Fin&ir la grille"), mnuFichier);
    mnuFinir->setShortcut(Qt::Key_F4);
    mnuFinir->setEnabled(false);
    mnuFichier->addSeparator()->setObjectName(QStringLiteral("mnuSpace"));
    Language = mnuFichier->addAction(QStringLiteral("Change &Language"));
    Language->setObjectName(QStringLiteral("Language"));
    mnuFichier->addSeparator()->setObjectName(QStringLiteral("mnuSpace2"));
    mnuQuit = action("mnuQuit", QStringLiteral("&Quitter"), mnuFichier);
    mnuQuit->setShortcut(Qt::Key_F3);

    // The cells' popup, never in the menu bar: a hidden menu-bar entry would still answer its
    // access key and take the keyboard from the board.
    mnuAide = new QMenu(QStringLiteral("&Aide"), this);
    mnuAide->setObjectName(QStringLiteral("mnuAide"));
    mnuAide->menuAction()->setObjectName(QStringLiteral("mnuAide"));
    m_captioned.insert(QStringLiteral("mnuAide"), mnuAide->menuAction());
    mnuReponse = action("mnuReponse", QStringLiteral("Réponse"), mnuAide);

    mnuApropos = addMenu("mnuApropos", QStringLiteral("A &Propos"));
    mnuInfo = action("mnuInfo", QStringLiteral("de &VE XO RO ..."), mnuApropos);

    connect(mnuNew, &QAction::triggered, this, &frmMain::mnuNew_Click);
    connect(mnuFinir, &QAction::triggered, this, &frmMain::mnuFinir_Click);
    connect(Language, &QAction::triggered, this, &frmMain::Language_Click);
    connect(mnuQuit, &QAction::triggered, this, &frmMain::mnuQuit_Click);
    connect(mnuReponse, &QAction::triggered, this, &frmMain::mnuReponse_Click);
    connect(mnuInfo, &QAction::triggered, this, &frmMain::mnuInfo_Click);
}

void frmMain::Form_Load() {
    placeOnScreen();
    ChangeLangue();
}

void frmMain::placeOnScreen() {
    const QScreen *screenOfWindow = screen();
    if (!screenOfWindow)
        return;
    // The frame is known only once the window manager has framed the window; until then it
    // is taken to be the window itself. The client area, below the title bar and the menu
    // bar, goes to the designed top, within the part of the screen no panel covers.
    m_placedFrame = frameGeometry().size();
    const QPoint position =
        FramePosition(screenOfWindow->geometry(), screenOfWindow->availableGeometry(),
                      frameGeometry(), geometry(), menuBar()->sizeHint().height(), ClientTop);
    if (QWindow *window = windowHandle(); window && window->isVisible()) {
        // Framed: the frame is placed as such. A move() to the inner position first asked
        // for is taken for no move at all, and the window manager keeps the frame where it is.
        window->setFramePosition(position);
    } else {
        // Not yet shown: the window itself is placed, and the window manager frames it around
        // that place, so that it appears where it stays. move() would place a guessed frame.
        setGeometry(QRect(position, size()));
    }
}

void frmMain::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    // Placed again once, when the window manager's frame turns out other than assumed; a
    // move by the player leaves the frame's size as it is.
    if (isVisible() && frameGeometry().size() != m_placedFrame)
        QTimer::singleShot(0, this, &frmMain::placeOnScreen);
}

void frmMain::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // A theme switched while the game runs reaches the window, not the cells, whose palettes
    // are their own: each works its colours out again from the new palette.
    if (event->type() == QEvent::PaletteChange) {
        for (CellEdit *cell : txtCh) {
            if (cell) // made after the window itself
                cell->applyColours();
        }
    }
}

void frmMain::ChangeLangue() {
    m_narrator->languageChanged();
    for (const MenuCaption &caption : menuCaptions)
        m_captioned.value(QLatin1String(caption.menu))
            ->setText(modLangue::Traduction(caption.entry));
}

void frmMain::closeEvent(QCloseEvent *event) {
    // Closing the game window ends the program at once: nothing is asked or saved.
    event->accept();
    QCoreApplication::exit(0);
}

void frmMain::mnuNew_Click() {
    frmNew dialog(this, m_state.NiveauCourant, m_state.SansAssistance);
    const int result = platform::showModal(dialog);
    m_state.NiveauCourant = dialog.niveauCourant();
    if (result == QDialog::Accepted)
        startGame(dialog.level(), dialog.levelName(), dialog.sansAssistance());
}

void frmMain::startGame(qint16 level, const QString &levelName, bool sansAssistance) {
    {
        const BoardNarrator::Quiet quiet = quietBoard();
        modGrille::PrepareGrille(m_board, level, m_random, m_state.NumGrille);
    }
    m_narrator->newGame();
    mnuFinir->setEnabled(true);
    lblNiveau->setText(modLangue::Traduction(modLangue::LabelLevel) + u' ' + levelName +
                       QString(7, u' ') + modLangue::Traduction(modLangue::HintClickCell));
    platform::fitFont(*lblNiveau, platform::defaultFont());
    fraGrille->setVisible(true);
    lblNiveau->setVisible(true);
    Image1->setVisible(false);
    m_state.SansAssistance = sansAssistance;
    // The first open cell has the focus, as it does when the first game's window comes back
    // to the front: F2, Enter, and the player can type.
    const auto open = std::find_if(txtCh.begin(), txtCh.end(),
                                   [](const CellEdit *cell) { return cell->isEnabled(); });
    if (open != txtCh.end())
        (*open)->setFocus();
}

BoardNarrator::Quiet frmMain::quietBoard() {
    // The focus waits on the board as a whole, so that locking the cell that had it sets off
    // no chain of focus moves from cell to cell.
    if (fraGrille->isAncestorOf(focusWidget()))
        fraGrille->setFocus();
    return BoardNarrator::Quiet(txtCh);
}

void frmMain::mnuFinir_Click() {
    // One summary rather than 81 announcements: the board, named with it, takes the focus.
    m_narrator->finished(modGrille::countFinish(m_board, m_state.NumGrille));
    fraGrille->setFocus();
    modGrille::Outcome outcome;
    {
        const BoardNarrator::Quiet quiet = quietBoard();
        outcome = modGrille::finishGrid(m_board, m_state.NumGrille);
    }
    carryOut(outcome);
}

void frmMain::Language_Click() {
    frmLangue dialog(this);
    if (platform::showModal(dialog) == QDialog::Accepted)
        applyLanguage(dialog.language());
}

void frmMain::applyLanguage(float language) {
    modLangue::NumLangue = language;
    // The choice holds for this run even when it cannot be kept for the next one.
    if (!settings::writeLanguageFile(
            platform::settingsWritePath(QLatin1String(settings::SettingsFileName)), language))
        platform::showMessage(QStringLiteral("Could not save the Language for the next start"),
                              platform::Exclamation, QStringLiteral("Language Not Saved"));
    ChangeLangue();
}

void frmMain::mnuQuit_Click() {
    close();
}

void frmMain::mnuReponse_Click() {
    const int index = CaseCourante;
    const modGrille::Outcome outcome = modGrille::revealAnswer(m_board, index, m_state.NumGrille);
    m_narrator->revealed(index);
    carryOut(outcome);
}

void frmMain::mnuInfo_Click() {
    frmInfo dialog(this, m_webLink);
    platform::showModal(dialog);
}

void frmMain::carryOut(const modGrille::Outcome &outcome) {
    // Paints at once; no queued key or command can run against the finished game.
    if (outcome.repaint)
        repaint();
    if (outcome.bravo)
        platform::showMessage(modLangue::Traduction(modLangue::MsgBravo),
                              platform::Information | platform::Foreground);
    if (outcome.disableFinish)
        mnuFinir->setEnabled(false);
}

void frmMain::txtCh_KeyPress(int index, int &keyAscii) {
    const int typed = keyAscii;
    const modGrille::Outcome outcome =
        modGrille::handleKey(m_board, index, keyAscii, m_state.NumGrille, m_state.SansAssistance);
    keyAscii = outcome.key;
    if (!outcome.bravo) // else the message box says it
        announceJudgement(index, typed, outcome);
    carryOut(outcome);
}

void frmMain::announceJudgement(int index, int typed, const modGrille::Outcome &outcome) {
    if (m_state.SansAssistance) {
        // Counted from the digits, not the red ones: a new game leaves a given's colour as
        // the last game left it.
        if (modGrille::Complet(m_board))
            m_narrator->gridFull(modGrille::countFinish(m_board, m_state.NumGrille).corrected);
    } else if (outcome.locked) {
        m_narrator->rightDigit(index, typed);
    } else if (typed >= '1' && typed <= '9') {
        m_narrator->wrongDigit(typed);
    }
}

void frmMain::txtCh_GotFocus(int index) {
    CaseCourante = qint16(index);
}

void frmMain::txtCh_MouseDown(int index, Qt::MouseButton button) {
    if (m_state.SansAssistance || button != Qt::LeftButton)
        return;
    if (CaseCourante == index)
        platform::popupMenu(*mnuAide, QCursor::pos());
    else
        CaseCourante = qint16(index);
}

void frmMain::txtCh_ContextKey(int index) {
    if (m_state.SansAssistance || !txtCh[index]->isEnabled())
        return;
    CaseCourante = qint16(index);
    // From the keyboard the item is active at once, so that a screen reader announces it.
    platform::popupMenu(*mnuAide, txtCh[index]->mapToGlobal(txtCh[index]->rect().center()),
                        mnuReponse);
}
