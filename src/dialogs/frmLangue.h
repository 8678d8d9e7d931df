#pragma once

#include "dialogs/design_dialog.h"

#include <array>

class QLabel;
class QPushButton;

// The language chooser: a row of five flags. A click picks a language and closes the
// chooser; the game window applies it.
class frmLangue : public DesignDialog {
    Q_OBJECT
public:
    explicit frmLangue(QWidget *parent);

    // Once accepted: the language picked, 1 to 5.
    float language() const { return m_language; }

private:
    void cmdLangue_Click(int index);

    QLabel *Label1 = nullptr;
    std::array<QPushButton *, 5> cmdLangue{};
    float m_language = 0;
};
