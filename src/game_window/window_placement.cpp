#include "game_window/window_placement.h"

#include <algorithm>

QPoint FramePosition(const QRect &screen, const QRect &available, const QRect &frame,
                     const QRect &window, int menuBar, int clientTop) {
    const int clientTopInFrame = window.top() - frame.top() + menuBar;
    const int left = screen.left() + (screen.width() - frame.width()) / 2;
    const int top = screen.top() + clientTop - clientTopInFrame;
    // A frame wider or taller than the free area keeps its top-left corner in it.
    return {std::max(available.left(), std::min(left, available.right() + 1 - frame.width())),
            std::max(available.top(), std::min(top, available.bottom() + 1 - frame.height()))};
}
