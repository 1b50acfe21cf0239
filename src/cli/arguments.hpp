#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clock/instant.hpp"

namespace orbitel {

// The command line of orbitel-rapport, as typed: each option's text, read and checked later.
struct ArgumentsRapport {
    bool aide = false;
    bool version = false;
    std::optional<std::string> date, heure, latitude, longitude, du, au, pas, phases, saisie, format, fuseau;
};

struct ResultatArguments {
    ArgumentsRapport arguments;
    std::string erreur; // empty when the command line is sound
};

// Recognises the options and their values (--option valeur or --option=valeur); a value is not read
// here.
ResultatArguments analyse_arguments(const std::vector<std::string>& args);

enum class Format { texte, csv, json, ics };

// How each sub-field is read: strictly (the default), or as the window reads its entry fields.
enum class Saisie { stricte, fenetre };

// Where the dates and times typed and written are read: UT, the system's zone, or a fixed offset.
enum class Zone { tu, locale, fixe };

// A date and a time of day as sub-field values, for the Instant's fields.
struct ChampsDate {
    double jour = 0, mois = 0, an = 0;
};
struct ChampsHeure {
    double heures = 0, minutes = 0;
    float secondes = 0;
};

// A step of a range: whole days of the calendar, or a fixed number of seconds.
struct Pas {
    bool jours = true;
    std::int64_t nombre = 1; // days, or seconds
};

// What the command line asks, checked: one instant (date and time, either may be absent: now), a
// range of instants, or the phases of a year.
struct Demande {
    enum class Forme { instant, plage, phases } forme = Forme::instant;
    Format format = Format::texte;
    Saisie saisie = Saisie::stricte;
    Zone zone = Zone::tu;
    std::int32_t decalage = 0;        // seconds ahead of UT, for Zone::fixe
    std::optional<ChampsDate> date;   // --date, or --du
    std::optional<ChampsDate> fin;    // --au
    std::optional<ChampsHeure> heure; // --heure
    Pas pas;
    // The place typed, as the texts of the window's place fields (already checked in strict reading).
    std::optional<std::vector<std::string>> latitude, longitude;
    bool nord = true;
    bool est = true;
    std::int16_t annee_phases = 0;
    // The texts of --du, --au and --pas, for messages.
    std::string texte_du, texte_au, texte_pas;
};

struct ResultatDemande {
    Demande demande;
    std::string erreur; // the French message of a refusal
};

// Reads and checks every value: the sub-fields by the chosen reading, the options that do not go
// together, the calendar of --date, --du and --au.
ResultatDemande lit_demande(const ArgumentsRapport& arguments);

extern const char* const texte_aide;

} // namespace orbitel
