#pragma once
#include <string>

#include "events/releve.hpp"

namespace orbitel {

// The two lines of the window. "Lever: 12/04/1992 à 13:05 ( Az = 073,4°)", or "Lever: ---".
struct LignesLeverCoucher {
    std::string lever;
    std::string coucher;
};
LignesLeverCoucher lignes_lever_coucher(const LeverCoucherJour& jour, char marque);

// "Lever: ---" and "Coucher: ---": no place, or an instant that cannot be computed.
LignesLeverCoucher lignes_lever_coucher_absentes();

} // namespace orbitel
