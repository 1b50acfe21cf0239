#pragma once
#include <string>

#include "events/lever_coucher.hpp"

namespace orbitel {

// The two lines of the window. "Lever: 12/04/1992 à 13:05 ( Az = 073,4°)", or "Lever: ---".
struct LignesLeverCoucher {
    std::string Label18_0; // rise
    std::string Label18_1; // set
};
LignesLeverCoucher lignes_lever_coucher(const LeverCoucher& resultat, char marque);

// "Lever: ---" and "Coucher: ---", for an instant that cannot be computed.
LignesLeverCoucher lignes_lever_coucher_absentes();

} // namespace orbitel
