#pragma once

#include <QFont>

namespace platform {

// The windows' default font: the desktop's sans-serif face at the design's 8.25 points,
// which the layouts were measured for.
QFont PoliceParDefaut();

// The desktop's sans-serif face at `points`.
QFont Police(qreal points);

} // namespace platform

class QLabel;

namespace platform {

// Gives `label` the font `base`, made smaller by quarter points where needed so that its
// one line of text fits the label's width: a wider face than the layouts were measured
// with, or a longer translation, must not cut the text off.
void AjusterPolice(QLabel &label, const QFont &base);

} // namespace platform
