#include "platform/traductions.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace orbitel {

bool charge_traductions_qt(QCoreApplication& application) {
    auto* traducteur = new QTranslator(&application);
    if (!traducteur->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducteur;
        return false;
    }
    return QCoreApplication::installTranslator(traducteur);
}

} // namespace orbitel
