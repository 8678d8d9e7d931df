#pragma once

#include "puzzle/board.h"

// Tests on the board. Each scans all 81 cells in index order and never stops early.
namespace modGrille {

// No cell is open.
bool Termine(const Board &board);

// No cell is empty.
bool Complet(const Board &board);

// Every cell holds its solution digit in grid `grille`; paints each wrong digit red.
bool CasesJustes(Board &board, qint16 grille);

} // namespace modGrille
