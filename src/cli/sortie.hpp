#pragma once
#include <string_view>

namespace orbitel {

// Everything orbitel-rapport writes on standard output goes through here, gathered in large blocks.
void ecrit_sortie(std::string_view texte);

// Writes what is still gathered; true when every byte reached standard output.
bool termine_sortie();

} // namespace orbitel
