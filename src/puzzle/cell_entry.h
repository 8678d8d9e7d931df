#pragma once

#include "puzzle/board.h"

namespace modGrille {

// What the game logic asks of the window around the board.
class GameHooks {
public:
    // "Bravo !" in the current language; returns once the player has answered it.
    virtual void AfficherBravo() = 0;
    // Enables or disables the Finish command.
    virtual void ActiverFinir(bool enabled) = 0;
    // Lets the board repaint now, without running any user input.
    virtual void Rafraichir() = 0;

protected:
    ~GameHooks() = default;
};

// The key handler of open cell `i`: `keyAscii` is the character code of the key (8 for
// Backspace); on return it is the character still to be inserted, or 0 for none.
void ToucheCase(Board &board, GameHooks &hooks, int i, int &keyAscii, qint16 grille,
                bool sansAssistance);

// Writes every answer into the board, marks wrong entries red and locks every cell.
void Finir(Board &board, GameHooks &hooks, qint16 grille);

// Reveals the answer of cell `i` and locks it.
void Reponse(Board &board, GameHooks &hooks, int i, qint16 grille);

} // namespace modGrille
