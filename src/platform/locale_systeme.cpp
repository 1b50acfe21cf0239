#include "platform/locale_systeme.hpp"

#include <QLocale>

namespace orbitel {

char marque_decimale_locale() {
    return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

} // namespace orbitel
