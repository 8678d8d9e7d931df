#pragma once

#include <QPoint>
#include <QRect>

// Where the game window's frame goes on `screen` (in virtual-desktop coordinates): centred
// across it, whatever its left edge, with the client area below the menu bar `clientTop`
// pixels from the screen's top. `clientTopInFrame` is how far below the frame's top edge
// that client area starts (title bar and menu bar).
QPoint FramePosition(const QRect &screen, int frameWidth, int clientTopInFrame, int clientTop);
