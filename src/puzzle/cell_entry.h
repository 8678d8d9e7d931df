#pragma once

#include "puzzle/board.h"

namespace modGrille {

inline constexpr int Backspace = 8; // its character code, which keeps its editing effect

// What the window must do once the logic has changed the board, in this order: insert
// `key` into the cell (0: nothing), repaint at once, show "Bravo !", disable Finish. `locked`
// tells that the cell typed into was judged right and locked.
struct Outcome {
    int key = 0;
    bool repaint = false;
    bool bravo = false;
    bool disableFinish = false;
    bool locked = false;
};

// A character typed into open cell `i`: `keyAscii` is its code (Backspace for Backspace).
Outcome handleKey(Board &board, int i, int keyAscii, qint16 grille, bool sansAssistance);

// Writes every answer into the board, marks wrong entries red and locks every cell.
Outcome finishGrid(Board &board, qint16 grille);

// What finishGrid would do: how many empty cells it fills in and how many wrong open entries
// it corrects.
struct FinishCount {
    int filled = 0;
    int corrected = 0;
};
FinishCount countFinish(const Board &board, qint16 grille);

// Reveals the answer of cell `i` and locks it.
Outcome revealAnswer(Board &board, int i, qint16 grille);

} // namespace modGrille
