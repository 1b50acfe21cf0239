#include "window/panneau_phases.hpp"

#include <QLabel>

#include <cstdint>
#include <exception>

#include "events/delta_t.hpp"
#include "text/lignes_phases.hpp"
#include "window/pos_lune_ui.hpp"

namespace orbitel {

float delta_t_jours(long long annee) {
    if (annee < -32767 || annee > 32767) return 0;
    return calcule_delta_t(static_cast<std::int16_t>(annee)).jours;
}

void PanneauPhases::affiche(const std::optional<DateHeure>& reference) {
    // A panel that cannot be written reads "---", never an earlier date's lines.
    reference_.reset();
    LignesPhases l = lignes_phases_absentes();
    if (reference) {
        try {
            l = lignes_phases(*reference, marque_);
            reference_ = reference;
        } catch (const std::exception&) {
        }
    }
    ui_.Label10[0]->setText(QString::fromStdString(l.Label10_0));
    for (int i = 0; i < 5; ++i)
        ui_.LabPhase[i]->setText(QString::fromStdString(l.LabPhase[i]));
}

std::optional<DateHeure> PanneauPhases::pas(SensCycle sens) const {
    if (!reference_) return std::nullopt;
    return pas_de_cycle(*reference_, sens);
}

} // namespace orbitel
