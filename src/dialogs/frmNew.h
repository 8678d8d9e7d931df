#pragma once

#include "dialogs/design_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class frmMain;

// The new-game dialog: the player picks a level and the assistance option.
class frmNew : public DesignDialog {
    Q_OBJECT
public:
    explicit frmNew(frmMain &main);

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdUndo = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbChoix = nullptr;
    QCheckBox *chkAssist = nullptr;

private:
    void Form_Load();
    void cmbChoix_Click(int index);
    void cmdOK_Click();

    frmMain &m_main;
};
