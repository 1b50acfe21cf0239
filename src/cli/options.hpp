#pragma once
// orbitel-rapport's command line, read once: one table of options (names, help, the forms each
// belongs to) recognises the arguments and writes --help, and every value is read into the typed
// request below or refused with its French message.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/resultat.hpp"

namespace orbitel {

enum class Format { texte, csv, json, ics };

// How each sub-field is read: strictly (the default), or as the window reads its entry fields.
enum class Saisie { stricte, fenetre };

// The zone dates and times are read and written in: UT, the system's zone, or a fixed offset.
struct Zone {
    enum class Genre { tu, locale, fixe } genre = Genre::tu;
    std::int32_t decalage = 0; // seconds ahead of UT, for Genre::fixe
};

// A date and a time of day as the engine's field values (in strict reading, whole and in range; in
// the window's, as read: 31/2 runs on into March).
struct DateSaisie {
    double jour = 0, mois = 0, an = 0;
};
struct HeureSaisie {
    double heures = 0, minutes = 0;
    float secondes = 0;
    double secondes_du_jour() const { return heures * 3600 + minutes * 60 + static_cast<double>(secondes); }
};

// A step of a range: whole days of the calendar, or a fixed number of seconds.
struct Pas {
    bool jours = true;
    std::int64_t nombre = 1; // days, or seconds
};

// A latitude or longitude as the window holds it: degrees in single precision, north and west
// positive; or why the window could not hold it ("Nombre trop grand").
using Coordonnee = Resultat<float>;

// The coordinate of a place's texts as the window reads them, a sub-field that cannot be held read
// as 0 (there is no previous value to keep).
Coordonnee coordonnee(const std::string& degres, const std::string& minutes, bool positif, bool latitude);

enum class Forme { instant, plage, phases };

// What the command line asks: one instant (date and time, either may be absent: now), a range of
// instants, or the phases of a year.
struct Demande {
    Forme forme = Forme::instant;
    Format format = Format::texte;
    Saisie saisie = Saisie::stricte;
    Zone zone;
    std::optional<DateSaisie> date; // --date, or --du
    std::optional<DateSaisie> fin;  // --au
    std::optional<HeureSaisie> heure;
    Pas pas;
    std::optional<Coordonnee> latitude, longitude; // absent: the saved place's
    std::int16_t annee_phases = 0;
    // The texts of --du, --au and --pas, quoted by the messages about the range.
    std::string texte_du, texte_au, texte_pas;
};

// The command line read: the help, the version, or a request.
struct Commande {
    enum class Quoi { aide, version, demande } quoi = Quoi::demande;
    Demande demande;
};

// Reads the arguments (without the program's name), --option valeur or --option=valeur.
Resultat<Commande> lit_commande(const std::vector<std::string>& args);

// The options, in the order --help lists them.
enum class Cle {
    date,
    heure,
    latitude,
    longitude,
    du,
    au,
    pas,
    phases,
    format,
    fuseau,
    saisie,
    version,
    aide
};

// The forms an option belongs to, as a mask of bits 1 << Forme.
inline constexpr unsigned toutes_formes = 7;
constexpr unsigned forme_bit(Forme f) {
    return 1u << static_cast<unsigned>(f);
}

// One row of --help: the option as written there, and its description (lines after the first
// start under the first).
struct LigneAide {
    std::string_view option, description;
};

struct Option {
    Cle cle;
    std::string_view nom;
    std::string_view autre_nom; // "-h"
    bool valeur;                // takes a value
    unsigned formes;
    std::span<const LigneAide> aide; // --du's row names --au too, which has none of its own
};

std::span<const Option> options_rapport();

// The French help, its option rows written from the table.
std::string texte_aide();

} // namespace orbitel
