#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clock/lieu.hpp"

namespace orbitel {

// Why a save could not be made, told to the user: the file and the reason, in French.
struct EchecEcriture {
    std::string fichier;
    std::string raison;
    // The file exists but could not be read: it was kept, since writing the place into it would
    // lose everything else it holds. Only the user may have it replaced (SiIllisible::remplace).
    bool fichier_illisible = false;
};

// What a save does with a store file that exists but cannot be read: keep it (and fail, saying
// so), or replace it, losing whatever else it held, once the user has agreed to.
enum class SiIllisible { garde, remplace };

// Keys and texts of one section, in the order they are to be written.
using ValeursSection = std::vector<std::pair<std::string, std::string>>;

// A per-user store of text values addressed by section and key. The window and orbitel-rapport
// share one store (orbitel.ini); tests give an in-memory one or a file in a temporary folder.
class MagasinReglages {
public:
    virtual ~MagasinReglages() = default;
    // The text stored under section/cle, exactly as it was written, or nullopt when absent.
    virtual std::optional<std::string> lit(std::string_view section, std::string_view cle) const = 0;
    // Stores the text; false when the store could not keep it (read-only file, full disk).
    virtual bool ecrit(std::string_view section, std::string_view cle, std::string_view valeur) = 0;
    // Writes several keys as one unit. A store kept on disk replaces its file once, after all of
    // them are in, so that an interrupted save leaves the old texts or the new ones, never a mix.
    // This default, for stores without files, writes the keys one by one and attempts every one.
    virtual std::optional<EchecEcriture> ecrit_ensemble(std::string_view section,
                                                        const ValeursSection& valeurs,
                                                        SiIllisible /*si_illisible*/ = SiIllisible::garde) {
        bool tout = true;
        for (const auto& [cle, valeur] : valeurs)
            tout = ecrit(section, cle, valeur) && tout;
        if (tout) return std::nullopt;
        return EchecEcriture{"", "le magasin de réglages a refusé une valeur"};
    }
    // Why the store, which exists, cannot be read (its values then read as absent); nullopt when
    // it reads. A store that cannot be read is not to be overwritten without the user's consent.
    virtual std::optional<EchecEcriture> lecture_impossible() const { return std::nullopt; }
};

// A store held in memory, for tests and for runs that must leave the user's settings alone.
class MagasinMemoire final : public MagasinReglages {
public:
    std::optional<std::string> lit(std::string_view section, std::string_view cle) const override {
        const auto it = valeurs_.find(nom(section, cle));
        if (it == valeurs_.end()) return std::nullopt;
        return it->second;
    }
    bool ecrit(std::string_view section, std::string_view cle, std::string_view valeur) override {
        valeurs_[nom(section, cle)] = std::string(valeur);
        return true;
    }

private:
    static std::string nom(std::string_view section, std::string_view cle) {
        return std::string(section) + '/' + std::string(cle);
    }
    std::map<std::string, std::string> valeurs_;
};

// A stored truth value: the words True or False in any letter case, or a whole number text
// (optional sign, digits, decimal mark '.', exponent), zero being false and any other number true.
// Blanks around the text are allowed. Anything else (abc, 1abc, an empty text, a number too large
// for a double) is no truth value: nullopt.
std::optional<bool> lit_verite(std::string_view texte);

// The words the store keeps for a truth value.
std::string_view texte_verite(bool valeur);

inline constexpr std::string_view section_lieu = "Coord";

// Reads the place from the store, key by key (Lat0, Lat1, Lon0, Lon1, NS, EO in section Coord).
// A missing key takes its default; a hemisphere text that is no truth value selects north or east;
// a key whose reading throws is skipped and keeps its default, and the next one is still read.
ChampsLieu restaure_lieu(const MagasinReglages& magasin);

// Writes the six keys in that order, as one unit: the four texts as they are, then NS and EO as
// True or False. nullopt once the store holds them all; otherwise what went wrong (a store that
// throws counts as a failed save, never as a success). A store file that cannot be read is
// replaced only with SiIllisible::remplace.
std::optional<EchecEcriture> enregistre_lieu(MagasinReglages& magasin, const ChampsLieu& lieu,
                                             SiIllisible si_illisible = SiIllisible::garde);

// The same, true when the place was saved.
bool sauve_lieu(MagasinReglages& magasin, const ChampsLieu& lieu);

// The window's display switches, kept beside the place: local time instead of UT, the terrestrial
// time scale, the drawing turned as the Moon is seen from the place. All off by default, so that a
// store written before they existed reads as the window always was.
struct ChoixAffichage {
    bool heure_locale = false;
    bool precis = false;
    bool oriente = false;
    friend bool operator==(const ChoixAffichage&, const ChoixAffichage&) = default;
};

inline constexpr std::string_view section_affichage = "Affichage";

// Reads HeureLocale, Precis and Oriente from section Affichage: an absent key, a text that is no
// truth value or a key whose reading throws leaves its switch off.
ChoixAffichage restaure_affichage(const MagasinReglages& magasin);

// Writes the three keys as True or False, as one unit of their own section; nullopt once the store
// holds them, otherwise what went wrong, as enregistre_lieu reports it.
std::optional<EchecEcriture> enregistre_affichage(MagasinReglages& magasin, const ChoixAffichage& choix,
                                                  SiIllisible si_illisible = SiIllisible::garde);

} // namespace orbitel
