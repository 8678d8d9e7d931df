#pragma once

#include <QtGlobal>

namespace modGrille {

// The run's game values, held by the game window and handed to what needs them. They last
// for the run and are never saved.
struct GameState {
    qint16 NumGrille = 0;        // bank entry of the game in play, 0 before the first game
    bool SansAssistance = false; // true when the digits are judged only on a full grid
    qint16 NiveauCourant = 0;    // level picked last in the new-game dialog, 0-5
};

} // namespace modGrille
