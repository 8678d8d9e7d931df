#include "puzzle/cell_entry.h"

#include "puzzle/bank.h"
#include "puzzle/board_tests.h"

namespace modGrille {
namespace {
constexpr int Backspace = 8;

QString chiffre(int digit) {
    return QString(QChar(char16_t(u'0' + digit)));
}
} // namespace

void ToucheCase(Board &board, GameHooks &hooks, int i, int &keyAscii, qint16 grille,
                bool sansAssistance) {
    if (keyAscii == Backspace)
        return;
    // Any other key replaces what the cell held.
    if (board.text(i).size() == 1)
        board.setText(i, QString());
    if (keyAscii < '1' || keyAscii > '9')
        keyAscii = 0;
    board.setForeColor(i, Couleur::TexteFenetre);
    const qint16 s = ChiffreSolution(grille, qint16(i + 1));

    if (sansAssistance) {
        board.setText(i, keyAscii ? QString(QChar(char16_t(keyAscii))) : QString());
        keyAscii = 0;
        if (!Complet(board))
            return;
        if (!CasesJustes(board, grille))
            return;
        hooks.AfficherBravo();
        hooks.ActiverFinir(false);
        return;
    }

    if (keyAscii - '0' == s) {
        board.setForeColor(i, Couleur::TexteFenetre);
        board.setBackColor(i, Couleur::Vert);
        board.setEnabled(i, false);
    } else {
        board.setForeColor(i, Couleur::Rouge);
    }
    if (!Termine(board))
        return;
    // The last open cell is solved: show its digit before the message.
    hooks.Rafraichir();
    keyAscii = 0;
    board.setText(i, chiffre(s));
    hooks.AfficherBravo();
    hooks.ActiverFinir(false);
}

void Finir(Board &board, GameHooks &hooks, qint16 grille) {
    for (int i = 0; i < NombreCases; ++i) {
        const qint16 s = ChiffreSolution(grille, qint16(i + 1));
        const QString text = board.text(i);
        if (text.isEmpty()) {
            board.setText(i, chiffre(s));
            board.setForeColor(i, Couleur::TexteFenetre);
            board.setBackColor(i, Couleur::Vert);
        } else if (board.isEnabled(i) && text.toInt() != s) {
            board.setBackColor(i, Couleur::Rouge);
            board.setText(i, chiffre(s));
        }
        board.setEnabled(i, false);
    }
    hooks.ActiverFinir(false);
}

void Reponse(Board &board, GameHooks &hooks, int i, qint16 grille) {
    const qint16 s = ChiffreSolution(grille, qint16(i + 1));
    board.setText(i, chiffre(s));
    board.setForeColor(i, Couleur::TexteFenetre);
    board.setBackColor(i, Couleur::Vert);
    board.setEnabled(i, false);
    if (Termine(board))
        hooks.AfficherBravo();
}

} // namespace modGrille
