#include "cli/sortie.hpp"

#include <cerrno>

namespace orbitel {

namespace {

constexpr std::size_t TailleBloc = 1u << 16;

} // namespace

std::streamsize TamponFichier::xsputn(const char* texte, std::streamsize n) {
    tampon_.append(texte, static_cast<std::size_t>(n));
    if (tampon_.size() >= TailleBloc) vide();
    return n;
}

TamponFichier::int_type TamponFichier::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char octet = traits_type::to_char_type(c);
    xsputn(&octet, 1);
    return c;
}

int TamponFichier::sync() {
    vide();
    if (std::fflush(fichier_) != 0) echoue();
    return reussi_ ? 0 : -1;
}

void TamponFichier::vide() {
    if (!tampon_.empty() && std::fwrite(tampon_.data(), 1, tampon_.size(), fichier_) != tampon_.size())
        echoue();
    tampon_.clear();
}

void TamponFichier::echoue() {
    if (reussi_) erreur_ = errno;
    reussi_ = false;
}

} // namespace orbitel
