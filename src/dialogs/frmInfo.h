#pragma once

#include "dialogs/design_dialog.h"

class QFrame;
class QLabel;
class QPushButton;

namespace platform {
class WebLink;
}

// The address of the program's web page, as the link shows it: host and path, no scheme.
inline constexpr auto WebPageAddress = "www.example.org/vexoro/";

// The About box: the program's emblem and name, the link to its web page and the legend of
// the function keys in the current language. It closes with OK or by the link, which opens
// the page through `link`.
class frmInfo : public DesignDialog {
    Q_OBJECT
public:
    frmInfo(QWidget *parent, platform::WebLink &link);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void lblLien_Click();

    platform::WebLink &m_link;
    QFrame *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *lblLien = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *cmdOK = nullptr;
};
