#pragma once
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "text/heure_locale.hpp"

class QLabel;
class QObject;

namespace orbitel {

// The offset of the system's zone from UT, in seconds, at a UT instant as a line writes it: the one
// the tool tips and the printed note give.
int decalage_systeme(const InstantLigne& tu);

// The tool tip of a line that shows a UT instant: the label's own tool tip, if it has one, then the
// instant in the computer's local time with the zone's offset at that date, as "Heure locale :
// 12/04/1992 à 02:00:00 (UTC+2)". Just the label's own without an instant (a "---" line): empty
// when it has none, so none is shown.
// When the lines are already on the local clock (`lignes_locales`), the tool tip gives the UT
// instant instead: "Temps universel : 12/04/1992 à 00:00:00".
QString infobulle_heure_locale(const QLabel& ligne, const std::optional<InstantLigne>& tu,
                               bool lignes_locales = false);

// A line and where its instant comes from at the moment its tool tip is asked for.
using SourceInstant = std::function<std::optional<InstantLigne>()>;

// Gives the local-time tool tip to each line, owned by `parent`. Each is worked out when it is shown,
// from the instant the source gives then, so the real-time tick pays nothing for it.
// `lignes_locales` tells, when a tool tip is shown, whether the lines are on the local clock.
void installe_heures_locales(QObject& parent, std::vector<std::pair<QLabel*, SourceInstant>> lignes,
                             std::function<bool()> lignes_locales = {});

} // namespace orbitel
