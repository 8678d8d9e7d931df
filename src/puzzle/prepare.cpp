#include "puzzle/prepare.h"

#include "puzzle/bank.h"

namespace modGrille {

void PrepareGrille(Board &board, qint16 niveau, RandomSource &random, qint16 &numGrille) {
    // The dialog only offers levels 0-5; anything else would never leave the loop below.
    const qint16 blanks = BlankCount(qBound(qint16(0), niveau, HighestLevel));
    numGrille = qint16(random.below(GridCount) + 1);

    for (int i = 0; i < CellCount; ++i) {
        board.setText(i, QString::number(ChiffreSolution(numGrille, qint16(i + 1))));
        board.setEnabled(i, false);
        board.setBackColor(i, Colour::Cyan);
    }

    for (int k = 1; k <= blanks;) {
        const int c = random.below(CellCount);
        if (board.text(c).isEmpty())
            continue;
        board.setText(c, QString());
        board.setEnabled(c, true);
        board.setBackColor(c, Colour::WindowBackground);
        ++k;
    }
}

} // namespace modGrille
