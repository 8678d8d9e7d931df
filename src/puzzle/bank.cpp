#include "puzzle/bank.h"

namespace modGrille {

qint16 ChiffreSolution(qint16 grille, qint16 position) {
    // Both arguments are promoted to int before any arithmetic, so no value can overflow;
    // anything outside the table reads as 0 instead of touching memory beyond it.
    if (grille < 1 || grille > GridCount || position < 1 || position > 81)
        return 0;
    return static_cast<qint16>(SolutionBank[grille - 1][position - 1] - '0');
}

} // namespace modGrille
