#include "platform/popup.h"

#include <QMenu>
#include <QTimer>

namespace platform {

QAction *popupMenu(QMenu &menu, const QPoint &pos, QAction *active) {
    if (!PopupSeam::replaced()) {
        // The menu opens with nothing selected; once it is up, the item is selected as the
        // arrow keys would select it, so that Enter chooses it and a screen reader says it.
        if (active)
            QTimer::singleShot(0, &menu, [&menu, active] { menu.setActiveAction(active); });
        return menu.exec(pos, active);
    }
    QAction *chosen = PopupSeam::call(menu, pos);
    if (chosen)
        chosen->trigger();
    return chosen;
}

} // namespace platform
