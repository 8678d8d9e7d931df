#pragma once

#include <QDialog>

class frmMain;

// The language chooser.
class frmLangue : public QDialog {
    Q_OBJECT
public:
    explicit frmLangue(frmMain &main);

private:
    frmMain &m_main;
};
