#include "cli/sortie.hpp"

#include "platform/codage_sortie.hpp"

#include <cstdio>
#include <string>

namespace orbitel {

namespace {

std::string& tampon() {
    static std::string t;
    return t;
}

bool ecriture_reussie = true;

std::optional<std::string>& jeu_de_sortie() {
    static std::optional<std::string> jeu;
    return jeu;
}

void vide() {
    std::string& t = tampon();
    if (!t.empty() && std::fwrite(t.data(), 1, t.size(), stdout) != t.size()) ecriture_reussie = false;
    t.clear();
}

} // namespace

void convertit_sortie_vers(std::optional<std::string> jeu) { jeu_de_sortie() = std::move(jeu); }

void ecrit_sortie(std::string_view texte) {
    std::string& t = tampon();
    // Each piece is converted whole, so a character is never cut between two conversions.
    if (jeu_de_sortie())
        t.append(vers_jeu(texte, *jeu_de_sortie()));
    else
        t.append(texte);
    if (t.size() >= (1u << 16)) vide();
}

bool termine_sortie() {
    vide();
    return std::fflush(stdout) == 0 && ecriture_reussie;
}

} // namespace orbitel
