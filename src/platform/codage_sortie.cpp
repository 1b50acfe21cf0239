#include "platform/codage_sortie.hpp"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>

namespace orbitel {

namespace {

bool egal_sans_casse_ni_tiret(std::string_view a, std::string_view b) {
    const auto normal = [](std::string_view s) {
        std::string r;
        for (const char c : s)
            if (c != '-' && c != '_') r += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return r;
    };
    return normal(a) == normal(b);
}

// Length of the UTF-8 sequence that starts with this byte (1 for a byte that starts none).
std::size_t longueur_utf8(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

} // namespace

std::optional<std::string> jeu_de_conversion(std::string_view nom_locale, std::string_view jeu) {
    if (nom_locale.empty() || nom_locale == "C" || nom_locale == "POSIX") return std::nullopt;
    if (egal_sans_casse_ni_tiret(jeu, "UTF-8") || jeu.empty()) return std::nullopt;
    return std::string(jeu);
}

std::optional<std::string> jeu_de_conversion_de_l_environnement() {
    // LC_CTYPE only: the number texts keep the program's own rules.
    const std::string avant = std::setlocale(LC_CTYPE, nullptr);
    const char* nom = std::setlocale(LC_CTYPE, "");
    if (nom == nullptr) return std::nullopt; // an unknown locale: stay with UTF-8
    const std::string nom_locale = nom;
    const std::string jeu = nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, avant.c_str());
    return jeu_de_conversion(nom_locale, jeu);
}

std::string vers_jeu(std::string_view utf8, const std::string& jeu) {
    const iconv_t cd = iconv_open(jeu.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
    std::string sortie;
    char tampon[256];
    std::size_t i = 0;
    while (i < utf8.size()) {
        char* entree = const_cast<char*>(utf8.data() + i);
        std::size_t reste = utf8.size() - i;
        char* dans = tampon;
        std::size_t place = sizeof tampon;
        const std::size_t r = iconv(cd, &entree, &reste, &dans, &place);
        sortie.append(tampon, static_cast<std::size_t>(dans - tampon));
        i = utf8.size() - reste;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // A character the set lacks (EILSEQ) or a cut sequence (EINVAL): one "?" for it.
        sortie += '?';
        const std::size_t n = longueur_utf8(static_cast<unsigned char>(utf8[i]));
        std::size_t k = 1;
        while (k < n && i + k < utf8.size() && (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80)
            ++k;
        i += k;
    }
    // Sets with shift states end in their initial state.
    char* dans = tampon;
    std::size_t place = sizeof tampon;
    iconv(cd, nullptr, nullptr, &dans, &place);
    sortie.append(tampon, static_cast<std::size_t>(dans - tampon));
    iconv_close(cd);
    return sortie;
}

} // namespace orbitel
