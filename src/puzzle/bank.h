#pragma once

#include <QtGlobal>

// The bank of solution grids: every puzzle is cut out of one of them.
namespace modGrille {

inline constexpr qint16 GridCount = 250;

// Digit 1-9 at `position` (1-81, row by row from the top-left) of bank entry `grille`
// (1-250); 0 for a grid number or position out of range.
qint16 ChiffreSolution(qint16 grille, qint16 position);

// The bank as stored: GridCount texts of 81 digit characters, entry n at index n - 1.
extern const char SolutionBank[GridCount][82];

} // namespace modGrille
