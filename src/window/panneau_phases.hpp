#pragma once
#include <optional>

#include "events/date.hpp"
#include "events/phases.hpp"

namespace orbitel {

struct PosLuneUi;

// Delta T of a year, in days, as the phase dates use it; 0 past the years the rule is written for.
float delta_t_jours(long long annee);

// The phase panel: the five phase lines, the time-scale notice under the drawing, the reference
// date they were written for and the stepping from one lunation to the next.
class PanneauPhases {
public:
    PanneauPhases(const PosLuneUi& ui, char marque) : ui_(ui), marque_(marque) {}

    // Writes the panel for the reference date (0 h) and keeps that date for the stepping. Without a
    // date the lines read "---" and the arrows have nothing to step from.
    void affiche(const std::optional<DateHeure>& reference);
    // The reference date one lunation back or forth, nullopt before the first panel, after a "---"
    // one or past the calendar's end; the panel is not changed.
    std::optional<DateHeure> pas(SensCycle sens) const;

    std::optional<DateHeure> reference() const { return reference_; }

private:
    const PosLuneUi& ui_;
    char marque_;
    std::optional<DateHeure> reference_;
};

} // namespace orbitel
