#include "puzzle/cell_entry.h"

#include "puzzle/bank.h"
#include "puzzle/board_tests.h"

namespace modGrille {
namespace {
QString digitText(int digit) {
    return QString(QChar(char16_t(u'0' + digit)));
}

// An open cell whose digit is not its solution's: Finish corrects it.
bool isWrongEntry(const Board &board, int i, qint16 grille) {
    return board.isEnabled(i) && !board.text(i).isEmpty() &&
           board.text(i).toInt() != ChiffreSolution(grille, qint16(i + 1));
}
} // namespace

Outcome handleKey(Board &board, int i, int keyAscii, qint16 grille, bool sansAssistance) {
    if (keyAscii == Backspace)
        return {.key = Backspace};
    // Any other key replaces what the cell held.
    if (board.text(i).size() == 1)
        board.setText(i, QString());
    if (keyAscii < '1' || keyAscii > '9')
        keyAscii = 0;
    board.setForeColor(i, Colour::WindowText);
    const qint16 s = ChiffreSolution(grille, qint16(i + 1));

    if (sansAssistance) {
        board.setText(i, keyAscii ? QString(QChar(char16_t(keyAscii))) : QString());
        if (!Complet(board) || !CasesJustes(board, grille))
            return {};
        return {.bravo = true, .disableFinish = true};
    }

    const bool right = keyAscii - '0' == s;
    if (right) {
        board.setForeColor(i, Colour::WindowText);
        board.setBackColor(i, Colour::Green);
        board.setEnabled(i, false);
    } else {
        board.setForeColor(i, Colour::Red);
    }
    if (!Termine(board))
        return {.key = keyAscii, .locked = right};
    // The last open cell is solved: its digit shows before the message. Only a repaint runs
    // before it, no queued input, which would act on a finished game.
    board.setText(i, digitText(s));
    return {.repaint = true, .bravo = true, .disableFinish = true, .locked = true};
}

Outcome finishGrid(Board &board, qint16 grille) {
    for (int i = 0; i < CellCount; ++i) {
        const qint16 s = ChiffreSolution(grille, qint16(i + 1));
        const QString text = board.text(i);
        if (text.isEmpty()) {
            board.setText(i, digitText(s));
            board.setForeColor(i, Colour::WindowText);
            board.setBackColor(i, Colour::Green);
        } else if (isWrongEntry(board, i, grille)) {
            board.setBackColor(i, Colour::Red);
            board.setText(i, digitText(s));
        }
        board.setEnabled(i, false);
    }
    return {.disableFinish = true};
}

FinishCount countFinish(const Board &board, qint16 grille) {
    FinishCount count;
    for (int i = 0; i < CellCount; ++i) {
        count.filled += board.text(i).isEmpty();
        count.corrected += isWrongEntry(board, i, grille);
    }
    return count;
}

Outcome revealAnswer(Board &board, int i, qint16 grille) {
    const qint16 s = ChiffreSolution(grille, qint16(i + 1));
    board.setText(i, digitText(s));
    board.setForeColor(i, Colour::WindowText);
    board.setBackColor(i, Colour::Green);
    board.setEnabled(i, false);
    // Finish stays available after the last answer.
    return {.bravo = Termine(board)};
}

} // namespace modGrille
