#pragma once

#include <QtGlobal>

// The game's values that outlive a window; they last for the run and are never saved.
namespace modGrille {

extern qint16 NumGrille;     // bank entry of the game in play, 0 before the first game
extern bool SansAssistance;  // true when the player's digits are judged only on a full grid
extern qint16 NiveauCourant; // level picked last in the new-game dialog, 0-5

// Back to the values of a fresh start.
void ReinitialiserPartie();

} // namespace modGrille
