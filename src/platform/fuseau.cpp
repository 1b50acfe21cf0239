#include "platform/fuseau.hpp"

#include <QDateTime>
#include <QTimeZone>

namespace orbitel {

int decalage_zone_locale(std::int64_t secondes_depuis_1970) {
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(secondes_depuis_1970, Qt::UTC);
    return QTimeZone::systemTimeZone().offsetFromUtc(instant);
}

} // namespace orbitel
