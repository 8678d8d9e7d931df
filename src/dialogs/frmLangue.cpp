#include "dialogs/frmLangue.h"

#include "game_window/frmMain.h"

frmLangue::frmLangue(frmMain &main)
    : QDialog(&main)
    , m_main(main)
{
}
