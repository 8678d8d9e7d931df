#include "dialogs/frmInfo.h"

frmInfo::frmInfo(QWidget *parent)
    : QDialog(parent)
{
}
