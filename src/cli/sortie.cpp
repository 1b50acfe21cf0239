#include "cli/sortie.hpp"

#include <cstdio>
#include <string>

namespace orbitel {

namespace {

std::string& tampon() {
    static std::string t;
    return t;
}

bool ecriture_reussie = true;

void vide() {
    std::string& t = tampon();
    if (!t.empty() && std::fwrite(t.data(), 1, t.size(), stdout) != t.size()) ecriture_reussie = false;
    t.clear();
}

} // namespace

void ecrit_sortie(std::string_view texte) {
    std::string& t = tampon();
    t.append(texte);
    if (t.size() >= (1u << 16)) vide();
}

bool termine_sortie() {
    vide();
    return std::fflush(stdout) == 0 && ecriture_reussie;
}

} // namespace orbitel
