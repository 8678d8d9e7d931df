#pragma once

#include <QPoint>

#include <functional>

class QAction;
class QMenu;

namespace platform {

// Pops `menu` up at `pos` (global coordinates) and returns the chosen action, or nullptr
// when the menu was dismissed. A test handler may choose instead of the user.
QAction *PopupMenu(QMenu &menu, const QPoint &pos);

using PopupHandler = std::function<QAction *(QMenu &, const QPoint &)>;
void setPopupHandler(PopupHandler handler);

} // namespace platform
