#pragma once

#include <QPoint>
#include <QRect>

// Where the game window's frame goes on `screen` (in virtual-desktop coordinates): centred
// across it, whatever its left edge, `clientTop - clientTopInFrame` pixels below the
// screen's top, where `clientTopInFrame` is how far below that edge the client area starts.
QPoint FramePosition(const QRect &screen, int frameWidth, int clientTopInFrame, int clientTop);
