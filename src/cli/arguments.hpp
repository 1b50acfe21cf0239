#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orbitel {

// The command line of orbitel-rapport, as typed. Each value keeps its sub-field texts, which are
// read later with the same number reading as the window's entry fields.
struct ArgumentsRapport {
    bool aide = false;
    std::optional<std::vector<std::string>> date;  // jour, mois, an
    std::optional<std::vector<std::string>> heure; // heures, minutes, secondes
    std::optional<std::vector<std::string>> latitude; // degrés, minutes
    std::optional<std::vector<std::string>> longitude;
    bool nord = true;
    bool est = true;
};

struct ResultatArguments {
    ArgumentsRapport arguments;
    std::string erreur; // empty when the command line is sound
};

ResultatArguments analyse_arguments(const std::vector<std::string>& args);

extern const char* const texte_aide;

} // namespace orbitel
