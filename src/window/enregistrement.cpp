#include "window/enregistrement.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>

#include <cstdio>

#include "platform/signaux.hpp"

namespace orbitel {

QString texte_echec_enregistrement(const EchecEcriture& echec) {
    const QString raison = QString::fromStdString(echec.raison);
    // No-break spaces inside the quotes and before the colon, as French sets them: a line never
    // starts with the closing quote or the colon, nor ends with the opening quote.
    if (echec.fichier.empty())
        return QStringLiteral("Le lieu n'a pas pu être enregistré\u00a0: %1.").arg(raison);
    // The file on a line of its own: a path is long, and would be cut anywhere.
    return QStringLiteral("Le lieu n'a pas pu être enregistré dans le fichier\n«\u00a0%1\u00a0»\u00a0: %2.")
        .arg(QString::fromStdString(echec.fichier), raison);
}

bool enregistre_lieu_en_quittant(QWidget& fenetre, MagasinReglages& magasin, const ChampsLieu& lieu,
                                 bool sans_dialogue) {
    for (;;) {
        const std::optional<EchecEcriture> echec = enregistre_lieu(magasin, lieu);
        if (!echec) return true;
        const QString texte = texte_echec_enregistrement(*echec);
        if (sans_dialogue) {
            std::fprintf(
                stderr, "orbitel : %s\n",
                QString(texte).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
        } else {
            QMessageBox boite(QMessageBox::Warning, QStringLiteral("Enregistrement impossible"), texte,
                              QMessageBox::NoButton, &fenetre);
            boite.setObjectName(QStringLiteral("EnregistrementImpossible"));
            QPushButton* reessayer = boite.addButton(QStringLiteral("Réessayer"), QMessageBox::AcceptRole);
            boite.addButton(QStringLiteral("Quitter sans enregistrer"), QMessageBox::DestructiveRole);
            boite.setDefaultButton(reessayer);
            boite.exec();
            if (boite.clickedButton() == reessayer) continue;
        }
        return false;
    }
}

void raccorde_fins(QWidget& fenetre, FinsDuProgramme& fins) {
    // Made once, for the program's life: the signal handlers stay with it.
    auto* signaux = new SignauxFin(&fenetre);
    QObject::connect(signaux, &SignauxFin::finDemandee, &fenetre, [&fins](int) {
        fins.definit_sans_dialogue(true);
        fins.quitte();
    });
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(application, &QGuiApplication::commitDataRequest, &fenetre,
                         [&fins](QSessionManager& session) {
                             // The session ends: the window ends as on the quit button, and may ask
                             // about a failed save only if the session manager lets it.
                             fins.definit_sans_dialogue(!session.allowsInteraction());
                             fins.quitte();
                             session.release();
                         });
    }
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &fenetre, [&fins] {
        fins.definit_sans_dialogue(true);
        fins.decharge(); // nothing when the window was already unloaded
    });
}

} // namespace orbitel
