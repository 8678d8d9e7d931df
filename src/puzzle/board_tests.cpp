#include "puzzle/board_tests.h"

#include "puzzle/bank.h"

namespace modGrille {

bool Termine(const Board &board) {
    bool result = true;
    for (int i = 0; i < CellCount; ++i) {
        if (board.isEnabled(i))
            result = false;
    }
    return result;
}

bool Complet(const Board &board) {
    bool result = true;
    for (int i = 0; i < CellCount; ++i) {
        if (board.text(i).isEmpty())
            result = false;
    }
    return result;
}

bool CasesJustes(Board &board, qint16 grille) {
    bool result = true;
    for (int i = 0; i < CellCount; ++i) {
        const qint16 s = ChiffreSolution(grille, qint16(i + 1));
        // A cell holds one digit; anything else can never equal its solution digit.
        bool ok = false;
        const int value = board.text(i).toInt(&ok);
        if (!ok || value != s) {
            board.setForeColor(i, Colour::Red);
            result = false;
        }
    }
    return result;
}

} // namespace modGrille
