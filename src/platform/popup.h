#pragma once

#include "platform/seam.h"

#include <QPoint>

class QAction;
class QMenu;

namespace platform {

// Pops `menu` up at `pos` (global coordinates), with `active` (if any) selected there,
// and returns the chosen action, or nullptr when the menu was dismissed.
QAction *popupMenu(QMenu &menu, const QPoint &pos, QAction *active = nullptr);

// A test chooses instead of the player; the chosen action is then triggered.
using PopupSeam = Seam<struct PopupTag, QAction *(QMenu &, const QPoint &)>;

} // namespace platform
