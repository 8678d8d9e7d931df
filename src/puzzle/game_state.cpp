#include "puzzle/game_state.h"

namespace modGrille {

qint16 NumGrille = 0;
bool SansAssistance = false;
qint16 NiveauCourant = 0;

void ReinitialiserPartie() {
    NumGrille = 0;
    SansAssistance = false;
    NiveauCourant = 0;
}

} // namespace modGrille
