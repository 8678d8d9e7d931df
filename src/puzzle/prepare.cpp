#include "puzzle/prepare.h"

#include "puzzle/bank.h"

namespace modGrille {

void PrepareGrille(Board &board, qint16 niveau, platform::RandomSource &random, qint16 &numGrille) {
    // The dialog only offers levels 0-5; anything else would never leave the loop below.
    const qint16 vides = CasesVides(qBound(qint16(0), niveau, qint16(5)));
    numGrille = qint16(random.below(NombreGrilles) + 1);

    for (int i = 0; i < NombreCases; ++i) {
        board.setText(i, QString::number(ChiffreSolution(numGrille, qint16(i + 1))));
        board.setEnabled(i, false);
        board.setBackColor(i, Couleur::Cyan);
    }

    for (int k = 1; k <= vides;) {
        const int c = random.below(NombreCases);
        if (board.text(c).isEmpty())
            continue;
        board.setText(c, QString());
        board.setEnabled(c, true);
        board.setBackColor(c, Couleur::FondFenetre);
        ++k;
    }
}

} // namespace modGrille
