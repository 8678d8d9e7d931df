#pragma once

#include "dialogs/design_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The new-game dialog: the player picks a level and the assistance option. It answers;
// the game window starts the game.
class frmNew : public DesignDialog {
    Q_OBJECT
public:
    // Opens on level `niveauCourant`, with assistance ticked unless `sansAssistance`.
    frmNew(QWidget *parent, qint16 niveauCourant, bool sansAssistance);

    // The level picked last in the list, whether the dialog was accepted or not.
    qint16 niveauCourant() const { return m_niveauCourant; }
    // Once accepted: the level to play and whether assistance is off.
    qint16 level() const;
    QString levelName() const; // as the list shows it
    bool sansAssistance() const;

private:
    void Form_Load(bool sansAssistance);
    void cmbChoix_Click(int index);
    void cmdOK_Click();

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdUndo = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbChoix = nullptr;
    QCheckBox *chkAssist = nullptr;
    qint16 m_niveauCourant;
};
