#pragma once

#include "puzzle/board.h"
#include "puzzle/random_source.h"

namespace modGrille {

inline constexpr qint16 HighestLevel = 5;

// Number of cells a puzzle of `niveau` (0-HighestLevel) leaves empty.
inline constexpr qint16 BlankCount(qint16 niveau) {
    return qint16(5 * niveau + 40);
}

// Lays a new puzzle of level `niveau` on the board: draws a bank entry into `numGrille`,
// writes every cell as a locked cyan given with its solution digit, then empties
// BlankCount(niveau) cells drawn at random (a draw that hits an empty cell is drawn again).
// Writes only the text, enabled state and background of the cells.
void PrepareGrille(Board &board, qint16 niveau, RandomSource &random, qint16 &numGrille);

} // namespace modGrille
