#pragma once
// Text for a terminal whose locale does not use UTF-8: the program's texts are UTF-8, an ISO-8859-1
// terminal would show "à" as "Ã ". They are converted to the locale's character set instead.
#include <optional>
#include <string>
#include <string_view>

namespace orbitel {

// The character set text output should be converted to, for a locale of this name (LC_CTYPE) and
// this set (nl_langinfo(CODESET)): nullopt when the texts stay UTF-8, that is under a UTF-8 locale
// and under the C/POSIX locale (whose ASCII is taken as "no locale chosen").
std::optional<std::string> jeu_de_conversion(std::string_view nom_locale, std::string_view jeu);

// The same for the locale of the environment (LC_ALL, LC_CTYPE, LANG).
std::optional<std::string> jeu_de_conversion_de_l_environnement();

// UTF-8 text converted to the character set `jeu`; every character the set lacks, and every byte
// that is not UTF-8, becomes "?". A set the system does not know leaves the text as it is.
std::string vers_jeu(std::string_view utf8, const std::string& jeu);

} // namespace orbitel
