#pragma once

#include <QRect>

// Layouts are written in twips, exactly as designed; 15 twips make one logical pixel
// (Qt scales logical pixels on high-DPI screens).
inline constexpr int twips(int value) {
    return value / 15;
}

inline constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
