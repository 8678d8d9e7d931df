#include "game_window/window_placement.h"

QPoint FramePosition(const QRect &screen, int frameWidth, int clientTopInFrame, int clientTop) {
    return {screen.left() + (screen.width() - frameWidth) / 2,
            screen.top() + clientTop - clientTopInFrame};
}
