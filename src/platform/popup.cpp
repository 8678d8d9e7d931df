#include "platform/popup.h"

#include <QMenu>

namespace platform {
namespace {
PopupHandler &handler() {
    static PopupHandler h;
    return h;
}
} // namespace

void setPopupHandler(PopupHandler h) {
    handler() = std::move(h);
}

QAction *PopupMenu(QMenu &menu, const QPoint &pos) {
    QAction *chosen = handler() ? handler()(menu, pos) : menu.exec(pos);
    // A test handler returns the action without the menu triggering it.
    if (chosen && handler())
        chosen->trigger();
    return chosen;
}

} // namespace platform
