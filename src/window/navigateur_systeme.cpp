#include "window/navigateur_systeme.hpp"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <memory>

namespace orbitel {

namespace {

// An opener that is still running after this long has handed the page to a browser, which then
// runs on its own: how that browser ends later says nothing about the link.
constexpr qint64 attente_ouvreur_ms = 30000;

// One BROWSER command with the address in it.
QStringList commande_browser(const QString& modele, const QString& adresse) {
    QStringList mots = QProcess::splitCommand(modele);
    bool place = false;
    for (QString& mot : mots) {
        QString remplace;
        for (qsizetype i = 0; i < mot.size(); ++i) {
            if (mot[i] == QLatin1Char('%') && i + 1 < mot.size() && mot[i + 1] == QLatin1Char('s')) {
                remplace += adresse;
                place = true;
                ++i;
            } else if (mot[i] == QLatin1Char('%') && i + 1 < mot.size() && mot[i + 1] == QLatin1Char('%')) {
                remplace += QLatin1Char('%');
                ++i;
            } else {
                remplace += mot[i];
            }
        }
        mot = remplace;
    }
    if (!place && !mots.isEmpty()) mots << adresse;
    return mots;
}

// Runs commandes[i], then the next one if it fails; `signale` when the last one has failed.
void essaie(std::shared_ptr<const std::vector<QStringList>> commandes, std::size_t i,
            std::function<void()> signale) {
    if (i >= commandes->size()) {
        signale();
        return;
    }
    const QStringList& commande = (*commandes)[i];
    // Not parented: the opener (and a browser it may be or wait for) outlives the window if need be.
    auto* processus = new QProcess;
    processus->setProgram(commande.front());
    processus->setArguments(commande.mid(1));
    processus->setStandardOutputFile(QProcess::nullDevice());
    processus->setStandardErrorFile(QProcess::nullDevice());
    const auto suivante = [commandes, i, signale] { essaie(commandes, i + 1, signale); };
    auto chrono = std::make_shared<QElapsedTimer>();
    chrono->start();
    QObject::connect(processus, &QProcess::finished, processus,
                     [processus, suivante, chrono](int code, QProcess::ExitStatus etat) {
                         processus->deleteLater();
                         if ((code != 0 || etat != QProcess::NormalExit) &&
                             chrono->elapsed() < attente_ouvreur_ms)
                             suivante();
                     });
    QObject::connect(processus, &QProcess::errorOccurred, processus,
                     [processus, suivante](QProcess::ProcessError e) {
                         if (e != QProcess::FailedToStart) return;
                         processus->deleteLater();
                         suivante();
                     });
    processus->start();
}

} // namespace

std::vector<QStringList> commandes_ouverture(const QString& xdg_open, const QString& browser,
                                             const QString& adresse) {
    if (!xdg_open.isEmpty()) return {{xdg_open, adresse}};
    std::vector<QStringList> commandes;
    for (const QString& modele : browser.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QStringList commande = commande_browser(modele, adresse);
        if (!commande.isEmpty()) commandes.push_back(commande);
    }
    return commandes;
}

void NavigateurSysteme::ouvre(const std::string& url) {
    ouvre_ou_signale(url, {});
}

void NavigateurSysteme::ouvre_ou_signale(const std::string& url, std::function<void()> echec) {
    // The address is already encoded: parse it strictly so that nothing is encoded twice.
    const QUrl adresse(QString::fromStdString(url), QUrl::StrictMode);
    const auto signale = [echec] {
        if (echec) echec();
    };
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto commandes = std::make_shared<const std::vector<QStringList>>(
        commandes_ouverture(QStandardPaths::findExecutable(QStringLiteral("xdg-open")),
                            qEnvironmentVariable("BROWSER"), adresse.toString(QUrl::FullyEncoded)));
    if (!commandes->empty()) {
        essaie(commandes, 0, signale);
        return;
    }
#endif
    if (!QDesktopServices::openUrl(adresse)) signale();
}

} // namespace orbitel
