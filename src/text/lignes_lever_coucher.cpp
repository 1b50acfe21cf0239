#include "text/lignes_lever_coucher.hpp"

#include "text/formats.hpp"

namespace orbitel {

LignesLeverCoucher lignes_lever_coucher(const LeverCoucher& resultat, char marque) {
    LignesLeverCoucher lignes = lignes_lever_coucher_absentes();
    const auto ligne = [marque](const EvenementHorizon& e) {
        return texte_date(e.jj, false) + " ( Az = " + texte_image(e.azimut, "000.0", marque) + "°)";
    };
    if (resultat.lever.trouve) lignes.Label18_0 = "Lever: " + ligne(resultat.lever);
    if (resultat.coucher.trouve) lignes.Label18_1 = "Coucher: " + ligne(resultat.coucher);
    return lignes;
}

LignesLeverCoucher lignes_lever_coucher_absentes() {
    return {"Lever: ---", "Coucher: ---"};
}

} // namespace orbitel
