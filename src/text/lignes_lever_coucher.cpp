#include "text/lignes_lever_coucher.hpp"

#include "text/formats.hpp"
#include "text/heure_locale.hpp"

namespace orbitel {

LignesLeverCoucher lignes_lever_coucher(const LeverCoucherJour& jour, char marque, const Fuseau* zone) {
    LignesLeverCoucher lignes = lignes_lever_coucher_absentes();
    const auto ligne = [marque, zone](const PassageHorizon& p) {
        return (zone ? texte_instant_local(p.instant, FormeInstant::minute, *zone)
                     : texte_date(p.instant, false)) +
               " ( Az = " + texte_image(p.azimut, "000.0", marque) + "°)";
    };
    if (jour.lever) lignes.lever = "Lever: " + ligne(*jour.lever);
    if (jour.coucher) lignes.coucher = "Coucher: " + ligne(*jour.coucher);
    return lignes;
}

LignesLeverCoucher lignes_lever_coucher_absentes() {
    return {"Lever: ---", "Coucher: ---"};
}

} // namespace orbitel
