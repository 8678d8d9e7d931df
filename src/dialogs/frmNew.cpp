#include "dialogs/frmNew.h"

#include "lang/catalogue.h"
#include "platform/message_box.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

using modLangue::Traduction;

frmNew::frmNew(QWidget *parent, qint16 niveauCourant, bool sansAssistance)
    : DesignDialog(parent, "frmNew", QSize(3840, 1635))
    , m_niveauCourant(niveauCourant) {
    setAccessibleName(Traduction(modLangue::MenuNew).remove(u'&'));

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
    Form_Load(sansAssistance);
    cmdOK->setFocus();
}

qint16 frmNew::level() const {
    return qint16(cmbChoix->currentIndex());
}

QString frmNew::levelName() const {
    return cmbChoix->currentText();
}

bool frmNew::sansAssistance() const {
    return !chkAssist->isChecked();
}

void frmNew::Form_Load(bool sansAssistance) {
    {
        // Filling the list is not a choice of the player's: the level must survive it.
        const QSignalBlocker quiet(cmbChoix);
        cmbChoix->clear();
        for (qint16 entry = modLangue::LevelBeginner; entry <= modLangue::LevelExpert; ++entry)
            cmbChoix->addItem(Traduction(entry));
    }
    cmbChoix->setCurrentIndex(m_niveauCourant);
    Label1->setText(Traduction(modLangue::LabelDifficulty));
    cmdUndo->setText(Traduction(modLangue::ButtonCancel));
    chkAssist->setText(Traduction(modLangue::OptionAssist));
    chkAssist->setChecked(!sansAssistance);
}

void frmNew::cmbChoix_Click(int index) {
    m_niveauCourant = qint16(index);
}

void frmNew::cmdOK_Click() {
    if (cmbChoix->currentIndex() == -1) {
        platform::showMessage(QStringLiteral("Veuillez choisir la difficulté"),
                              platform::Exclamation | platform::Foreground);
        return;
    }
    accept();
}
