#include "dialogs/frmNew.h"

#include "game_window/frmMain.h"
#include "game_window/twips.h"
#include "lang/catalogue.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/random_source.h"
#include "puzzle/game_state.h"
#include "puzzle/prepare.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

using modLangue::Traduction;

frmNew::frmNew(frmMain &main)
    : DesignDialog(&main, "frmNew", QSize(3840, 1635))
    , m_main(main) {

    // Creation order is the tab order.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(2040, 1080, 1575, 375));
    cmdUndo = new QPushButton(QStringLiteral("Annuler"), this);
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    cmdUndo->setGeometry(twipsRect(120, 1080, 1575, 375));
    Label1 = new QLabel(QStringLiteral("Difficulté"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 240, 1095, 255));
    cmbChoix = new QComboBox(this);
    cmbChoix->setObjectName(QStringLiteral("cmbChoix"));
    cmbChoix->setGeometry(twipsRect(1800, 240, 1815, 315));
    Label1->setBuddy(cmbChoix); // screen readers name the list by its label
    chkAssist = new QCheckBox(QStringLiteral("Activer l'assistance"), this);
    chkAssist->setObjectName(QStringLiteral("chkAssist"));
    chkAssist->setGeometry(twipsRect(240, 600, 3255, 255));

    connect(cmbChoix, &QComboBox::currentIndexChanged, this, &frmNew::cmbChoix_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmNew::cmdOK_Click);
    connect(cmdUndo, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
    cmdOK->setFocus();
}

void frmNew::Form_Load() {
    {
        // Filling the list is not a choice of the player's: NiveauCourant must survive it.
        const QSignalBlocker quiet(cmbChoix);
        cmbChoix->clear();
        for (qint16 entree = modLangue::LevelBeginner; entree <= modLangue::LevelExpert; ++entree)
            cmbChoix->addItem(Traduction(entree));
    }
    cmbChoix->setCurrentIndex(modGrille::NiveauCourant);
    Label1->setText(Traduction(modLangue::LabelDifficulty));
    cmdUndo->setText(Traduction(modLangue::ButtonCancel));
    chkAssist->setText(Traduction(modLangue::OptionAssist));
    chkAssist->setChecked(!modGrille::SansAssistance);
}

void frmNew::cmbChoix_Click(int index) {
    modGrille::NiveauCourant = qint16(index);
}

void frmNew::cmdOK_Click() {
    const int niveau = cmbChoix->currentIndex();
    if (niveau == -1) {
        platform::MsgBox(QStringLiteral("Veuillez choisir la difficulté"),
                         platform::vbExclamation | platform::vbMsgBoxSetForeground);
        return;
    }
    modGrille::PrepareGrille(m_main.board(), qint16(niveau), platform::Generateur(),
                             modGrille::NumGrille);
    m_main.mnuFinir->setEnabled(true);
    m_main.lblNiveau->setText(Traduction(modLangue::LabelLevel) + QLatin1Char(' ') +
                              cmbChoix->itemText(niveau) + QString(7, QLatin1Char(' ')) +
                              Traduction(modLangue::HintClickCell));
    platform::AjusterPolice(*m_main.lblNiveau, platform::PoliceParDefaut());
    m_main.fraGrille->setVisible(true);
    m_main.lblNiveau->setVisible(true);
    m_main.Image1->setVisible(false);
    modGrille::SansAssistance = !chkAssist->isChecked();
    accept();
}
