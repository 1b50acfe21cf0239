#include "platform/affichage.hpp"

#include <vector>

namespace orbitel {

namespace {

std::vector<std::string_view> decoupe(std::string_view texte, char separateur) {
    std::vector<std::string_view> parties;
    for (;;) {
        const std::size_t fin = texte.find(separateur);
        parties.push_back(texte.substr(0, fin));
        if (fin == std::string_view::npos) return parties;
        texte.remove_prefix(fin + 1);
    }
}

bool commence_par(std::string_view texte, std::string_view debut) {
    return texte.substr(0, debut.size()) == debut;
}

// xcb, wayland and its variants (wayland-egl, ...): the plugins that talk to a display server.
bool veut_un_serveur(std::string_view nom) {
    nom = nom.substr(0, nom.find(':'));
    return nom == "xcb" || commence_par(nom, "wayland");
}

bool vide(const char* valeur) {
    return valeur == nullptr || *valeur == '\0';
}

} // namespace

std::string plateforme_demandee(int argc, const char* const* argv, const char* variable) {
    std::string plateforme = variable != nullptr ? variable : "";
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i] != nullptr ? argv[i] : "";
        if ((a == "-platform" || a == "--platform") && i + 1 < argc && argv[i + 1] != nullptr)
            plateforme = argv[++i];
    }
    return plateforme;
}

bool affichage_absent(std::string_view plateforme, const char* display, const char* wayland_display) {
    if (!vide(display) || !vide(wayland_display)) return false;
    // Qt's default here is one of the two; a list falls back from each plugin to the next.
    if (plateforme.empty()) return true;
    for (std::string_view nom : decoupe(plateforme, ';'))
        if (!nom.empty() && !veut_un_serveur(nom)) return false;
    return true;
}

std::string message_sans_affichage() {
    return "orbitel : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY n'est défini) : la fenêtre "
           "ne peut pas s'ouvrir. Lancez orbitel dans une session graphique ; orbitel-rapport donne les "
           "mêmes résultats sans écran.";
}

std::string message_affichage_injoignable() {
    return "orbitel : l'écran n'a pas pu être joint : la fenêtre ne peut pas s'ouvrir. Lancez orbitel "
           "dans une session graphique ; orbitel-rapport donne les mêmes résultats sans écran.";
}

} // namespace orbitel
