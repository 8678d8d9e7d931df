#include "game_window/frmMain.h"

#include "dialogs/frmInfo.h"
#include "dialogs/frmLangue.h"
#include "dialogs/frmNew.h"
#include "game_window/twips.h"
#include "game_window/window_placement.h"
#include "lang/catalogue.h"
#include "lang/menu_captions.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/pictures.h"
#include "platform/popup.h"
#include "puzzle/board_tests.h"
#include "puzzle/cell_entry.h"
#include "puzzle/game_state.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {
// Client area below the menu bar, and how far below the screen's top it starts.
constexpr QSize TailleClient(twips(6135), twips(5475));
constexpr int HautClient = twips(855);

// Ties the game logic to this window.
class Hooks final : public modGrille::GameHooks {
public:
    explicit Hooks(frmMain &window)
        : m_window(window) {}
    void AfficherBravo() override {
        platform::MsgBox(modLangue::Traduction(modLangue::MsgBravo),
                         platform::vbInformation | platform::vbMsgBoxSetForeground);
    }
    void ActiverFinir(bool enabled) override { m_window.mnuFinir->setEnabled(enabled); }
    // Paints at once; no queued key or command can run against the finished game.
    void Rafraichir() override { m_window.repaint(); }

private:
    frmMain &m_window;
};
} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(platform::PoliceParDefaut());
    setWindowTitle(QStringLiteral("  ve | xo | ro"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icon32.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(TailleClient);
    setCentralWidget(client);
    createControls(client);
    createActions();

    setFixedSize(TailleClient.width(), TailleClient.height() + menuBar()->sizeHint().height());
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
    fraGrille->setFont(platform::Police(13.5));
    const QValidator *digits = CellEdit::digitValidator(fraGrille);
    for (int i = 0; i < modGrille::NombreCases; ++i) {
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
    Image1->setPixmap(platform::ChargerImage(QStringLiteral(":/images/vexoro.jpg"), *this));

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

    mnuAide = addMenu("mnuAide", QStringLiteral("&Aide"));
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
    mnuAide->menuAction()->setVisible(false);
    placeOnScreen();
    ChangeLangue();
}

void frmMain::placeOnScreen() {
    const QScreen *ecran = screen();
    if (!ecran)
        return;
    // The frame is known only once the window manager has framed the window; until then it
    // is taken to be the window itself.
    m_placedFrame = frameGeometry().size();
    const int clientTopInFrame =
        geometry().y() - frameGeometry().y() + menuBar()->sizeHint().height();
    move(FramePosition(ecran->geometry(), m_placedFrame.width(), clientTopInFrame, HautClient));
}

void frmMain::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    // Placed again once, when the window manager's frame turns out other than assumed; a
    // move by the player leaves the frame's size as it is.
    if (isVisible() && frameGeometry().size() != m_placedFrame)
        QTimer::singleShot(0, this, &frmMain::placeOnScreen);
}

void frmMain::ChangeLangue() {
    for (const auto &caption : modLangue::MenuCaptions)
        m_captioned.value(QLatin1String(caption.menu))
            ->setText(modLangue::Traduction(caption.entree));
}

void frmMain::closeEvent(QCloseEvent *event) {
    // Closing the game window ends the program at once: nothing is asked or saved.
    event->accept();
    QCoreApplication::exit(0);
}

void frmMain::mnuNew_Click() {
    frmNew dialog(*this);
    platform::ShowModal(dialog);
}

void frmMain::mnuFinir_Click() {
    Hooks hooks(*this);
    modGrille::Finir(m_board, hooks, modGrille::NumGrille);
}

void frmMain::Language_Click() {
    frmLangue dialog(*this);
    platform::ShowModal(dialog);
}

void frmMain::mnuQuit_Click() {
    close();
}

void frmMain::mnuReponse_Click() {
    Hooks hooks(*this);
    modGrille::Reponse(m_board, hooks, CaseCourante, modGrille::NumGrille);
}

void frmMain::mnuInfo_Click() {
    frmInfo dialog(this);
    platform::ShowModal(dialog);
}

void frmMain::txtCh_KeyPress(int index, int &keyAscii) {
    Hooks hooks(*this);
    modGrille::ToucheCase(m_board, hooks, index, keyAscii, modGrille::NumGrille,
                          modGrille::SansAssistance);
}

void frmMain::txtCh_GotFocus(int index) {
    CaseCourante = qint16(index);
}

void frmMain::txtCh_MouseDown(int index, Qt::MouseButton button) {
    if (modGrille::SansAssistance || button != Qt::LeftButton)
        return;
    if (CaseCourante == index)
        platform::PopupMenu(*mnuAide, QCursor::pos());
    else
        CaseCourante = qint16(index);
}

void frmMain::txtCh_ContextKey(int index) {
    if (modGrille::SansAssistance || !txtCh[index]->isEnabled())
        return;
    CaseCourante = qint16(index);
    platform::PopupMenu(*mnuAide, txtCh[index]->mapToGlobal(txtCh[index]->rect().center()));
}

bool frmMain::Termine() const {
    return modGrille::Termine(m_board);
}
bool frmMain::Complet() const {
    return modGrille::Complet(m_board);
}
bool frmMain::CasesJustes() {
    return modGrille::CasesJustes(m_board, modGrille::NumGrille);
}
