#include "platform/popup.h"

#include <QMenu>

namespace platform {

QAction *popupMenu(QMenu &menu, const QPoint &pos, QAction *active) {
    if (!PopupSeam::replaced())
        return menu.exec(pos, active);
    QAction *chosen = PopupSeam::call(menu, pos);
    if (chosen)
        chosen->trigger();
    return chosen;
}

} // namespace platform
