#pragma once
// Rows of the reference tables in tests/data (tab-separated, '#' lines are comments).
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace references {

inline std::vector<std::vector<std::string>> lit_tsv(const std::string& nom) {
    std::vector<std::vector<std::string>> lignes;
    std::ifstream in(std::string(ORBITEL_TEST_DATA_DIR) + "/" + nom);
    std::string ligne;
    while (std::getline(in, ligne)) {
        if (ligne.empty() || ligne[0] == '#') continue;
        std::vector<std::string> cellules;
        std::istringstream flux(ligne);
        std::string cellule;
        while (std::getline(flux, cellule, '\t'))
            cellules.push_back(cellule);
        lignes.push_back(cellules);
    }
    return lignes;
}

inline double nombre(const std::string& texte) {
    double x = 0;
    std::from_chars(texte.data(), texte.data() + texte.size(), x);
    return x;
}

} // namespace references
