#pragma once

#include <QColor>

// Legibility of text on a background, as WCAG 2 measures it, so that colours the design fixes
// stay readable on any desktop palette, light or dark.
namespace platform {

// The contrast between two colours, from 1 (none) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// Whether `ground` is dark: light text reads better on it than dark text.
bool isDark(const QColor &ground);

// `colour`, lightened on a dark ground or darkened on a light one just enough to reach
// `least` against `ground`.
QColor readableOn(const QColor &colour, const QColor &ground, double least);

// The least contrast for text to read well.
inline constexpr double Legible = 4.5;
// The least contrast for an outline that tells one control from the next.
inline constexpr double Outline = 3.0;

} // namespace platform
