#include "window/navigateur_systeme.hpp"

#include <QDesktopServices>
#include <QUrl>

namespace orbitel {

void NavigateurSysteme::ouvre(const std::string& url) {
    // The address is already encoded: parse it strictly so that nothing is encoded twice.
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

} // namespace orbitel
