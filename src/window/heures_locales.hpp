#pragma once
#include <QObject>
#include <QString>

#include "text/heure_locale.hpp"

class QLabel;

namespace orbitel {

class PosLune;

// The offset of the system's zone from UT, in seconds, at a UT instant of a line: the one the
// tool tips and the printed note give.
int decalage_systeme(const InstantLigne& tu);

// The tool tip of a line that shows a UT instant: the label's own tool tip, if it has one, then the
// instant in the computer's local time with the zone's offset at that date, as "Heure locale :
// 12/04/1992 à 02:00:00 (UTC+2)". Empty for a line with no instant ("---"), so none is shown.
QString infobulle_heure_locale(const QLabel& ligne);

// Gives the local-time tool tip to the instant line Label9, the rise and set lines and the five
// phase lines. Each is worked out when it is shown, from the line's text at that moment, so the
// real-time tick pays nothing for it.
void installe_heures_locales(PosLune& fenetre);

} // namespace orbitel
