#pragma once

#include "platform/random_source.h"
#include "puzzle/board.h"

namespace modGrille {

// Number of cells a puzzle of `niveau` (0-5) leaves empty.
inline constexpr qint16 CasesVides(qint16 niveau) {
    return qint16(5 * niveau + 40);
}

// Lays a new puzzle of level `niveau` (0-5) on the board: draws a bank entry into
// `numGrille`, writes every cell as a locked cyan given with its solution digit, then
// empties CasesVides(niveau) cells drawn at random (a draw that hits an empty cell is
// drawn again). Writes only the text, enabled state and background of the cells.
void PrepareGrille(Board &board, qint16 niveau, platform::RandomSource &random, qint16 &numGrille);

} // namespace modGrille
