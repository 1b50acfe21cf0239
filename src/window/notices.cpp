#include "window/notices.hpp"

#include <QLabel>

#include "text/note_locale.hpp"

namespace orbitel {

std::string notice_ecart_local(int ecart_minutes) {
    if (ecart_minutes == 0) return "Votre système est à l'heure TU.";
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long ecart = ecart_minutes;
    return std::string(ecart > 0 ? "Votre système est en avance sur TU de " : "Votre système est en retard sur TU de ") +
           duree_heures_minutes(ecart > 0 ? ecart : -ecart) + ".";
}

void ecrit_notice_ecart_local(QLabel& label, std::optional<int> ecart_minutes) {
    // The offset the label states, kept beside it: nothing to do while it holds.
    const QVariant ecrit = label.property("ecartMinutes");
    const QVariant voulu = ecart_minutes ? QVariant(*ecart_minutes) : QVariant(QStringLiteral("aucun"));
    if (ecrit == voulu) return;
    label.setText(ecart_minutes ? QString::fromStdString(notice_ecart_local(*ecart_minutes)) : QString());
    label.setProperty("ecartMinutes", voulu);
}

} // namespace orbitel
