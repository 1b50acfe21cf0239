#include "window/notice_horloge.hpp"

#include <QLabel>

#include "text/note_locale.hpp"

namespace orbitel {

void ecrit_notice_ecart_local(QLabel& label, std::optional<int> ecart_minutes) {
    // The offset the label states, kept beside it: nothing to do while it holds.
    const QVariant ecrit = label.property("ecartMinutes");
    const QVariant voulu = ecart_minutes ? QVariant(*ecart_minutes) : QVariant(QStringLiteral("aucun"));
    if (ecrit == voulu) return;
    label.setText(ecart_minutes ? QString::fromStdString(notice_ecart_local(*ecart_minutes)) : QString());
    label.setProperty("ecartMinutes", voulu);
}

} // namespace orbitel
