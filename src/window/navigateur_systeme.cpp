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

} // namespace

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
    const QString ouvreur = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!ouvreur.isEmpty()) {
        // Not parented: the opener (and a browser it may wait for) outlives the window if need be.
        auto* processus = new QProcess;
        processus->setProgram(ouvreur);
        processus->setArguments({adresse.toString(QUrl::FullyEncoded)});
        processus->setStandardOutputFile(QProcess::nullDevice());
        processus->setStandardErrorFile(QProcess::nullDevice());
        auto chrono = std::make_shared<QElapsedTimer>();
        chrono->start();
        QObject::connect(processus, &QProcess::finished, processus,
                         [processus, signale, chrono](int code, QProcess::ExitStatus etat) {
                             if ((code != 0 || etat != QProcess::NormalExit) &&
                                 chrono->elapsed() < attente_ouvreur_ms)
                                 signale();
                             processus->deleteLater();
                         });
        QObject::connect(processus, &QProcess::errorOccurred, processus,
                         [processus, signale](QProcess::ProcessError e) {
                             if (e != QProcess::FailedToStart) return;
                             signale();
                             processus->deleteLater();
                         });
        processus->start();
        return;
    }
#endif
    if (!QDesktopServices::openUrl(adresse)) signale();
}

} // namespace orbitel
