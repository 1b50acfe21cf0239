#include "text/note_locale.hpp"

#include "text/heure_locale.hpp"

namespace orbitel {

namespace {

// "1 heure", "2 heures": French takes the singular below two.
std::string compte(long long n, const char* unite) {
    std::string t = std::to_string(n) + ' ' + unite;
    if (n > 1) t += 's';
    return t;
}

} // namespace

std::string duree_heures_minutes(long long minutes) {
    const long long heures = minutes / 60;
    const long long reste = minutes % 60;
    if (reste == 0) {
        return compte(heures, "heure");
    }
    if (heures == 0) {
        return compte(reste, "minute");
    }
    return compte(heures, "heure") + " " + compte(reste, "minute");
}

std::string note_heure_locale(int decalage_secondes) {
    if (decalage_secondes == 0) {
        return "L'heure locale est l'heure TU.";
    }
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long decalage = decalage_secondes;
    const long long taille = decalage > 0 ? decalage : -decalage;
    // Whole hours in words; any other offset as the local-time tool tips write it ("5:30").
    const std::string duree =
        taille % 3600 == 0 ? compte(taille / 3600, "heure") : texte_duree_decalage(taille);
    return (decalage > 0 ? "Pour obtenir l'heure locale veuillez ajouter "
                         : "Pour obtenir l'heure locale veuillez retirer ") +
           duree + ".";
}

std::string note_lignes_locales(int decalage_secondes) {
    return "Les heures sont en heure locale (" + texte_decalage(decalage_secondes) + ").";
}

std::string notice_ecart_local(int ecart_minutes) {
    if (ecart_minutes == 0) return "Votre système est à l'heure TU.";
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long ecart = ecart_minutes;
    return std::string(ecart > 0 ? "Votre système est en avance sur TU de "
                                 : "Votre système est en retard sur TU de ") +
           duree_heures_minutes(ecart > 0 ? ecart : -ecart) + ".";
}

} // namespace orbitel
