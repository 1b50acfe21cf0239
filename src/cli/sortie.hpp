#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbitel {

// Everything orbitel-rapport writes on standard output goes through here, gathered in large blocks.
void ecrit_sortie(std::string_view texte);

// From now on, texts are converted to this character set before they are written (nullopt: they
// stay UTF-8). Only the window's French lines follow the terminal's set; tables are UTF-8 files.
void convertit_sortie_vers(std::optional<std::string> jeu);

// Writes what is still gathered; true when every byte reached standard output.
bool termine_sortie();

} // namespace orbitel
