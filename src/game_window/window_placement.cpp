#include "game_window/window_placement.h"

#include <algorithm>

QPoint FramePosition(const QRect &screen, const QRect &frame, const QRect &window, int menuBar,
                     int clientTop) {
    const int clientTopInFrame = window.top() - frame.top() + menuBar;
    return {screen.left() + (screen.width() - frame.width()) / 2,
            std::max(screen.top(), screen.top() + clientTop - clientTopInFrame)};
}
