#pragma once

#include <QFont>

class QLabel;

namespace platform {

// The size the windows' layouts were measured for, in points.
inline constexpr qreal DefaultPoints = 8.25;

// The desktop's sans-serif face at `points`.
QFont fontOfSize(qreal points);

// The windows' default font: the desktop's sans-serif face at DefaultPoints.
QFont defaultFont();

// Gives `label` the font `base`, made smaller by quarter points where needed so that its
// one line of text fits the label's width: a wider face than the layouts were measured
// with, or a longer translation, must not cut the text off.
void fitFont(QLabel &label, const QFont &base);

} // namespace platform
