#pragma once
// orbitel-rapport's output forms, one writer each, all driven by tables of columns: a new form is
// one writer, a new column one row of a table (text/almanach.hpp holds the tables).
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "clock/fuseau.hpp"

namespace orbitel {

// A cell: its text ("" for nothing: a rise that day has not, an instant that cannot be computed)
// and whether it is a number, which JSON writes bare.
struct Cellule {
    std::string texte;
    bool nombre = false;
};

// What every row of one run shares: the zone its instants are written in (nullptr: UT, with "Z"),
// and the time stamp of the run (iCalendar's DTSTAMP).
struct ContexteTable {
    const Fuseau* zone = nullptr;
    std::string horodatage;
};

// A column of a table whose rows are R: its name (a CSV header, a JSON key, an iCalendar property)
// and how a row's cell is made.
template <class R> struct Colonne {
    std::string_view nom;
    Cellule (*cellule)(const R& rangee, const ContexteTable& contexte);
};

template <class R> std::vector<std::string_view> noms_colonnes(std::span<const Colonne<R>> colonnes) {
    std::vector<std::string_view> noms;
    for (const Colonne<R>& c : colonnes)
        noms.push_back(c.nom);
    return noms;
}

template <class R>
std::vector<Cellule> cellules(std::span<const Colonne<R>> colonnes, const R& rangee,
                              const ContexteTable& contexte) {
    std::vector<Cellule> v;
    v.reserve(colonnes.size());
    for (const Colonne<R>& c : colonnes)
        v.push_back(c.cellule(rangee, contexte));
    return v;
}

// One output form: the texts before the first row, of each row, and after the last. A writer
// keeps what it needs between rows (JSON's comma).
class EcrivainTable {
public:
    virtual ~EcrivainTable() = default;
    virtual std::string debut(std::span<const std::string_view> noms) = 0;
    virtual std::string rangee(std::span<const std::string_view> noms, std::span<const Cellule> cellules) = 0;
    virtual std::string fin() = 0;
};

// A header line of the names, then one line of cells per row, separated by commas; LF line ends,
// no quoting (no cell holds a comma).
std::unique_ptr<EcrivainTable> ecrivain_csv();

// An array of objects, one a line: [\n{"nom":"texte","nombre":1.5,"vide":null},\n…\n]\n; "[]\n"
// without rows.
std::unique_ptr<EcrivainTable> ecrivain_json();

// The cells one a line, without names; `ligne_vide`: an empty line after each row.
std::unique_ptr<EcrivainTable> ecrivain_texte(bool ligne_vide);

// An iCalendar file (CRLF lines): VCALENDAR of PRODID `produit` and X-WR-CALNAME `nom`, one VEVENT
// a row whose properties are the columns, "NOM:texte".
std::unique_ptr<EcrivainTable> ecrivain_icalendar(std::string_view produit, std::string_view nom);

} // namespace orbitel
