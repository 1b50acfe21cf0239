#pragma once
#include <string>

#include "clock/fuseau.hpp"
#include "events/releve.hpp"

namespace orbitel {

// The two lines of the window. "Lever: 12/04/1992 à 13:05 ( Az = 073,4°)", or "Lever: ---".
struct LignesLeverCoucher {
    std::string lever;
    std::string coucher;
};
// With a zone (nullptr: UT): "Lever: 12/04/1992 à 15:05 (UTC+2) ( Az = 073,4°)".
LignesLeverCoucher lignes_lever_coucher(const LeverCoucherJour& jour, char marque,
                                        const Fuseau* zone = nullptr);

// "Lever: ---" and "Coucher: ---": no place, or an instant that cannot be computed.
LignesLeverCoucher lignes_lever_coucher_absentes();

} // namespace orbitel
