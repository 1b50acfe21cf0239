#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "clock/lieu.hpp"

namespace orbitel {

// A per-user store of text values addressed by section and key. The window and orbitel-rapport
// share one store (orbitel.ini); tests give an in-memory one or a file in a temporary folder.
class MagasinReglages {
  public:
    virtual ~MagasinReglages() = default;
    // The text stored under section/cle, exactly as it was written, or nullopt when absent.
    virtual std::optional<std::string> lit(std::string_view section, std::string_view cle) const = 0;
    // Stores the text; false when the store could not keep it (read-only file, full disk).
    virtual bool ecrit(std::string_view section, std::string_view cle, std::string_view valeur) = 0;
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

// Writes the six keys in that order: the four texts as they are, then NS and EO as True or False.
// Every key is attempted; the result is false when any of them could not be written.
bool sauve_lieu(MagasinReglages& magasin, const ChampsLieu& lieu);

} // namespace orbitel
