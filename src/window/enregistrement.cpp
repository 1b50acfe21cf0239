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

namespace {

void ecrit_erreur(const QString& texte) {
    std::fprintf(stderr, "orbitel : %s\n",
                 QString(texte).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
}

QString fichier(const EchecEcriture& echec) {
    return QString::fromStdString(echec.fichier);
}

// Whether the user lets the unreadable file be replaced; No unless they choose otherwise.
bool accepte_remplacement(QWidget& fenetre, const EchecEcriture& echec) {
    QMessageBox boite(
        QMessageBox::Question, QStringLiteral("Fichier de réglages illisible"),
        QStringLiteral("Le lieu n'a pas été enregistré\u00a0: le fichier\n«\u00a0%1\u00a0»\n"
                       "n'a pas pu être lu (%2).\nLe remplacer effacera tous les autres "
                       "réglages qu'il contient.\n\nRemplacer ce fichier par le lieu actuel\u00a0?")
            .arg(fichier(echec), QString::fromStdString(echec.raison)),
        QMessageBox::NoButton, &fenetre);
    boite.setObjectName(QStringLiteral("FichierIllisible"));
    QPushButton* remplacer = boite.addButton(QStringLiteral("Remplacer"), QMessageBox::DestructiveRole);
    QPushButton* garder = boite.addButton(QStringLiteral("Ne pas remplacer"), QMessageBox::RejectRole);
    boite.setDefaultButton(garder);
    boite.setEscapeButton(garder);
    boite.exec();
    return boite.clickedButton() == remplacer;
}

} // namespace

bool enregistre_lieu_en_quittant(QWidget& fenetre, MagasinReglages& magasin, const ChampsLieu& lieu,
                                 const ChoixAffichage& affichage, bool sans_dialogue) {
    SiIllisible si_illisible = SiIllisible::garde;
    for (;;) {
        // The switches only once the place is in: a retry writes both again, which is harmless. The
        // place's save has made the file readable if it could be, so theirs never replaces it: that
        // would drop the place just written.
        std::optional<EchecEcriture> echec = enregistre_lieu(magasin, lieu, si_illisible);
        if (!echec) {
            echec = enregistre_affichage(magasin, affichage, SiIllisible::garde);
            // A file the place went into that still cannot be read back (a failing disk): the place
            // the user was asked about is saved; the switches are dropped and start off next time.
            if (echec && echec->fichier_illisible) return true;
        }
        if (!echec) return true;
        if (echec->fichier_illisible) {
            if (!sans_dialogue && accepte_remplacement(fenetre, *echec)) {
                si_illisible = SiIllisible::remplace;
                continue;
            }
            if (sans_dialogue)
                ecrit_erreur(
                    QStringLiteral("Enregistrement impossible. Le fichier «\u00a0%1\u00a0» n'a pas pu "
                                   "être lu (%2)\u00a0; il est laissé tel quel, sans le lieu.")
                        .arg(fichier(*echec), QString::fromStdString(echec->raison)));
            return false;
        }
        const QString texte = texte_echec_enregistrement(*echec);
        if (sans_dialogue) {
            ecrit_erreur(QStringLiteral("Enregistrement impossible. ") + texte);
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

void signale_lecture_impossible(QWidget& fenetre, const MagasinReglages& magasin, bool sans_dialogue) {
    const std::optional<EchecEcriture> echec = magasin.lecture_impossible();
    if (!echec) return;
    const QString texte =
        QStringLiteral(
            "Le lieu enregistré n'a pas pu être lu dans le fichier\n«\u00a0%1\u00a0»\u00a0: %2.\n"
            "Le lieu par défaut est utilisé\u00a0; le fichier ne sera pas remplacé sans votre accord.")
            .arg(fichier(*echec), QString::fromStdString(echec->raison));
    if (sans_dialogue) {
        ecrit_erreur(QStringLiteral("Lecture impossible. ") + texte);
        return;
    }
    // Opened without waiting: start-up goes on and the program's event loop runs, so that a quit
    // (a signal, the session's end) is heard while the box is up.
    auto* boite = new QMessageBox(QMessageBox::Warning, QStringLiteral("Lecture impossible"), texte,
                                  QMessageBox::Ok, &fenetre);
    boite->setObjectName(QStringLiteral("LectureImpossible"));
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
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
