#pragma once

#include <QPoint>
#include <QRect>

// Where the game window's frame goes on `screen` (in virtual-desktop coordinates), given
// where the frame and the window inside it are now: centred across the screen, whatever its
// left edge, with the client area below the title bar and the menu bar (`menuBar` high)
// `clientTop` pixels below the screen's top; the frame kept inside `available`, the part of
// the screen that no panel covers. Before the window manager has framed the window, the frame
// is the window itself.
QPoint FramePosition(const QRect &screen, const QRect &available, const QRect &frame,
                     const QRect &window, int menuBar, int clientTop);
