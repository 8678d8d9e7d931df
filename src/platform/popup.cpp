#include "platform/popup.h"

#include <QMenu>

namespace platform {

QAction *popupMenu(QMenu &menu, const QPoint &pos) {
    if (!PopupSeam::replaced())
        return menu.exec(pos);
    QAction *chosen = PopupSeam::call(menu, pos);
    if (chosen)
        chosen->trigger();
    return chosen;
}

} // namespace platform
