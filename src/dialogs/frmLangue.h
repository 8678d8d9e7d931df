#pragma once

#include "dialogs/design_dialog.h"

#include <array>

class QLabel;
class QPushButton;
class frmMain;

// The language chooser: a row of five flags. A click sets the language for this run and
// the next start, re-captions the game window's menus and closes the chooser.
class frmLangue : public DesignDialog {
    Q_OBJECT
public:
    explicit frmLangue(frmMain &main);

    QLabel *Label1 = nullptr;
    std::array<QPushButton *, 5> cmdLangue{};

private:
    void cmdLangue_Click(int index);

    frmMain &m_main;
};
