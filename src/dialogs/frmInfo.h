#pragma once

#include <QDialog>

// The About box.
class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(QWidget *parent);
};
